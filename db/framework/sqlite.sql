-- Tables of the application framework (SQLite).
-- Statements are separated by a semicolon at the end of a line.

-- One counter per key name: the last key handed out by GenerateID.
CREATE TABLE IF NOT EXISTS TZFID_GENERATORE (
  SZFIDNOME VARCHAR(64) NOT NULL PRIMARY KEY,
  IZFIDVALORE BIGINT NOT NULL
);
