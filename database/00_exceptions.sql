/* The three exceptions a procedure raises to refuse an action or to tell
   the user something. They are created first and in this order: the program
   reads the severity from their numbers (1 error, 2 information, 3 warning). */

CREATE EXCEPTION TALBRECK_ERROR 'Chyba';
CREATE EXCEPTION TALBRECK_INFO 'Informace';
CREATE EXCEPTION TALBRECK_WARNING 'Varování';
