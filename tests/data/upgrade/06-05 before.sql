/* Runs in the old database before its data are taken out. */

INSERT INTO OD_NASTAVENI (NAZEV, HODNOTA) VALUES ('DB_PuvodniVerze', '5.0');
