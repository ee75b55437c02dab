CREATE TABLE "tab" ("Mese e anno" TEXT, "N° eventi con prp" TEXT, "Accumulo tot mensile" TEXT, "Osservazioni" TEXT)
