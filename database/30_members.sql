/* Members: the register of people (members and non-members) with their
   addresses, contacts, parents or guardians, categories and five
   user-defined properties.

   Tables
     CL_CLEN          a person: names, birth number RC ("dddddd/ddd[d]") with the
                      birth date (Narozen) and sex (Pohlavi 'M'/'Z') derived from
                      it and kept in indexed columns for birthday queries;
                      membership (Clen, Clenstvi, ID_Kategorie, PrukazKCT,
                      EuroBeds, Plavec), the residence address (Ulice, CP, PSC,
                      Mesto), the permanent address (Trvale_*), contacts
                      (Telefon, Telefon2, Mobil, Mail), note, photo file name,
                      ID_Hodn = the row of user-defined values.
     CL_KATEGORIE     categories with text IDs: zactvo, dorost, juniori,
                      vedouci, ostatni (code list, ordered by Poradi).
     CL_RODIC_TYP     kinds of parent: otec, matka, zástupce (code list, user-extendable).
     CL_RODIC         a person's parents or guardians.
     VL_SLOUPEC       captions of the user-defined columns CL_01..CL_05 (Typ 1 = members).
     VL_HODN          a person's values of them, CL_1..CL_5.

   Procedures (arguments in order -> result columns)
     CL_RC_PARSE (RC) -> RC_Norm, Platne, Muz, Pohlavi, DatumNarozeni, Vek,
                      VekVRoce, Kontrola, Chyba: the one reading of a birth
                      number; every other procedure derives through it.
     CL_VEK (Narozen) -> Vek, VekVRoce (age today and age reached this year)
     CL_RC (RC) -> Pohlavi, Vek, VekVRoce, DatumNarozeni, Kontrola, Chyba
     CL_Clen_DETAIL (Clen_ID) -> ID and the person's record
     cl_clen_new (Prijmeni, Jmeno, Prezdivka, RC, Fotka, Clenstvi, EuroBeds,
                  PrukazKCT, ID_Kategorie, Clen, Plavec, CL_1..CL_5, Poznamka) -> ID_Clen
     cl_clen_edit (ID, the same 17 values)
     CL_Clen_KONTROLA, CL_RODIC_KONTROLA: the checks every stored person or parent passes
     CL_Clen_Kontakt_EDIT (ID, Telefon, Telefon2, Mobil, Mail)
     CL_Clen_Adresa_EDIT (ID, 'bydliste' | 'trvale', Ulice, CP, PSC, Mesto)
     CL_Clen_ALL (Hledat, Akce_ID, Kategorie_ID, VekOd, VekDo, Stav) -> the list
     CL_Clen_CANDEL (ID) -> Lze, Duvod;  cl_clen_del (ID)
     CL_Clen_Kategorie_SUM -> ZACTVO, DOROST, JUNIORI, VEDOUCI, OSTATNI, CELKEM
     CL_Clen_IMPORT (the 32 columns of a spreadsheet row, membership as a date) -> ID_Clen:
                      the whole row or nothing; CL_Clen_DELKA refuses a too long text by name
     cl_kategorie_all (ID) -> ID, DisplayName
     CL_RODIC_ALL (Clen_ID, Rodic_ID) / CL_RODIC_NEW -> ID / CL_RODIC_EDIT / CL_RODIC_DEL
     vl_sloupec_all (Typ) -> ID, Sloupec, DisplayName;  VL_SLOUPEC_EDIT (ID, DisplayName)
     vl_hodn_all (ID_Hodn) -> ID, CL_1..CL_5
     AK_Akce_CLEN (Clen_ID, Od, Do_, Misto_Akce) -> ID, DisplayName,
                  Misto, Datum_Od: no rows until the events module exists. */

CREATE TABLE CL_KATEGORIE (
  ID VARCHAR(20) NOT NULL PRIMARY KEY,
  DisplayName D_NAME,
  Aktivni D_BOOL DEFAULT 1,
  System D_BOOL,
  Poradi INTEGER
);

CREATE TABLE CL_RODIC_TYP (
  ID D_ID NOT NULL PRIMARY KEY,
  DisplayName D_NAME,
  Aktivni D_BOOL DEFAULT 1,
  System D_BOOL
);

CREATE GENERATOR GEN_CL_RODIC_TYP_ID;

CREATE TABLE VL_SLOUPEC (
  ID VARCHAR(20) NOT NULL PRIMARY KEY,
  Typ INTEGER NOT NULL,
  DisplayName D_NAME
);

CREATE TABLE VL_HODN (
  ID D_ID NOT NULL PRIMARY KEY,
  CL_1 D_TEXT,
  CL_2 D_TEXT,
  CL_3 D_TEXT,
  CL_4 D_TEXT,
  CL_5 D_TEXT
);

CREATE GENERATOR GEN_VL_HODN_ID;

CREATE TABLE CL_CLEN (
  ID D_ID NOT NULL PRIMARY KEY,
  Prijmeni D_NAME NOT NULL,
  Jmeno D_NAME,
  Prezdivka D_NAME,
  RC VARCHAR(11),
  Narozen DATE,
  Pohlavi CHAR(1) CHECK (Pohlavi IS NULL OR Pohlavi IN ('M', 'Z')),
  Clen D_BOOL,
  Clenstvi DATE,
  ID_Kategorie VARCHAR(20) REFERENCES CL_KATEGORIE (ID),
  PrukazKCT VARCHAR(4),
  EuroBeds D_BOOL,
  Plavec D_BOOL,
  Ulice D_NAME,
  CP VARCHAR(10),
  PSC VARCHAR(10),
  Mesto D_NAME,
  Trvale_Ulice D_NAME,
  Trvale_CP VARCHAR(10),
  Trvale_PSC VARCHAR(10),
  Trvale_Mesto D_NAME,
  Telefon D_NAME,
  Telefon2 D_NAME,
  Mobil D_NAME,
  Mail D_NAME,
  Poznamka VARCHAR(9999),
  Fotka D_TEXT,
  ID_Hodn INTEGER REFERENCES VL_HODN (ID),
  Zmeneno TIMESTAMP
);

CREATE GENERATOR GEN_CL_CLEN_ID;

CREATE INDEX CL_CLEN_NAROZEN ON CL_CLEN (Narozen);
/* Birthdays of a day or a range of days: month * 100 + day. */
CREATE INDEX CL_CLEN_NAROZENINY ON CL_CLEN COMPUTED BY (EXTRACT(MONTH FROM Narozen) * 100 + EXTRACT(DAY FROM Narozen));
CREATE INDEX CL_CLEN_POHLAVI ON CL_CLEN (Pohlavi);
CREATE INDEX CL_CLEN_PRIJMENI ON CL_CLEN (Prijmeni);

