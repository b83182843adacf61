-- Coded rows of a payroll archive that every demo and test archive starts
-- with: years, months, places, categories, legal positions, qualifications,
-- cost items, withholding codes and rates, compensation items, minimum
-- deductions, chart-of-accounts marks, administrations and funds.
-- Portable SQL for SQLite and PostgreSQL. The codes' meanings are listed in
-- docs/archive.md; the 730 compensation items come from
-- etc/kbr/TV730_VOCI730.cds and are added by the program that fills the
-- archive. Statements end with a semicolon at the end of a line.

INSERT INTO TANF_ANNIFINANZ (IANFID, IANFVALORE, SANFDESC, DANFZEFIRINIZIO, DANFZEFIRFINE) VALUES
 (49, 2018, '2018', '2018-01-01', '2018-12-31'), (50, 2019, '2019', '2019-01-01', '2019-12-31'),
 (51, 2020, '2020', '2020-01-01', '2020-12-31'), (52, 2021, '2021', '2021-01-01', '2021-12-31'),
 (53, 2022, '2022', '2022-01-01', '2022-12-31'), (54, 2023, '2023', '2023-01-01', '2023-12-31'),
 (55, 2024, '2024', '2024-01-01', '2024-12-31'), (56, 2025, '2025', '2025-01-01', '2025-12-31'),
 (57, 2026, '2026', '2026-01-01', '2026-12-31');
INSERT INTO TANS_ANNISCOLAST (IANSID, SANSDESC, DANSZEFIRINIZIO, DANSZEFIRFINE) VALUES
 (49, '2018/2019', '2018-09-01', '2019-08-31'), (50, '2019/2020', '2019-09-01', '2020-08-31'),
 (51, '2020/2021', '2020-09-01', '2021-08-31'), (52, '2021/2022', '2021-09-01', '2022-08-31'),
 (53, '2022/2023', '2022-09-01', '2023-08-31'), (54, '2023/2024', '2023-09-01', '2024-08-31'),
 (55, '2024/2025', '2024-09-01', '2025-08-31'), (56, '2025/2026', '2025-09-01', '2026-08-31');
INSERT INTO TMES_MESI (IMESID, SMESLDESC, SMESSDESC) VALUES
 (1, 'Gennaio', 'Gen'), (2, 'Febbraio', 'Feb'), (3, 'Marzo', 'Mar'), (4, 'Aprile', 'Apr'),
 (5, 'Maggio', 'Mag'), (6, 'Giugno', 'Giu'), (7, 'Luglio', 'Lug'), (8, 'Agosto', 'Ago'),
 (9, 'Settembre', 'Set'), (10, 'Ottobre', 'Ott'), (11, 'Novembre', 'Nov'), (12, 'Dicembre', 'Dic');
INSERT INTO TSEX_SESSI (ISEXID, SSEXSDESC, SSEXLDESC) VALUES (1, 'M', 'Maschio'), (2, 'F', 'Femmina');

INSERT INTO TPRO_PROVINCE (IPROID, SPROSIGLA, SPRODESC) VALUES
 (1, 'RM', 'Roma'), (2, 'MI', 'Milano'), (3, 'NA', 'Napoli'), (4, 'TO', 'Torino'), (5, 'PA', 'Palermo'),
 (6, 'GE', 'Genova'), (7, 'BO', 'Bologna'), (8, 'FI', 'Firenze'), (9, 'BA', 'Bari'), (10, 'CT', 'Catania'),
 (11, 'VE', 'Venezia'), (12, 'VR', 'Verona'), (13, 'ME', 'Messina'), (14, 'PD', 'Padova'), (15, 'TS', 'Trieste'),
 (16, 'BS', 'Brescia'), (17, 'PR', 'Parma'), (18, 'MO', 'Modena'), (19, 'RC', 'Reggio Calabria'), (20, 'PG', 'Perugia'),
 (21, 'CA', 'Cagliari'), (22, 'PE', 'Pescara'), (23, 'AN', 'Ancona'), (24, 'SA', 'Salerno'), (25, 'LE', 'Lecce'),
 (26, 'BG', 'Bergamo'), (27, 'TN', 'Trento'), (28, 'BZ', 'Bolzano'), (29, 'PZ', 'Potenza'), (30, 'CB', 'Campobasso'),
 (31, 'AO', 'Aosta'), (32, 'AQ', 'L''Aquila'), (33, 'CZ', 'Catanzaro');
