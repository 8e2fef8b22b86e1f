/* Runs in the new database once the data are converted and the generators set. */

INSERT INTO CL_CLEN (Jmeno, Prijmeni, Prispevek, Aktivni, Stav) VALUES ('Nový', 'Po převodu', 0, 1, 'aktivní');