CREATE TABLE CL_RODIC (
  ID D_ID NOT NULL PRIMARY KEY,
  ID_Clen INTEGER NOT NULL REFERENCES CL_CLEN (ID) ON DELETE CASCADE,
  ID_Rodic_Typ INTEGER NOT NULL REFERENCES CL_RODIC_TYP (ID),
  DisplayName D_NAME,
  Telefon D_NAME,
  Mail D_NAME,
  Poznamka VARCHAR(2000),
  Primarni D_BOOL
);

CREATE GENERATOR GEN_CL_RODIC_ID;

SET TERM ^ ;

CREATE TRIGGER CL_RODIC_TYP_BI FOR CL_RODIC_TYP ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.ID IS NULL) THEN NEW.ID = GEN_ID(GEN_CL_RODIC_TYP_ID, 1);
END^

CREATE TRIGGER VL_HODN_BI FOR VL_HODN ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.ID IS NULL) THEN NEW.ID = GEN_ID(GEN_VL_HODN_ID, 1);
END^

CREATE TRIGGER CL_CLEN_BI FOR CL_CLEN ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.ID IS NULL) THEN NEW.ID = GEN_ID(GEN_CL_CLEN_ID, 1);
END^

CREATE TRIGGER CL_RODIC_BI FOR CL_RODIC ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.ID IS NULL) THEN NEW.ID = GEN_ID(GEN_CL_RODIC_ID, 1);
END^

/* Age today and the age reached in the current year; a birthday on 29
   February counts from 1 March in other years. */
CREATE OR ALTER PROCEDURE CL_VEK (Narozen DATE)
RETURNS (Vek INTEGER, VekVRoce INTEGER)
AS
BEGIN
  Vek = NULL;
  VekVRoce = NULL;
  IF (Narozen IS NOT NULL) THEN
  BEGIN
    VekVRoce = EXTRACT(YEAR FROM CURRENT_DATE) - EXTRACT(YEAR FROM Narozen);
    Vek = VekVRoce - IIF(EXTRACT(MONTH FROM CURRENT_DATE) * 100 + EXTRACT(DAY FROM CURRENT_DATE)
                         < EXTRACT(MONTH FROM Narozen) * 100 + EXTRACT(DAY FROM Narozen), 1, 0);
  END
  SUSPEND;
END^

/* The one reading of a birth number "RRMMDD/XXX[X]" (the slash may be left out).
   Nine-digit numbers were issued before 1954 and have no check digit;
   ten-digit ones from 1954 (years 54-99 are 19xx, 00-53 are 20xx). Women
   have the month + 50; numbers issued since 2004 may carry month + 20 (men)
   or + 70 (women). The check digit is the first nine digits mod 11, and a
   remainder 10 with the check digit 0 was valid for numbers before 1986.
   With a suffix not yet complete the century is the later one unless that
   lies in the future. Platne 0 with Chyba for a number that has no real
   birth date; Kontrola 1/0 for the check digit, null without one. */
CREATE OR ALTER PROCEDURE CL_RC_PARSE (RC VARCHAR(20))
RETURNS (RC_Norm VARCHAR(11), Platne SMALLINT, Muz SMALLINT, Pohlavi VARCHAR(10), DatumNarozeni DATE,
         Vek INTEGER, VekVRoce INTEGER, Kontrola SMALLINT, Chyba VARCHAR(200))
AS
DECLARE VARIABLE s VARCHAR(20);
DECLARE VARIABLE pripona VARCHAR(4);
DECLARE VARIABLE rr INTEGER;
DECLARE VARIABLE mm INTEGER;
DECLARE VARIABLE dd INTEGER;
DECLARE VARIABLE rok INTEGER;
DECLARE VARIABLE pridane SMALLINT = 0;
DECLARE VARIABLE prvni DATE;
DECLARE VARIABLE zbytek INTEGER;
DECLARE VARIABLE cislice INTEGER;
BEGIN
  RC_Norm = NULL; Platne = 0; Muz = NULL; Pohlavi = NULL; DatumNarozeni = NULL;
  Vek = NULL; VekVRoce = NULL; Kontrola = NULL; Chyba = NULL;
  s = TRIM(COALESCE(RC, ''));
  IF (s SIMILAR TO '[0-9]{9,10}') THEN
    s = SUBSTRING(s FROM 1 FOR 6) || '/' || SUBSTRING(s FROM 7);
  IF (NOT (s SIMILAR TO '[0-9]{6}/[0-9]{0,4}')) THEN
  BEGIN
    Chyba = 'Rodné číslo "' || s || '" nemá tvar RRMMDD/XXXX.';
    SUSPEND;
    EXIT;
  END
  RC_Norm = s;
  pripona = SUBSTRING(s FROM 8);
  rr = CAST(SUBSTRING(s FROM 1 FOR 2) AS INTEGER);
  mm = CAST(SUBSTRING(s FROM 3 FOR 2) AS INTEGER);
  dd = CAST(SUBSTRING(s FROM 5 FOR 2) AS INTEGER);
  Muz = 1;
  IF (mm > 70) THEN BEGIN mm = mm - 70; Muz = 0; pridane = 1; END
  ELSE IF (mm > 50) THEN BEGIN mm = mm - 50; Muz = 0; END
  ELSE IF (mm > 20) THEN BEGIN mm = mm - 20; pridane = 1; END

  IF (CHAR_LENGTH(pripona) = 3) THEN
  BEGIN
    rok = 1900 + rr;
    IF (rr >= 54) THEN
      Chyba = 'Rodné číslo "' || s || '" je devítimístné, ta se vydávala jen do roku 1953.';
    ELSE IF (pridane = 1) THEN
      Chyba = 'Rodné číslo "' || s || '" je devítimístné, ale má měsíc zvýšený o 20.';
  END
  ELSE IF (CHAR_LENGTH(pripona) = 4) THEN
    rok = IIF(rr >= 54, 1900 + rr, 2000 + rr);
  ELSE
    rok = IIF(rr >= 54 OR 2000 + rr > EXTRACT(YEAR FROM CURRENT_DATE), 1900 + rr, 2000 + rr);

  IF (Chyba IS NULL) THEN
  BEGIN
    IF (mm < 1 OR mm > 12 OR dd < 1) THEN
      Chyba = 'Rodné číslo "' || s || '" neobsahuje platné datum narození.';
    ELSE
    BEGIN
      prvni = CAST(rok || '-' || mm || '-1' AS DATE);
      IF (dd > EXTRACT(DAY FROM DATEADD(-1 DAY TO DATEADD(1 MONTH TO prvni)))) THEN
        Chyba = 'Rodné číslo "' || s || '" neobsahuje platné datum narození.';
      ELSE
      BEGIN
        DatumNarozeni = DATEADD(dd - 1 DAY TO prvni);
        IF (DatumNarozeni > CURRENT_DATE) THEN
        BEGIN
          Chyba = 'Rodné číslo "' || s || '" má datum narození v budoucnosti.';
          DatumNarozeni = NULL;
        END
      END
    END
  END
  IF (Chyba IS NOT NULL) THEN
  BEGIN
    Muz = NULL;
    SUSPEND;
    EXIT;
  END

  IF (CHAR_LENGTH(pripona) = 4) THEN
  BEGIN
    zbytek = MOD(CAST(SUBSTRING(s FROM 1 FOR 6) || SUBSTRING(pripona FROM 1 FOR 3) AS BIGINT), 11);
    cislice = CAST(SUBSTRING(pripona FROM 4 FOR 1) AS INTEGER);
    Kontrola = IIF(zbytek = cislice OR (zbytek = 10 AND cislice = 0 AND rok < 1986), 1, 0);
  END
  Platne = 1;
  Pohlavi = IIF(Muz = 1, 'mužské', 'ženské');
  SELECT Vek, VekVRoce FROM CL_VEK(:DatumNarozeni) INTO :Vek, :VekVRoce;
  SUSPEND;
