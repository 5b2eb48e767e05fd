-- The report database Bolvanta.mdb. The report layouts name these tables and columns exactly, so
-- they keep the program's spelling, "ñ" included. Columns declared DATE hold 'yyyy-MM-dd' texts.
-- The single-row tables are edited in place by the program before each report, never appended to:
-- their one row must exist from the start.

CREATE TABLE "Informe" (
  "Frase" TEXT,
  "Letrero" TEXT,
  "Informacion" TEXT,
  "Premio6" TEXT,
  "Premio5c" TEXT,
  "Premio5" TEXT,
  "Premio4" TEXT,
  "Premio3" TEXT
);
INSERT INTO "Informe" VALUES ('', '', '', '', '', '', '', '');

CREATE TABLE "Sorteos" (
  "Dia1" DATE,
  "Dia2" DATE,
  "Total" INTEGER,
  "Diasajugar" TEXT
);
INSERT INTO "Sorteos" VALUES (NULL, NULL, 0, '');

CREATE TABLE "Numeros" (
  "Numero" INTEGER,
  "Veces" INTEGER
);

CREATE TABLE "Peña" (
  "Nombre" TEXT,
  "Diasajugar" TEXT,
  "Dinero" REAL,
  "Dia1" DATE,
  "Dia2" DATE,
  "Aciertos" INTEGER,
  "Sorteos" INTEGER,
  "3" INTEGER,
  "4" INTEGER,
  "5" INTEGER,
  "5C" INTEGER,
  "6" INTEGER
);
INSERT INTO "Peña" VALUES ('', '', 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0);

CREATE TABLE "Peñanums" (
  "Numeros" TEXT
);
