/* The application's own objects: the schema version, the settings table and
   the current years of the two bookkeeping modules. */

/* The settings: one text value per key. */
CREATE TABLE OD_Nastaveni (
  ID D_KEY PRIMARY KEY,
  Hodnota D_LONGTEXT
);

SET TERM ^ ;

/* The version of this schema; an upgrade script redefines it. */
CREATE OR ALTER PROCEDURE OD_VERZE
RETURNS (Verze INTEGER, Podverze INTEGER)
AS
BEGIN
  Verze = 6;
  Podverze = 0;
  SUSPEND;
END^

CREATE OR ALTER PROCEDURE OD_Nastaveni_ALL
RETURNS (ID VARCHAR(50), Hodnota VARCHAR(16000))
AS
BEGIN
  FOR SELECT ID, Hodnota FROM OD_Nastaveni ORDER BY ID INTO :ID, :Hodnota DO
    SUSPEND;
END^

/* Stores a value under a key, creating the key when it is new. */
CREATE OR ALTER PROCEDURE od_nastaveni_upd (ID VARCHAR(50), Hodnota VARCHAR(16000))
AS
BEGIN
  IF (ID IS NULL OR TRIM(ID) = '') THEN
    EXCEPTION TALBRECK_ERROR 'Nastavení nemá název.';
  UPDATE OR INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES (:ID, :Hodnota) MATCHING (ID);
END^

/* The current year of the tax records; none until that module has its years. */
CREATE OR ALTER PROCEDURE PD_ROK_AKTUALNI
RETURNS (Rok INTEGER)
AS
BEGIN
  Rok = NULL;
  SUSPEND;
END^

/* The current bookkeeping year; none until that module has its years. */
CREATE OR ALTER PROCEDURE PU_ROK_AKTUALNI
RETURNS (Rok INTEGER)
AS
BEGIN
  Rok = NULL;
  SUSPEND;
END^

SET TERM ; ^