END^

/* What the member window shows beside a birth number. */
CREATE OR ALTER PROCEDURE CL_RC (RC VARCHAR(20))
RETURNS (Pohlavi VARCHAR(10), Vek INTEGER, VekVRoce INTEGER, DatumNarozeni DATE, Kontrola SMALLINT, Chyba VARCHAR(200))
AS
BEGIN
  SELECT Pohlavi, Vek, VekVRoce, DatumNarozeni, Kontrola, Chyba FROM CL_RC_PARSE(:RC)
    INTO :Pohlavi, :Vek, :VekVRoce, :DatumNarozeni, :Kontrola, :Chyba;
  SUSPEND;
END^

/* The checks every stored person passes; refuses with the reason. An empty
   birth number ("" or "/") is no birth number. */
CREATE OR ALTER PROCEDURE CL_Clen_KONTROLA (Prijmeni VARCHAR(100), RC VARCHAR(20), ID_Kategorie VARCHAR(20), Clen SMALLINT)
RETURNS (RC_Norm VARCHAR(11), Narozen DATE, Pohlavi CHAR(1))
AS
DECLARE VARIABLE platne SMALLINT;
DECLARE VARIABLE muz SMALLINT;
DECLARE VARIABLE chyba VARCHAR(200);
BEGIN
  RC_Norm = NULL; Narozen = NULL; Pohlavi = NULL;
  IF (TRIM(COALESCE(Prijmeni, '')) = '') THEN
    EXCEPTION TALBRECK_WARNING 'Příjmení musí být vyplněno.';
  IF (TRIM(COALESCE(RC, '')) NOT IN ('', '/')) THEN
  BEGIN
    SELECT RC_Norm, Platne, Muz, DatumNarozeni, Chyba FROM CL_RC_PARSE(:RC)
      INTO :RC_Norm, :platne, :muz, :Narozen, :chyba;
    IF (platne = 0) THEN
      EXCEPTION TALBRECK_WARNING chyba;
    Pohlavi = IIF(muz = 1, 'M', 'Z');
  END
  IF (Clen = 1 AND ID_Kategorie IS NOT NULL AND NOT EXISTS (SELECT 1 FROM CL_KATEGORIE WHERE ID = :ID_Kategorie)) THEN
    EXCEPTION TALBRECK_WARNING 'Kategorie "' || ID_Kategorie || '" neexistuje.';
  SUSPEND;
END^

CREATE OR ALTER PROCEDURE CL_Clen_DETAIL (Clen_ID INTEGER)
RETURNS (ID INTEGER, DisplayName VARCHAR(201), Prijmeni VARCHAR(100), Jmeno VARCHAR(100), Prezdivka VARCHAR(100),
         RC VARCHAR(11), Pohlavi VARCHAR(10), Vek INTEGER, VekVRoce INTEGER, DatumNarozeni DATE,
         Clen SMALLINT, Clenstvi DATE, ID_Kategorie VARCHAR(20), Kategorie VARCHAR(100), PrukazKCT VARCHAR(4),
         EuroBeds SMALLINT, Plavec SMALLINT,
         Ulice VARCHAR(100), CP VARCHAR(10), PSC VARCHAR(10), Mesto VARCHAR(100),
         Trvale_Ulice VARCHAR(100), Trvale_CP VARCHAR(10), Trvale_PSC VARCHAR(10), Trvale_Mesto VARCHAR(100),
         Telefon VARCHAR(100), Telefon2 VARCHAR(100), Mobil VARCHAR(100), Mail VARCHAR(100),
         Poznamka VARCHAR(9999), ID_Hodn INTEGER, Fotka VARCHAR(255))
AS
DECLARE VARIABLE muz CHAR(1);
BEGIN
  FOR SELECT c.ID, c.Prijmeni, c.Jmeno, c.Prezdivka, c.RC, c.Pohlavi, c.Narozen, c.Clen, c.Clenstvi,
             c.ID_Kategorie, k.DisplayName, c.PrukazKCT, c.EuroBeds, c.Plavec,
             c.Ulice, c.CP, c.PSC, c.Mesto, c.Trvale_Ulice, c.Trvale_CP, c.Trvale_PSC, c.Trvale_Mesto,
             c.Telefon, c.Telefon2, c.Mobil, c.Mail, c.Poznamka, c.ID_Hodn, c.Fotka
      FROM CL_CLEN c LEFT JOIN CL_KATEGORIE k ON k.ID = c.ID_Kategorie
      WHERE c.ID = :Clen_ID
      INTO :ID, :Prijmeni, :Jmeno, :Prezdivka, :RC, :muz, :DatumNarozeni, :Clen, :Clenstvi,
           :ID_Kategorie, :Kategorie, :PrukazKCT, :EuroBeds, :Plavec,
           :Ulice, :CP, :PSC, :Mesto, :Trvale_Ulice, :Trvale_CP, :Trvale_PSC, :Trvale_Mesto,
           :Telefon, :Telefon2, :Mobil, :Mail, :Poznamka, :ID_Hodn, :Fotka DO
  BEGIN
    DisplayName = TRIM(Prijmeni || ' ' || COALESCE(Jmeno, ''));
    Pohlavi = DECODE(muz, 'M', 'mužské', 'Z', 'ženské');
    SELECT Vek, VekVRoce FROM CL_VEK(:DatumNarozeni) INTO :Vek, :VekVRoce;
    SUSPEND;
  END
