/* A comment
   over two lines */
CREATE TABLE T (ID INTEGER, A VARCHAR(10));
INSERT INTO T VALUES (1, 'a;b'); /* after */
SET TERM ^ ;
CREATE OR ALTER PROCEDURE P (A INTEGER)
AS
BEGIN
  /* inside */
  INSERT INTO T VALUES (:A, 'x');
END^
SET TERM ; ^
COMMIT;
*/
