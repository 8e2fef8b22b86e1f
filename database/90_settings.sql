/* The initial value of every setting the program reads. Module switches
   stay off until their modules are built. Dates are day numbers (days since
   30 December 1899). */

INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('JU', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('APP_WindowState', '1');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('APP_Datum_Rozsah', '30');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('DB_Upgradovatelna', '1');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('DB_VerzeDovetek', '');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('DB_ZalohaDatum', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('DB_ZalohaInterval', '7');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_AktDatum', '39814');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_AktDatum_Start', '1');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_DokladEditace', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_Splatnost', '14');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_PrecislovatRadu', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_UC_VlastniJmeni', '901000');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_UC_Roz_Poc', '701000');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_UC_Roz_Kon', '702000');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_UC_ZiskAZtraty', '710000');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_UC_HospVysledek', '931000');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_BANKAP_PredkontaceUhrada', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_BANKAV_PredkontaceUhrada', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_POKLADNAP_PredkontaceUhrada', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('PU_POKLADNAV_PredkontaceUhrada', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CL_Fotka', '1');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('OD_LOGO', '');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('OD_EvidovatKCT', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('OD_EvidovatEurobeds', '0');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('OD_CisloOddiluNazev', 'Číslo oddílu');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('SL_InformaceOddil', 'Informace o oddílu');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('SL_OddiloveKontakty', 'Oddílové kontakty');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('SL_Vedouci', 'Vedoucí');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('SL_Zastupce', 'Zástupce');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('MJ_ZelenaKartaNazev', 'Zelená karta');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('MJ_Odpis_Mez', '80000');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_VYUCTOVANI_Nahrada', '5.80');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_VYUCTOVANI_CenaPHM', '38.70');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_SMLOUVA_ZAKON_NEURCITA', 'Cestovní náhrady se poskytují ve výši a za podmínek stanovených zákonem o cestovních náhradách. Smlouva se uzavírá na dobu neurčitou.');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_SMLOUVA_ZAKON_URCITA', 'Cestovní náhrady se poskytují ve výši a za podmínek stanovených zákonem o cestovních náhradách. Smlouva se uzavírá na dobu určitou.');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_SMLOUVA_ZAKON_AKCE', 'Cestovní náhrady se poskytují ve výši a za podmínek stanovených zákonem o cestovních náhradách. Smlouva se uzavírá na dobu konání akce.');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_SMLOUVA_PREDPIS_NEURCITA', 'Cestovní náhrady se poskytují ve výši a za podmínek stanovených vnitřním předpisem organizace. Smlouva se uzavírá na dobu neurčitou.');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_SMLOUVA_PREDPIS_URCITA', 'Cestovní náhrady se poskytují ve výši a za podmínek stanovených vnitřním předpisem organizace. Smlouva se uzavírá na dobu určitou.');
INSERT INTO OD_Nastaveni (ID, Hodnota) VALUES ('CE_SMLOUVA_PREDPIS_AKCE', 'Cestovní náhrady se poskytují ve výši a za podmínek stanovených vnitřním předpisem organizace. Smlouva se uzavírá na dobu konání akce.');