END^

/* A new person with the row of user-defined values. A non-member keeps no category. */
CREATE OR ALTER PROCEDURE cl_clen_new (Prijmeni VARCHAR(100), Jmeno VARCHAR(100), Prezdivka VARCHAR(100), RC VARCHAR(20),
  Fotka VARCHAR(255), Clenstvi DATE, EuroBeds SMALLINT, PrukazKCT VARCHAR(4), ID_Kategorie VARCHAR(20), Clen SMALLINT,
  Plavec SMALLINT, CL_1 VARCHAR(255), CL_2 VARCHAR(255), CL_3 VARCHAR(255), CL_4 VARCHAR(255), CL_5 VARCHAR(255),
  Poznamka VARCHAR(9999))
RETURNS (ID_Clen INTEGER)
AS
DECLARE VARIABLE rc_norm VARCHAR(11);
DECLARE VARIABLE narozen DATE;
DECLARE VARIABLE pohlavi CHAR(1);
DECLARE VARIABLE id_hodn INTEGER;
BEGIN
  SELECT RC_Norm, Narozen, Pohlavi FROM CL_Clen_KONTROLA(:Prijmeni, :RC, :ID_Kategorie, :Clen)
    INTO :rc_norm, :narozen, :pohlavi;
  id_hodn = GEN_ID(GEN_VL_HODN_ID, 1);
  INSERT INTO VL_HODN (ID, CL_1, CL_2, CL_3, CL_4, CL_5) VALUES (:id_hodn, :CL_1, :CL_2, :CL_3, :CL_4, :CL_5);
  ID_Clen = GEN_ID(GEN_CL_CLEN_ID, 1);
  INSERT INTO CL_CLEN (ID, Prijmeni, Jmeno, Prezdivka, RC, Narozen, Pohlavi, Clen, Clenstvi, ID_Kategorie, PrukazKCT,
                       EuroBeds, Plavec, Poznamka, Fotka, ID_Hodn, Zmeneno)
  VALUES (:ID_Clen, TRIM(:Prijmeni), :Jmeno, :Prezdivka, :rc_norm, :narozen, :pohlavi, IIF(:Clen = 1, 1, 0), :Clenstvi,
          IIF(:Clen = 1, :ID_Kategorie, NULL), :PrukazKCT, IIF(:EuroBeds <> 0, 1, 0), IIF(:Plavec = 1, 1, 0),
          :Poznamka, :Fotka, :id_hodn, CURRENT_TIMESTAMP);
  SUSPEND;
END^

CREATE OR ALTER PROCEDURE cl_clen_edit (ID INTEGER, Prijmeni VARCHAR(100), Jmeno VARCHAR(100), Prezdivka VARCHAR(100),
  RC VARCHAR(20), Fotka VARCHAR(255), Clenstvi DATE, EuroBeds SMALLINT, PrukazKCT VARCHAR(4), ID_Kategorie VARCHAR(20),
  Clen SMALLINT, Plavec SMALLINT, CL_1 VARCHAR(255), CL_2 VARCHAR(255), CL_3 VARCHAR(255), CL_4 VARCHAR(255),
  CL_5 VARCHAR(255), Poznamka VARCHAR(9999))
AS
DECLARE VARIABLE rc_norm VARCHAR(11);
DECLARE VARIABLE narozen DATE;
DECLARE VARIABLE pohlavi CHAR(1);
DECLARE VARIABLE id_hodn INTEGER;
BEGIN
  IF (NOT EXISTS (SELECT 1 FROM CL_CLEN WHERE ID = :ID)) THEN
    EXCEPTION TALBRECK_WARNING 'Člen již v evidenci není.';
  SELECT RC_Norm, Narozen, Pohlavi FROM CL_Clen_KONTROLA(:Prijmeni, :RC, :ID_Kategorie, :Clen)
    INTO :rc_norm, :narozen, :pohlavi;
  SELECT ID_Hodn FROM CL_CLEN WHERE ID = :ID INTO :id_hodn;
  IF (id_hodn IS NULL) THEN
    id_hodn = GEN_ID(GEN_VL_HODN_ID, 1);
  UPDATE OR INSERT INTO VL_HODN (ID, CL_1, CL_2, CL_3, CL_4, CL_5)
    VALUES (:id_hodn, :CL_1, :CL_2, :CL_3, :CL_4, :CL_5) MATCHING (ID);
  UPDATE CL_CLEN SET Prijmeni = TRIM(:Prijmeni), Jmeno = :Jmeno, Prezdivka = :Prezdivka, RC = :rc_norm,
    Narozen = :narozen, Pohlavi = :pohlavi, Clen = IIF(:Clen = 1, 1, 0), Clenstvi = :Clenstvi,
    ID_Kategorie = IIF(:Clen = 1, :ID_Kategorie, NULL), PrukazKCT = :PrukazKCT, EuroBeds = IIF(:EuroBeds <> 0, 1, 0),
    Plavec = IIF(:Plavec = 1, 1, 0), Poznamka = :Poznamka, Fotka = :Fotka, ID_Hodn = :id_hodn,
    Zmeneno = CURRENT_TIMESTAMP
  WHERE ID = :ID;
END^

CREATE OR ALTER PROCEDURE CL_Clen_Kontakt_EDIT (ID INTEGER, Telefon VARCHAR(100), Telefon2 VARCHAR(100),
  Mobil VARCHAR(100), Mail VARCHAR(100))
AS
BEGIN
  UPDATE CL_CLEN SET Telefon = :Telefon, Telefon2 = :Telefon2, Mobil = :Mobil, Mail = :Mail, Zmeneno = CURRENT_TIMESTAMP
  WHERE ID = :ID;
  IF (ROW_COUNT = 0) THEN
    EXCEPTION TALBRECK_WARNING 'Člen již v evidenci není.';
END^

