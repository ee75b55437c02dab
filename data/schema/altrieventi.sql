CREATE TABLE "tab" ("Data" TEXT, "evento" TEXT, "Caratteristiche/eventuali dati" TEXT, "Osservazioni" TEXT)
