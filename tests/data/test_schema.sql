/* Objects only the tests' template database has. */

/* Exceptions numbered 4 to 7, so that a procedure can raise a number the
   program does not know. */
CREATE EXCEPTION TEST_EXC_4 'Test 4';
CREATE EXCEPTION TEST_EXC_5 'Test 5';
CREATE EXCEPTION TEST_EXC_6 'Test 6';
CREATE EXCEPTION TEST_EXC_7 'Test 7';

CREATE TABLE TEST_RADKY (
  ID INTEGER NOT NULL PRIMARY KEY,
  DisplayName VARCHAR(60),
  Castka NUMERIC(18,4),
  Datum DATE,
  Cas TIMESTAMP,
  Poznamka BLOB SUB_TYPE TEXT
);

SET TERM ^ ;

/* Raises the exception numbered N with the given message. */
CREATE OR ALTER PROCEDURE TEST_RAISE (N INTEGER, MSG VARCHAR(200))
AS
BEGIN
  IF (N = 1) THEN EXCEPTION TALBRECK_ERROR MSG;
  IF (N = 2) THEN EXCEPTION TALBRECK_INFO MSG;
  IF (N = 3) THEN EXCEPTION TALBRECK_WARNING MSG;
  IF (N = 7) THEN EXCEPTION TEST_EXC_7 MSG;
END^

/* N generated rows, for reading and for measuring. */
CREATE OR ALTER PROCEDURE TEST_ROWS (N INTEGER)
RETURNS (ID INTEGER, DisplayName VARCHAR(60), Castka NUMERIC(18,4), Datum DATE)
AS
BEGIN
  ID = 0;
  WHILE (ID < N) DO
  BEGIN
    ID = ID + 1;
    DisplayName = 'Řádek č. ' || ID;
    Castka = ID * 12.5;
    Datum = DATE '2009-01-01' + MOD(ID, 365);
    SUSPEND;
  END
END^

/* Echoes its arguments, so that the literals the program writes can be checked. */
CREATE OR ALTER PROCEDURE TEST_ECHO (T VARCHAR(200), I INTEGER, M NUMERIC(18,4), D DATE, B SMALLINT)
RETURNS (T_OUT VARCHAR(200), I_OUT INTEGER, M_OUT NUMERIC(18,4), D_OUT DATE, B_OUT SMALLINT, T_NULL SMALLINT)
AS
BEGIN
  T_OUT = T;
  I_OUT = I;
  M_OUT = M;
  D_OUT = D;
  B_OUT = B;
  T_NULL = IIF(T IS NULL, 1, 0);
  SUSPEND;
END^

SET TERM ; ^