/* Druh 'bydliste' is the residence address, 'trvale' the permanent one. */
CREATE OR ALTER PROCEDURE CL_Clen_Adresa_EDIT (ID INTEGER, Druh VARCHAR(20), Ulice VARCHAR(100), CP VARCHAR(10),
  PSC VARCHAR(10), Mesto VARCHAR(100))
AS
BEGIN
  IF (Druh = 'bydliste') THEN
    UPDATE CL_CLEN SET Ulice = :Ulice, CP = :CP, PSC = :PSC, Mesto = :Mesto, Zmeneno = CURRENT_TIMESTAMP WHERE ID = :ID;
  ELSE IF (Druh = 'trvale') THEN
    UPDATE CL_CLEN SET Trvale_Ulice = :Ulice, Trvale_CP = :CP, Trvale_PSC = :PSC, Trvale_Mesto = :Mesto,
      Zmeneno = CURRENT_TIMESTAMP WHERE ID = :ID;
  ELSE
    EXCEPTION TALBRECK_ERROR 'Neznámý druh adresy "' || COALESCE(Druh, '') || '".';
  IF (ROW_COUNT = 0) THEN
    EXCEPTION TALBRECK_WARNING 'Člen již v evidenci není.';
END^

/* The register as the member list shows it. Text matches any part of the
   name, nickname, address, contacts or the start of the birth number. The
   age range applies to the age today; a person without a birth date passes
   only an open range (0 to 99 or nulls). Clen 1 members, 0 non-members, null
   both. A person takes part in no event until the events module exists, so
   an event filter leaves no one. */
CREATE OR ALTER PROCEDURE CL_Clen_ALL (Hledat VARCHAR(255), Akce_ID INTEGER, Kategorie_ID VARCHAR(20),
  VekOd INTEGER, VekDo INTEGER, Stav SMALLINT)
RETURNS (ID INTEGER, DisplayName VARCHAR(201), Prijmeni VARCHAR(100), Jmeno VARCHAR(100), Prezdivka VARCHAR(100),
         RC VARCHAR(11), Pohlavi VARCHAR(10), DatumNarozeni DATE, Vek INTEGER, VekVRoce INTEGER,
         Clen SMALLINT, ID_Kategorie VARCHAR(20), Kategorie VARCHAR(100), PrukazKCT VARCHAR(4), PrukazKCT_VYPIS VARCHAR(20),
         adresa_bydliste VARCHAR(250), Ulice VARCHAR(100), CP VARCHAR(10), PSC VARCHAR(10), Mesto VARCHAR(100),
         Telefon VARCHAR(100), Mobil VARCHAR(100), Mail VARCHAR(100),
         CL_1 VARCHAR(255), CL_2 VARCHAR(255), CL_3 VARCHAR(255), CL_4 VARCHAR(255), CL_5 VARCHAR(255))
AS
DECLARE VARIABLE muz CHAR(1);
DECLARE VARIABLE otevreny SMALLINT;
BEGIN
  IF (Akce_ID IS NOT NULL) THEN EXIT;
  Hledat = TRIM(COALESCE(Hledat, ''));
  otevreny = IIF(COALESCE(VekOd, 0) <= 0 AND COALESCE(VekDo, 99) >= 99, 1, 0);
  FOR SELECT c.ID, c.Prijmeni, c.Jmeno, c.Prezdivka, c.RC, c.Pohlavi, c.Narozen, c.Clen, c.ID_Kategorie, k.DisplayName,
             c.PrukazKCT, c.Ulice, c.CP, c.PSC, c.Mesto, c.Telefon, c.Mobil, c.Mail,
             h.CL_1, h.CL_2, h.CL_3, h.CL_4, h.CL_5
      FROM CL_CLEN c
        LEFT JOIN CL_KATEGORIE k ON k.ID = c.ID_Kategorie
        LEFT JOIN VL_HODN h ON h.ID = c.ID_Hodn
      WHERE (:Stav IS NULL OR c.Clen = :Stav)
        AND (:Kategorie_ID IS NULL OR c.ID_Kategorie = :Kategorie_ID)
        AND (:Hledat = '' OR (c.Prijmeni || ' ' || COALESCE(c.Jmeno, '')) CONTAINING :Hledat
             OR (COALESCE(c.Jmeno, '') || ' ' || c.Prijmeni) CONTAINING :Hledat
             OR c.Prezdivka CONTAINING :Hledat OR c.Ulice CONTAINING :Hledat OR c.Mesto CONTAINING :Hledat
             OR c.Mail CONTAINING :Hledat OR c.Mobil CONTAINING :Hledat OR c.Telefon CONTAINING :Hledat
             OR c.RC STARTING WITH :Hledat)
      INTO :ID, :Prijmeni, :Jmeno, :Prezdivka, :RC, :muz, :DatumNarozeni, :Clen, :ID_Kategorie, :Kategorie,
           :PrukazKCT, :Ulice, :CP, :PSC, :Mesto, :Telefon, :Mobil, :Mail, :CL_1, :CL_2, :CL_3, :CL_4, :CL_5 DO
  BEGIN
    SELECT Vek, VekVRoce FROM CL_VEK(:DatumNarozeni) INTO :Vek, :VekVRoce;
    IF (IIF(Vek IS NULL, otevreny = 1, Vek >= COALESCE(VekOd, 0) AND Vek <= COALESCE(VekDo, 999))) THEN
    BEGIN
      DisplayName = TRIM(Prijmeni || ' ' || COALESCE(Jmeno, ''));
      Pohlavi = DECODE(muz, 'M', 'mužské', 'Z', 'ženské');
      PrukazKCT_VYPIS = PrukazKCT;
      adresa_bydliste = TRIM(TRIM(COALESCE(Ulice, '') || ' ' || COALESCE(CP, ''))
                             || IIF(COALESCE(Mesto, '') = '', '', ', ' || TRIM(COALESCE(PSC, '') || ' ' || Mesto)));
      SUSPEND;
    END
  END
END^

/* Whether a person may be deleted, and why not. */
CREATE OR ALTER PROCEDURE CL_Clen_CANDEL (ID INTEGER)
RETURNS (Lze SMALLINT, Duvod VARCHAR(200))
AS
BEGIN
  Lze = 1;
  Duvod = NULL;
  IF (NOT EXISTS (SELECT 1 FROM CL_CLEN WHERE ID = :ID)) THEN
  BEGIN
    Lze = 0;
    Duvod = 'Člen již v evidenci není.';
  END
  SUSPEND;
END^

