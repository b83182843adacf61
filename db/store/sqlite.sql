-- The field-value store on SQLite: the certificate tables are kept as one row
-- per non-empty value (TFIS_DATIFISCALI), grouped by programme, year and month
-- (TCRF_CROFISCALE) and linked to a person (TAFI_ANAFISCALE); each virtual
-- table has its schema in TCDS_STRUTTURA. Every statement is idempotent.
--
-- Amounts (FFISVALUE) are kept as decimal text with four decimals
-- ("1234.5600"): SQLite has no exact decimal type, and a TEXT column keeps
-- the text as written. Dates (DFISVALUE) are ISO texts ("2024-12-31").
-- phlm_getcrofiscale has no stored-procedure form here: the store runs its
-- insert-or-ignore and select itself, inside the caller's transaction.

CREATE TABLE IF NOT EXISTS TCDS_STRUTTURA (
    ICDSID INTEGER PRIMARY KEY,
    SCDSPROGRAMMA VARCHAR(30) NOT NULL,
    SCDSNOME VARCHAR(60) NOT NULL,
    ICDSANNO INTEGER,
    ICDSMESE INTEGER,
    BCDSSCHEMA BLOB,
    LCDSANAGRAFICA INTEGER NOT NULL DEFAULT 0,
    LCDSFMAPREADONLY INTEGER NOT NULL DEFAULT 0,
    SCDSFIELDMAP VARCHAR(2000),
    ICDSRIGO INTEGER NOT NULL DEFAULT 0
);

-- One structure per programme, table, year and month (a missing year or
-- month counts as 0, so that NULLs are unique too).
CREATE UNIQUE INDEX IF NOT EXISTS UX_TCDS_STRUTTURA
    ON TCDS_STRUTTURA (lower(SCDSPROGRAMMA), lower(SCDSNOME), COALESCE(ICDSANNO, 0), COALESCE(ICDSMESE, 0));

CREATE TABLE IF NOT EXISTS TCRF_CROFISCALE (
    ICRFID INTEGER PRIMARY KEY,
    SCRFPROGRAMMA VARCHAR(30) NOT NULL,
    ICRFANNO INTEGER,
    ICRFMESE INTEGER
);

CREATE UNIQUE INDEX IF NOT EXISTS UX_TCRF_CROFISCALE
    ON TCRF_CROFISCALE (lower(SCRFPROGRAMMA), COALESCE(ICRFANNO, 0), COALESCE(ICRFMESE, 0));

CREATE TABLE IF NOT EXISTS TAFI_ANAFISCALE (
    IAFIID INTEGER PRIMARY KEY,
    ICRFID INTEGER NOT NULL REFERENCES TCRF_CROFISCALE (ICRFID),
    SAFICODFISCALE VARCHAR(60),
    SAFICOGNOME VARCHAR(100),
    SAFINOME VARCHAR(100),
    SAFICODFISSOST VARCHAR(60),
    SAFIGRUPPOANA VARCHAR(200)
);

-- Finding a person by fiscal code within a programme, year and month.
CREATE INDEX IF NOT EXISTS IX_TAFI_CODFISCALE ON TAFI_ANAFISCALE (lower(SAFICODFISCALE), ICRFID);

CREATE TABLE IF NOT EXISTS TFIS_DATIFISCALI (
    ICDSID INTEGER NOT NULL REFERENCES TCDS_STRUTTURA (ICDSID),
    ICRFID INTEGER NOT NULL REFERENCES TCRF_CROFISCALE (ICRFID),
    IAFIID INTEGER,
    IFISRIGO INTEGER NOT NULL,
    SFISFIELDNAME VARCHAR(60) NOT NULL,
    IFISVALUE INTEGER,
    FFISVALUE TEXT,
    SFISVALUE TEXT,
    DFISVALUE TEXT,
    -- A row number belongs to one row of one structure: deleting a row's
    -- values uses it, and a value can be stored once per row. The key is
    -- the table (WITHOUT ROWID): one b-tree less to write per value.
    PRIMARY KEY (ICDSID, IFISRIGO, SFISFIELDNAME)
) WITHOUT ROWID;

-- Reading a table's values of a programme, year and month in row order.
CREATE INDEX IF NOT EXISTS IX_TFIS_CROFISCALE ON TFIS_DATIFISCALI (ICRFID, ICDSID, IFISRIGO);
-- Reading one person's rows.
CREATE INDEX IF NOT EXISTS IX_TFIS_PERSONA ON TFIS_DATIFISCALI (IAFIID, ICDSID);
