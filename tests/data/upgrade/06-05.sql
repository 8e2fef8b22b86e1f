/* Version 5 into version 6: the old tables wait as OLD_ work tables. */

MERGE INTO OD_Nastaveni n
  USING OLD_OD_NASTAVENI o ON n.ID = o.NAZEV
  WHEN MATCHED THEN UPDATE SET Hodnota = o.HODNOTA
  WHEN NOT MATCHED THEN INSERT (ID, Hodnota) VALUES (o.NAZEV, o.HODNOTA);

INSERT INTO CL_CLEN (ID, Jmeno, Prijmeni, Poznamka, Prispevek, Narozen, Zmeneno, Aktivni, Stav)
  SELECT ID, JMENO, PRIJMENI, POZNAMKA, PRISPEVEK, NAROZEN, ZMENENO, AKTIVNI, TRIM(IIF(AKTIVNI = 1, 'aktivní', 'bývalý'))
  FROM OLD_CL_CLEN;

INSERT INTO TEST_RADKY (ID, DisplayName, Castka, Datum, Cas, Poznamka)
  SELECT ID, NAZEV, CASTKA, DATUM, CAS, POZNAMKA || IIF(KURZ IS NULL, '', ' (kurz ' || KURZ || ')') FROM OLD_RADKY;
