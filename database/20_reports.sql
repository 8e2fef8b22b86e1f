/* Reports: the groups of report templates, the registered templates
   (system ones come with the program, user ones are added in the report
   window) and the organisation's profile that every report prints. */

/* A report group: the key under which a printing window finds its templates. */
CREATE TABLE OD_Formular (
  ID D_KEY PRIMARY KEY,
  DisplayName D_NAME
);

CREATE TABLE OD_Sestava (
  ID D_ID NOT NULL PRIMARY KEY,
  Formular D_KEY,
  DisplayName D_NAME,
  Datum TIMESTAMP DEFAULT CURRENT_TIMESTAMP,
  Autor D_NAME,
  Poznamka D_NOTE,
  FileName D_TEXT NOT NULL,
  System D_BOOL,
  filtr_ROK D_BOOL,
  filtr_den D_BOOL
);

CREATE GENERATOR GEN_OD_SESTAVA_ID;

/* The organisation's own profile: one row. ID_KCTOBLAST and KCT_CISLO are the
   region and the number of the club's branch, printed beside a member's number. */
CREATE TABLE OD_Oficiality (
  ID D_ID NOT NULL PRIMARY KEY,
  Nazev D_TEXT,
  Ulice D_TEXT,
  Mesto D_NAME,
  PSC VARCHAR(10),
  ICO VARCHAR(20),
  DIC VARCHAR(20),
  Ucet D_NAME,
  Telefon D_NAME,
  Email D_NAME,
  WWW D_NAME,
  Predseda D_NAME,
  Logo D_TEXT,
  ID_KCTOBLAST VARCHAR(20),
  KCT_CISLO VARCHAR(20)
);

SET TERM ^ ;

CREATE TRIGGER OD_SESTAVA_BI FOR OD_Sestava ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.ID IS NULL) THEN NEW.ID = GEN_ID(GEN_OD_SESTAVA_ID, 1);
END^

/* The shown name of a report group; the group's own key when it has none. */
CREATE OR ALTER PROCEDURE OD_FORMULAR_ALL (Formular VARCHAR(50))
RETURNS (DisplayName VARCHAR(100))
AS
BEGIN
  DisplayName = NULL;
  SELECT DisplayName FROM OD_Formular WHERE ID = :Formular INTO :DisplayName;
  IF (DisplayName IS NULL) THEN DisplayName = Formular;
  SUSPEND;
END^

/* The reports of a group (system ones first, then by name), or one report by its ID. */
CREATE OR ALTER PROCEDURE OD_Sestava_ALL (Formular VARCHAR(50), SestavaID INTEGER)
RETURNS (ID INTEGER, DisplayName VARCHAR(100), Datum VARCHAR(20), Autor VARCHAR(100),
         Poznamka VARCHAR(4000), FileName VARCHAR(255), System SMALLINT,
         filtr_ROK SMALLINT, filtr_den SMALLINT)
AS
DECLARE VARIABLE d TIMESTAMP;
BEGIN
  FOR SELECT ID, DisplayName, Datum, Autor, Poznamka, FileName, System, filtr_ROK, filtr_den
      FROM OD_Sestava
      WHERE (:SestavaID IS NOT NULL AND ID = :SestavaID) OR (:SestavaID IS NULL AND Formular = :Formular)
      ORDER BY System DESC, DisplayName COLLATE PXW_CSY
      INTO :ID, :DisplayName, :d, :Autor, :Poznamka, :FileName, :System, :filtr_ROK, :filtr_den DO
  BEGIN
    Datum = LPAD(EXTRACT(DAY FROM d), 2, '0') || '.' || LPAD(EXTRACT(MONTH FROM d), 2, '0') || '.' || EXTRACT(YEAR FROM d);
    SUSPEND;
  END
END^

CREATE OR ALTER PROCEDURE od_sestava_new (DisplayName VARCHAR(100), Poznamka VARCHAR(4000), Autor VARCHAR(100),
  FileName VARCHAR(255), Formular VARCHAR(50), filtr_ROK SMALLINT, filtr_den SMALLINT)