INSERT INTO TCOM_COMUNI (ICOMID, SCOMDESC, IPROID, SSRPCCODCATA) VALUES
 (1, 'ROMA', 1, 'H501'), (2, 'MILANO', 2, 'F205'), (3, 'NAPOLI', 3, 'F839'), (4, 'TORINO', 4, 'L219'),
 (5, 'PALERMO', 5, 'G273'), (6, 'GENOVA', 6, 'D969'), (7, 'BOLOGNA', 7, 'A944'), (8, 'FIRENZE', 8, 'D612'),
 (9, 'BARI', 9, 'A662'), (10, 'CATANIA', 10, 'C351'), (11, 'VENEZIA', 11, 'L736'), (12, 'VERONA', 12, 'L781'),
 (13, 'MESSINA', 13, 'F158'), (14, 'PADOVA', 14, 'G224'), (15, 'TRIESTE', 15, 'L424'), (16, 'BRESCIA', 16, 'B157'),
 (17, 'PARMA', 17, 'G337'), (18, 'MODENA', 18, 'F257'), (19, 'REGGIO DI CALABRIA', 19, 'H224'), (20, 'PERUGIA', 20, 'G478'),
 (21, 'CAGLIARI', 21, 'B354'), (22, 'PESCARA', 22, 'G482'), (23, 'ANCONA', 23, 'A271'), (24, 'SALERNO', 24, 'H703'),
 (25, 'LECCE', 25, 'E506'), (26, 'BERGAMO', 26, 'A794'), (27, 'TRENTO', 27, 'L378'), (28, 'BOLZANO', 28, 'A952'),
 (29, 'POTENZA', 29, 'G942'), (30, 'CAMPOBASSO', 30, 'B519'), (31, 'AOSTA', 31, 'A326'), (32, 'L''AQUILA', 32, 'A345'),
 (33, 'CATANZARO', 33, 'C352');
INSERT INTO TCAP_CAP (ICAPID, SCAPVALUE, ICOMID) VALUES
 (1, '00100', 1), (2, '20100', 2), (3, '80100', 3), (4, '10100', 4), (5, '90100', 5), (6, '16100', 6),
 (7, '40100', 7), (8, '50100', 8), (9, '70100', 9), (10, '95100', 10), (11, '30100', 11), (12, '37100', 12),
 (13, '98100', 13), (14, '35100', 14), (15, '34100', 15), (16, '25100', 16), (17, '43100', 17), (18, '41100', 18),
 (19, '89100', 19), (20, '06100', 20), (21, '09100', 21), (22, '65100', 22), (23, '60100', 23), (24, '84100', 24),
 (25, '73100', 25), (26, '24100', 26), (27, '38100', 27), (28, '39100', 28), (29, '85100', 29), (30, '86100', 30),
 (31, '11100', 31), (32, '67100', 32), (33, '88100', 33);
INSERT INTO TSTA_STATI (ISTAID, SSTADESC, SSTACODCATA, ISTACODEST) VALUES
 (1, 'ALBANIA', 'Z100', 87), (2, 'FRANCIA', 'Z110', 29), (3, 'GERMANIA', 'Z112', 94), (4, 'ROMANIA', 'Z129', 61),
 (5, 'SVIZZERA', 'Z133', 71), (6, 'MAROCCO', 'Z330', 107), (7, 'ARGENTINA', 'Z600', 5);