/* Deletes a person with the parents and the user-defined values. */
CREATE OR ALTER PROCEDURE cl_clen_del (ID INTEGER)
AS
DECLARE VARIABLE lze SMALLINT;
DECLARE VARIABLE duvod VARCHAR(200);
DECLARE VARIABLE id_hodn INTEGER;
BEGIN
  IF (ID IS NULL) THEN EXIT;
  SELECT Lze, Duvod FROM CL_Clen_CANDEL(:ID) INTO :lze, :duvod;
  IF (lze = 0) THEN
    EXCEPTION TALBRECK_WARNING duvod;
  SELECT ID_Hodn FROM CL_CLEN WHERE ID = :ID INTO :id_hodn;
  DELETE FROM CL_RODIC WHERE ID_Clen = :ID;
  DELETE FROM CL_CLEN WHERE ID = :ID;
  IF (id_hodn IS NOT NULL) THEN
    DELETE FROM VL_HODN WHERE ID = :id_hodn;
END^

/* Members by category; a member without one counts as "ostatni". */
CREATE OR ALTER PROCEDURE CL_Clen_Kategorie_SUM
RETURNS (ZACTVO INTEGER, DOROST INTEGER, JUNIORI INTEGER, VEDOUCI INTEGER, OSTATNI INTEGER, CELKEM INTEGER)
AS
BEGIN
  SELECT COUNT(IIF(ID_Kategorie = 'zactvo', 1, NULL)), COUNT(IIF(ID_Kategorie = 'dorost', 1, NULL)),
         COUNT(IIF(ID_Kategorie = 'juniori', 1, NULL)), COUNT(IIF(ID_Kategorie = 'vedouci', 1, NULL)),
         COUNT(IIF(ID_Kategorie IS NULL OR ID_Kategorie NOT IN ('zactvo', 'dorost', 'juniori', 'vedouci'), 1, NULL)),
         COUNT(*)
  FROM CL_CLEN WHERE Clen = 1
  INTO :ZACTVO, :DOROST, :JUNIORI, :VEDOUCI, :OSTATNI, :CELKEM;
  SUSPEND;
END^

/* Active categories in their order, and the one given even when deleted. */
CREATE OR ALTER PROCEDURE cl_kategorie_all (ID_Zahrnout VARCHAR(20))
RETURNS (ID VARCHAR(20), DisplayName VARCHAR(100))
AS
BEGIN
  FOR SELECT ID, DisplayName FROM CL_KATEGORIE
      WHERE Aktivni = 1 OR ID = :ID_Zahrnout
      ORDER BY Poradi, DisplayName
      INTO :ID, :DisplayName DO
    SUSPEND;
END^

/* The parents of a person (ID null) or one of them. The kind's name is read
   even when the kind was deleted later, so a stored value never changes. */
CREATE OR ALTER PROCEDURE CL_RODIC_ALL (Clen_ID INTEGER, Rodic_ID INTEGER)
RETURNS (ID INTEGER, ID_Clen INTEGER, ID_Rodic_Typ INTEGER, Rodic_Typ VARCHAR(100), DisplayName VARCHAR(100),
         Telefon VARCHAR(100), Mail VARCHAR(100), Poznamka VARCHAR(2000), Primarni SMALLINT)
AS
BEGIN
  FOR SELECT r.ID, r.ID_Clen, r.ID_Rodic_Typ, t.DisplayName, r.DisplayName, r.Telefon, r.Mail, r.Poznamka, r.Primarni
      FROM CL_RODIC r JOIN CL_RODIC_TYP t ON t.ID = r.ID_Rodic_Typ
      WHERE r.ID_Clen = :Clen_ID AND (:Rodic_ID IS NULL OR r.ID = :Rodic_ID)
      ORDER BY r.Primarni DESC, r.DisplayName, r.ID
      INTO :ID, :ID_Clen, :ID_Rodic_Typ, :Rodic_Typ, :DisplayName, :Telefon, :Mail, :Poznamka, :Primarni DO
    SUSPEND;
END^

CREATE OR ALTER PROCEDURE CL_RODIC_KONTROLA (ID_Clen INTEGER, DisplayName VARCHAR(100), ID_Rodic_Typ INTEGER)
AS
BEGIN
  IF (TRIM(COALESCE(DisplayName, '')) = '') THEN
    EXCEPTION TALBRECK_WARNING 'Jméno rodiče musí být vyplněno.';
  IF (NOT EXISTS (SELECT 1 FROM CL_RODIC_TYP WHERE ID = :ID_Rodic_Typ)) THEN
    EXCEPTION TALBRECK_WARNING 'Neznámý typ rodiče.';
  IF (ID_Clen IS NOT NULL AND NOT EXISTS (SELECT 1 FROM CL_CLEN WHERE ID = :ID_Clen)) THEN
    EXCEPTION TALBRECK_WARNING 'Člen již v evidenci není.';
END^

CREATE OR ALTER PROCEDURE CL_RODIC_NEW (ID_Clen INTEGER, DisplayName VARCHAR(100), Telefon VARCHAR(100), Mail VARCHAR(100),
  ID_Rodic_Typ INTEGER, Poznamka VARCHAR(2000), Primarni SMALLINT)
RETURNS (ID INTEGER)
AS
BEGIN
  IF (ID_Clen IS NULL) THEN
    EXCEPTION TALBRECK_WARNING 'Rodič musí patřit ke členovi.';
  EXECUTE PROCEDURE CL_RODIC_KONTROLA(:ID_Clen, :DisplayName, :ID_Rodic_Typ);
  ID = GEN_ID(GEN_CL_RODIC_ID, 1);
  INSERT INTO CL_RODIC (ID, ID_Clen, ID_Rodic_Typ, DisplayName, Telefon, Mail, Poznamka, Primarni)
  VALUES (:ID, :ID_Clen, :ID_Rodic_Typ, :DisplayName, :Telefon, :Mail, :Poznamka, IIF(:Primarni = 1, 1, 0));
  SUSPEND;
END^

CREATE OR ALTER PROCEDURE CL_RODIC_EDIT (ID INTEGER, DisplayName VARCHAR(100), Telefon VARCHAR(100), Mail VARCHAR(100),
  ID_Rodic_Typ INTEGER, Poznamka VARCHAR(2000), Primarni SMALLINT)