RETURNS (ID INTEGER)
AS
BEGIN
  IF (FileName IS NULL OR TRIM(FileName) = '') THEN
    EXCEPTION TALBRECK_WARNING 'Sestava nemá soubor šablony.';
  ID = GEN_ID(GEN_OD_SESTAVA_ID, 1);
  INSERT INTO OD_Sestava (ID, Formular, DisplayName, Autor, Poznamka, FileName, System, filtr_ROK, filtr_den)
  VALUES (:ID, :Formular, :DisplayName, :Autor, :Poznamka, :FileName, 0, COALESCE(:filtr_ROK, 0), COALESCE(:filtr_den, 0));
  SUSPEND;
END^

/* A system report is never changed here: the program's own templates come with it. */
CREATE OR ALTER PROCEDURE od_sestava_edit (ID INTEGER, DisplayName VARCHAR(100), Autor VARCHAR(100),
  FileName VARCHAR(255), Poznamka VARCHAR(4000), Rezerva1 SMALLINT, Rezerva2 SMALLINT)
AS
BEGIN
  IF (EXISTS (SELECT 1 FROM OD_Sestava WHERE ID = :ID AND System = 1)) THEN
    EXCEPTION TALBRECK_WARNING 'Systémovou sestavu nelze měnit.';
  UPDATE OD_Sestava SET DisplayName = :DisplayName, Autor = :Autor, FileName = :FileName, Poznamka = :Poznamka
  WHERE ID = :ID;
END^

CREATE OR ALTER PROCEDURE od_sestava_del (ID INTEGER)
AS
BEGIN
  IF (ID IS NULL) THEN EXIT;
  IF (EXISTS (SELECT 1 FROM OD_Sestava WHERE ID = :ID AND System = 1)) THEN
    EXCEPTION TALBRECK_WARNING 'Systémovou sestavu nelze smazat.';
  DELETE FROM OD_Sestava WHERE ID = :ID;
END^

/* The organisation's profile with the logo setting, as every report prints it. */
CREATE OR ALTER PROCEDURE OD_Oficiality_ALL
RETURNS (Nazev VARCHAR(255), Ulice VARCHAR(255), Mesto VARCHAR(100), PSC VARCHAR(10), ICO VARCHAR(20),
         DIC VARCHAR(20), Ucet VARCHAR(100), Telefon VARCHAR(100), Email VARCHAR(100), WWW VARCHAR(100),
         Predseda VARCHAR(100), Logo VARCHAR(255), ID_KCTOBLAST VARCHAR(20), KCT_CISLO VARCHAR(20))
AS
BEGIN
  FOR SELECT FIRST 1 Nazev, Ulice, Mesto, PSC, ICO, DIC, Ucet, Telefon, Email, WWW, Predseda, Logo, ID_KCTOBLAST, KCT_CISLO
      FROM OD_Oficiality ORDER BY ID
      INTO :Nazev, :Ulice, :Mesto, :PSC, :ICO, :DIC, :Ucet, :Telefon, :Email, :WWW, :Predseda, :Logo,
           :ID_KCTOBLAST, :KCT_CISLO DO
  BEGIN
    IF (Logo IS NULL OR Logo = '') THEN
      SELECT Hodnota FROM OD_Nastaveni WHERE ID = 'OD_LOGO' INTO :Logo;
    SUSPEND;
  END
END^

SET TERM ; ^

INSERT INTO OD_Oficiality (ID, Nazev) VALUES (1, '');

/* The report groups and system reports of the program; each module that
   prints adds its own here with its template files in data/report. */
INSERT INTO OD_Formular (ID, DisplayName) VALUES ('frmUkazka', 'Ukázkové sestavy');
INSERT INTO OD_Sestava (Formular, DisplayName, Autor, Poznamka, FileName, System)
  VALUES ('frmUkazka', 'Seznam položek', 'ZUNO', 'Ukázkový seznam se skupinami, součty a záhlavím na každé stránce.', 'ukazka_seznam.zrs', 1);
INSERT INTO OD_Sestava (Formular, DisplayName, Autor, Poznamka, FileName, System)
  VALUES ('frmUkazka', 'Průvodní list', 'ZUNO', 'Ukázkový jednostránkový formulář s hlavičkou organizace.', 'ukazka_formular.zrs', 1);