INSERT INTO TCAL_CATEGORIE (ICALID, ICALZEFIRCODE, SCALLDESC) VALUES
 (1, 1, 'Personale docente'), (2, 2, 'Personale ATA'), (3, 3, 'Collaboratori esterni'),
 (4, 4, 'Lavoratori autonomi'), (5, 5, 'Borsisti e dottorandi');
INSERT INTO TTNO_TIPINOMINA (ITNOID, ITNOZEFIRCODE, STNOLDESC, LPER_INPS, LPER_ALTRI_DATI, LTNOCOCOCO) VALUES
 (1, 1, 'Docente a tempo indeterminato', 1, 1, 0),
 (2, 2, 'Personale ATA a tempo indeterminato', 1, 1, 0),
 (3, 3, 'Supplente annuale', 1, 1, 0),
 (4, 4, 'Supplente fino al termine delle attività didattiche', 1, 1, 0),
 (5, 5, 'Supplente temporaneo', 1, 1, 0),
 (9, 9, 'Esperto esterno', 0, 0, 0),
 (10, 10, 'Lavoratore autonomo occasionale', 0, 0, 0),
 (11, 11, 'Collaboratore coordinato e continuativo', 1, 1, 1),
 (12, 12, 'Commissario d''esame', 0, 0, 0),
 (13, 13, 'Revisore dei conti', 0, 0, 0),
 (14, 14, 'Libero professionista', 0, 0, 0),
 (15, 15, 'Compensi per diritti d''autore e attrezzature', 0, 0, 0),
 (17, 17, 'Borsista', 1, 1, 0);
INSERT INTO TQAR_QUALIFICHE (IQARID, IQARZEFIRCODE, SQARLDESC, SQUACODICE) VALUES
 (1, 1, 'Docente scuola primaria', '4'), (2, 2, 'Docente scuola secondaria', '4'),
 (3, 3, 'Collaboratore scolastico', '3'), (4, 4, 'Assistente amministrativo', '2'),
 (5, 5, 'Direttore dei servizi generali e amministrativi', '2'), (6, 6, 'Collaboratore esterno', '5');
INSERT INTO TCOT_COSTI (ICOTID, SCOTLDESC, ICOTFONDAMENTALE) VALUES
 (1, 'Stipendi personale di ruolo', 1), (2, 'Supplenze brevi e saltuarie', 1),
 (3, 'Compensi accessori', 3), (4, 'Collaborazioni e prestazioni professionali', 2);
INSERT INTO TRITV_RITENUTEVOCI (IRITVID, SRITVDESC) VALUES
 (1, 'IRPEF'), (2, 'Addizionale regionale'), (3, 'Addizionale comunale a saldo'),
 (4, 'Acconto addizionale comunale'), (5, 'Contributi previdenziali'), (6, 'Previdenza complementare');
INSERT INTO TRICE_RITENUTE (IRICEID, SRICEDESC, IRITVID, IRICEIDPADRE, SRICEENTE, SRICEFPLS) VALUES
 (1, 'Fondo pensione (gestione pubblica)', 5, NULL, 'INPDAP', NULL),
 (2, 'Trattamento di fine servizio (gestione pubblica)', 5, NULL, 'INPDAP', NULL),
 (3, 'Fondo credito (gestione pubblica)', 5, NULL, 'INPDAP', NULL),
 (4, 'INPS contributo disoccupazione', 5, NULL, 'INPS', NULL),
 (5, 'INPS invalidità, vecchiaia e superstiti', 5, NULL, 'INPS', NULL),
 (6, 'INPS gestione separata', 5, NULL, 'INPS', NULL),
 (7, 'IRPEF', 1, NULL, 'FISCO', NULL),
 (8, 'Addizionale comunale a saldo', 3, NULL, 'FISCO', NULL),
 (9, 'Acconto addizionale comunale', 4, NULL, 'FISCO', NULL),
 (10, 'Addizionale regionale', 2, NULL, 'FISCO', NULL),
 (11, 'IRPEF lavoro autonomo e altri mesi', 1, NULL, 'FISCO', NULL),
 (12, 'IRPEF tassazione separata arretrati', 1, NULL, 'FISCO', NULL),
 (13, 'FPLS (ex ENPALS)', 5, NULL, 'FPLS', NULL),
 (14, 'Previdenza complementare a carico dipendente', 6, NULL, 'FPC', NULL),
 (15, 'Previdenza complementare a carico amministrazione', 6, NULL, 'FPC', NULL),
 (16, 'Quota TFR alla previdenza complementare', 6, NULL, 'FPC', NULL),
 (17, 'INPS contributo aggiuntivo', 5, NULL, 'INPS', NULL),
 (18, 'FPLS contributo aggiuntivo', 5, 13, 'FPLS', 'CTRAGG'),
 (19, 'FPLS eccedenza massimale', 5, 13, 'FPLS', 'ECCMASS'),
 (20, 'INPS contributo malattia e maternità', 5, NULL, 'INPS', NULL);