AS
BEGIN
  EXECUTE PROCEDURE CL_RODIC_KONTROLA(NULL, :DisplayName, :ID_Rodic_Typ);
  UPDATE CL_RODIC SET DisplayName = :DisplayName, Telefon = :Telefon, Mail = :Mail, ID_Rodic_Typ = :ID_Rodic_Typ,
    Poznamka = :Poznamka, Primarni = IIF(:Primarni = 1, 1, 0)
  WHERE ID = :ID;
  IF (ROW_COUNT = 0) THEN
    EXCEPTION TALBRECK_WARNING 'Kontakt na rodiče již v evidenci není.';
END^

CREATE OR ALTER PROCEDURE CL_RODIC_DEL (ID INTEGER)
AS
BEGIN
  IF (ID IS NULL) THEN EXIT;
  DELETE FROM CL_RODIC WHERE ID = :ID;
END^

/* The captions of the user-defined columns; Typ 1 = the members' columns. */
CREATE OR ALTER PROCEDURE vl_sloupec_all (Typ INTEGER)
RETURNS (ID VARCHAR(20), Sloupec VARCHAR(20), DisplayName VARCHAR(100))
AS
BEGIN
  FOR SELECT ID, ID AS Sloupec, DisplayName FROM VL_SLOUPEC WHERE Typ = :Typ ORDER BY 1
      INTO :ID, :Sloupec, :DisplayName DO
    SUSPEND;
END^

CREATE OR ALTER PROCEDURE VL_SLOUPEC_EDIT (ID VARCHAR(20), DisplayName VARCHAR(100))
AS
BEGIN
  IF (TRIM(COALESCE(DisplayName, '')) = '') THEN
    EXCEPTION TALBRECK_WARNING 'Název vlastnosti musí být vyplněn.';
  UPDATE VL_SLOUPEC SET DisplayName = TRIM(:DisplayName) WHERE ID = :ID;
  IF (ROW_COUNT = 0) THEN
    EXCEPTION TALBRECK_WARNING 'Vlastnost "' || COALESCE(ID, '') || '" neexistuje.';
END^

/* One row always: empty values for a person without any. */
CREATE OR ALTER PROCEDURE vl_hodn_all (ID_Hodn INTEGER)
RETURNS (ID INTEGER, CL_1 VARCHAR(255), CL_2 VARCHAR(255), CL_3 VARCHAR(255), CL_4 VARCHAR(255), CL_5 VARCHAR(255))
AS
BEGIN
  ID = ID_Hodn;
  CL_1 = NULL; CL_2 = NULL; CL_3 = NULL; CL_4 = NULL; CL_5 = NULL;
  SELECT CL_1, CL_2, CL_3, CL_4, CL_5 FROM VL_HODN WHERE ID = :ID_Hodn INTO :CL_1, :CL_2, :CL_3, :CL_4, :CL_5;
  SUSPEND;
END^

/* Refuses a text longer than a field of the register takes, naming the field
   by its column in the spreadsheet and the person by name. */
