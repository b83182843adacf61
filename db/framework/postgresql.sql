-- Tables of the application framework (PostgreSQL).
-- Statements are separated by a semicolon at the end of a line.

-- One counter per key name: the last key handed out by GenerateID.
CREATE TABLE IF NOT EXISTS TZFID_GENERATORE (
  SZFIDNOME VARCHAR(64) NOT NULL PRIMARY KEY,
  IZFIDVALORE BIGINT NOT NULL
);

-- The job that holds a financial year (import, telematic file, print), one
-- row per year while it runs: who holds it, for the message of a job that
-- is refused.
CREATE TABLE IF NOT EXISTS TZFJ_LAVORI (
  IZFJANNO INTEGER NOT NULL PRIMARY KEY,
  SZFJLAVORO VARCHAR(64) NOT NULL,
  SZFJHOST VARCHAR(255) NOT NULL,
  IZFJPID BIGINT NOT NULL,
  SZFJTOKEN VARCHAR(40) NOT NULL,
  SZFJINIZIO VARCHAR(19) NOT NULL
);
