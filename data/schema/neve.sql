CREATE TABLE "tab" ("Inverno" TEXT, "Tipo di neve" TEXT, "Accumulo (in cm)" TEXT, "Accumulo equivalente (in mm)" TEXT, "Temperatura (estremi)" TEXT, "Osservazioni" TEXT)