CREATE OR ALTER PROCEDURE CL_Clen_DELKA (Hodnota VARCHAR(10000), Nejvyse INTEGER, Udaj VARCHAR(50), Kdo VARCHAR(210))
AS
BEGIN
  IF (CHAR_LENGTH(Hodnota) > Nejvyse) THEN
    EXCEPTION TALBRECK_WARNING 'Délka údaje "' || Udaj || '" u člena ''' || Kdo || ''' je ' || CHAR_LENGTH(Hodnota)
      || ', nejvýše smí být ' || Nejvyse || '.';
END^

/* One spreadsheet row as a new person with contacts, both addresses and one
   parent, in one call: a row that fails any check stores nothing. Texts are
   taken wider than the fields so that a long one is refused by name. The
   parent kind is a kind's ID or its name; empty means no parent. */
CREATE OR ALTER PROCEDURE CL_Clen_IMPORT (Prijmeni VARCHAR(1000), Jmeno VARCHAR(1000), Prezdivka VARCHAR(1000),
  RC VARCHAR(1000), Clenstvi DATE, Clen SMALLINT, Plavec SMALLINT, EuroBeds SMALLINT, PrukazKCT VARCHAR(1000),
  ID_Kategorie VARCHAR(1000), Rodic_Typ VARCHAR(1000), Rodic_Jmeno VARCHAR(1000), Rodic_Telefon VARCHAR(1000),
  Rodic_Mail VARCHAR(1000), Telefon VARCHAR(1000), Telefon2 VARCHAR(1000), Mobil VARCHAR(1000), Mail VARCHAR(1000),
  Ulice VARCHAR(1000), CP VARCHAR(1000), PSC VARCHAR(1000), Mesto VARCHAR(1000),
  Trvale_Ulice VARCHAR(1000), Trvale_CP VARCHAR(1000), Trvale_PSC VARCHAR(1000), Trvale_Mesto VARCHAR(1000),
  CL_1 VARCHAR(1000), CL_2 VARCHAR(1000), CL_3 VARCHAR(1000), CL_4 VARCHAR(1000), CL_5 VARCHAR(1000),
  Poznamka VARCHAR(10000))
RETURNS (ID_Clen INTEGER)
AS
DECLARE VARIABLE kdo VARCHAR(210);
DECLARE VARIABLE id_typ INTEGER;
DECLARE VARIABLE id_rodic INTEGER;
BEGIN
  kdo = LEFT(TRIM(COALESCE(Prijmeni, '') || ' ' || COALESCE(Jmeno, '')), 200);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Prijmeni, 100, 'Příjmení', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Jmeno, 100, 'Jméno', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Prezdivka, 100, 'Přezdívka', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:RC, 20, 'RČ', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:PrukazKCT, 4, 'Průkaz KČT', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:ID_Kategorie, 20, 'Kategorie', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Rodic_Typ, 100, 'Rodič - typ', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Rodic_Jmeno, 100, 'Rodič - jméno', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Rodic_Telefon, 100, 'Rodič - telefon', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Rodic_Mail, 100, 'Rodič - e-mail', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Telefon, 100, 'Kontakt - telefon', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Telefon2, 100, 'Kontakt - telefon 2', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Mobil, 100, 'Kontakt - mobil', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Mail, 100, 'Kontakt - e-mail', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Ulice, 100, 'Bydliště - ulice', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:CP, 10, 'Bydliště - čp', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:PSC, 10, 'Bydliště - psč', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Mesto, 100, 'Bydliště - město', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Trvale_Ulice, 100, 'Trv. pobyt - ulice', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Trvale_CP, 10, 'Trv. pobyt - čp', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Trvale_PSC, 10, 'Trv. pobyt - psč', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Trvale_Mesto, 100, 'Trv. pobyt - město', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:CL_1, 255, 'Volitelné 1', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:CL_2, 255, 'Volitelné 2', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:CL_3, 255, 'Volitelné 3', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:CL_4, 255, 'Volitelné 4', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:CL_5, 255, 'Volitelné 5', :kdo);
  EXECUTE PROCEDURE CL_Clen_DELKA(:Poznamka, 9999, 'Poznámka', :kdo);
  IF (Clen = 1 AND ID_Kategorie IS NULL) THEN
    EXCEPTION TALBRECK_WARNING 'Kategorie u člena ''' || kdo || ''' není zadána.';
  Rodic_Typ = TRIM(COALESCE(Rodic_Typ, ''));
  id_typ = NULL;
  IF (Rodic_Typ <> '') THEN
  BEGIN
    IF (Rodic_Typ SIMILAR TO '[0-9]{1,9}') THEN
      SELECT ID FROM CL_RODIC_TYP WHERE ID = CAST(:Rodic_Typ AS INTEGER) AND Aktivni = 1 INTO :id_typ;
    ELSE
      SELECT FIRST 1 ID FROM CL_RODIC_TYP
      WHERE Aktivni = 1 AND (UPPER(DisplayName) = UPPER(:Rodic_Typ) OR (ID = 3 AND UPPER(:Rodic_Typ) = 'ZASTUPCE'))
      ORDER BY ID INTO :id_typ;
    IF (id_typ IS NULL) THEN
      EXCEPTION TALBRECK_WARNING 'Neznámý typ rodiče ''' || Rodic_Typ || ''' u člena ''' || kdo || '''.';
  END
  SELECT ID_Clen FROM cl_clen_new(:Prijmeni, :Jmeno, :Prezdivka, :RC, 'unknown.jpg', :Clenstvi, :EuroBeds, :PrukazKCT,
                                  :ID_Kategorie, :Clen, :Plavec, :CL_1, :CL_2, :CL_3, :CL_4, :CL_5, :Poznamka)
    INTO :ID_Clen;
  IF (id_typ IS NOT NULL) THEN
    SELECT ID FROM CL_RODIC_NEW(:ID_Clen, :Rodic_Jmeno, :Rodic_Telefon, :Rodic_Mail, :id_typ, '', 1) INTO :id_rodic;
  EXECUTE PROCEDURE CL_Clen_Kontakt_EDIT(:ID_Clen, :Telefon, :Telefon2, :Mobil, :Mail);
  EXECUTE PROCEDURE CL_Clen_Adresa_EDIT(:ID_Clen, 'bydliste', :Ulice, :CP, :PSC, :Mesto);
  EXECUTE PROCEDURE CL_Clen_Adresa_EDIT(:ID_Clen, 'trvale', :Trvale_Ulice, :Trvale_CP, :Trvale_PSC, :Trvale_Mesto);
  SUSPEND;
END^

/* The events a person took part in; none until the events module exists. */
CREATE OR ALTER PROCEDURE AK_Akce_CLEN (Clen_ID INTEGER, Od DATE, Do_ DATE, Misto_Akce VARCHAR(100))
RETURNS (ID INTEGER, DisplayName VARCHAR(100), Misto VARCHAR(100), Datum_Od DATE)
AS
BEGIN
  /* Selectable with its columns declared, yet it never returns a row. */
  IF (1 = 0) THEN SUSPEND;
END^

SET TERM ; ^

INSERT INTO CL_KATEGORIE (ID, DisplayName, Aktivni, System, Poradi) VALUES ('zactvo', 'Žactvo', 1, 1, 1);
INSERT INTO CL_KATEGORIE (ID, DisplayName, Aktivni, System, Poradi) VALUES ('dorost', 'Dorost', 1, 1, 2);
INSERT INTO CL_KATEGORIE (ID, DisplayName, Aktivni, System, Poradi) VALUES ('juniori', 'Junioři', 1, 1, 3);
INSERT INTO CL_KATEGORIE (ID, DisplayName, Aktivni, System, Poradi) VALUES ('vedouci', 'Vedoucí', 1, 1, 4);
INSERT INTO CL_KATEGORIE (ID, DisplayName, Aktivni, System, Poradi) VALUES ('ostatni', 'Ostatní', 1, 1, 5);

INSERT INTO CL_RODIC_TYP (DisplayName, Aktivni, System) VALUES ('otec', 1, 1);
INSERT INTO CL_RODIC_TYP (DisplayName, Aktivni, System) VALUES ('matka', 1, 1);
INSERT INTO CL_RODIC_TYP (DisplayName, Aktivni, System) VALUES ('zástupce', 1, 1);

INSERT INTO VL_SLOUPEC (ID, Typ, DisplayName) VALUES ('CL_01', 1, 'Vlastnost 1');
INSERT INTO VL_SLOUPEC (ID, Typ, DisplayName) VALUES ('CL_02', 1, 'Vlastnost 2');
INSERT INTO VL_SLOUPEC (ID, Typ, DisplayName) VALUES ('CL_03', 1, 'Vlastnost 3');
INSERT INTO VL_SLOUPEC (ID, Typ, DisplayName) VALUES ('CL_04', 1, 'Vlastnost 4');
INSERT INTO VL_SLOUPEC (ID, Typ, DisplayName) VALUES ('CL_05', 1, 'Vlastnost 5');

/* The members' system reports; the templates are in data/report. */
INSERT INTO OD_Formular (ID, DisplayName) VALUES ('frmClen', 'Karta člena');
INSERT INTO OD_Sestava (Formular, DisplayName, Autor, Poznamka, FileName, System)
  VALUES ('frmClen', 'Karta člena', 'ZUNO', 'Osobní údaje, adresy, kontakty, rodiče, vlastnosti, akce a fotografie.', 'cl_karta.zrs', 1);
INSERT INTO OD_Formular (ID, DisplayName) VALUES ('frmClenove', 'Seznam členů');
INSERT INTO OD_Sestava (Formular, DisplayName, Autor, Poznamka, FileName, System)
  VALUES ('frmClenove', 'Seznam členů', 'ZUNO', 'Tabulka vybraných osob s jejich počtem.', 'cl_seznam.zrs', 1);
INSERT INTO OD_Sestava (Formular, DisplayName, Autor, Poznamka, FileName, System)
  VALUES ('frmClenove', 'Kontakty na členy', 'ZUNO', 'Mobil, e-mail a adresa podle kategorií, pro vedoucí.', 'cl_kontakty.zrs', 1);
