CREATE TABLE "tab" ("Mese e anno" TEXT, "T Media MAX" TEXT, "T Media MIN" TEXT, "Osservazioni" TEXT)