INSERT INTO TRICA_ALIQUOTE (IRICAID, IRICEID, IANFID, FRICAALIQUOTADIP, FRICAALIQUOTAAMM) VALUES
 (1, 1, 55, 8.8000, 24.2000), (2, 2, 55, 2.5000, 7.1000), (3, 3, 55, 0.3500, 0),
 (4, 4, 55, 0, 1.6100), (5, 5, 55, 9.1900, 23.8100), (6, 6, 55, 11.6767, 23.3533),
 (7, 13, 55, 9.1900, 23.8100), (8, 1, 54, 8.8000, 24.2000), (9, 3, 54, 0.3500, 0);
INSERT INTO TVARM_VARIAZIONI (IVARMID, SVARMDESC) VALUES (1, 'Recupero IRPEF'), (2, 'Arretrati');
INSERT INTO TCOMR_COMPENSIVOCI (ICOMRID, SCOMRDESC, ICOMRGRUPPO) VALUES
 (1001, 'Stipendio tabellare', 1), (1002, 'Retribuzione professionale docenti', 1),
 (1003, 'Compensi accessori (fondo d''istituto)', 1), (1004, 'Compenso di collaborazione', 1),
 (1005, 'Compenso di prestazione professionale', 1), (1006, 'Borsa di studio', 1),
 (1007, 'Arretrati di anni precedenti', 1), (1008, 'Compenso di prestazione occasionale', 1),
 (2001, 'Somme non soggette a ritenuta', 2), (3001, 'Rimborso spese documentate', 3),
 (10054, 'IRPEF sospesa', 5), (10069, 'Trattamento integrativo', 5),
 (11069, 'Trattamento integrativo di periodi precedenti', 5),
 (10080, 'Accantonamento contributo previdenziale professionisti', 5);
INSERT INTO TTDLA_DETRLAVORO (ITDLAID, IANFID, FTDLAMININD, FTDLAMINDET) VALUES
 (1, 54, 690, 1380), (2, 55, 690, 1380), (3, 56, 690, 1380);
INSERT INTO TTIM_PIANOCONTI (ITIMID, STIMDESC) VALUES (200001, 'Spese di personale'), (500001, 'Entrate da trasferimenti');
INSERT INTO TAMM_AMMINISTRAZIONI (IAMMID, SAMMDESC, CF_007_SERCODFIS, AN_008_SERINPDAP) VALUES
 (1, 'Ministero dell''istruzione e del merito', '80185250588', '0000011'),
 (2, 'Amministrazione senza codice fiscale registrato', NULL, '0000012');
INSERT INTO TCUFO_FONDICU (ICUFOID, SCUFODESC, ICUFOTIPOSCUOLA) VALUES
 (1, 'Fondo dell''istituzione scolastica', NULL), (2, 'Fondo di funzionamento', 2);
