/* The current schema as the upgrade tests see it, on top of the tests'
   template: members with the columns the conversion script fills, and a
   table whose generator the empty database ships with a stale value. */

ALTER TABLE CL_CLEN ADD Prispevek D_MONEY, ADD Aktivni D_BOOL, ADD Stav D_TEXT;

SET GENERATOR GEN_CL_RODIC_ID TO 5;
