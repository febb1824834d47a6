-- Dictionary tables of an embedded database (the file SYS.sqlite of the database folder).
--
-- Tables and columns carry Oracle's names and meanings so that the program's dictionary
-- queries run unchanged apart from the outer-join and hint translation. Oracle's column
-- types map to SQLite affinities: NUMBER -> INTEGER (or NUMERIC where values may exceed
-- 64 bits), VARCHAR2/LONG -> TEXT, DATE -> TEXT 'YYYY-MM-DD HH:MM:SS'.
--
-- Codes used throughout:
--   USER$."TYPE#"   0 role, 1 user
--   OBJ$."TYPE#"    1 index, 2 table, 4 view, 5 synonym, 6 sequence, 7 procedure,
--                   8 function, 9 package, 11 package body, 12 trigger
--   OBJ$."STATUS"   1 valid; any other value invalid (5 = compiled with errors)
--   OBJ$."NAMESPACE" 1 tables/views/sequences/synonyms/code, 2 package body, 3 trigger,
--                   4 index
--   COL$."TYPE#"    1 VARCHAR2, 2 NUMBER, 8 LONG, 12 DATE, 23 RAW, 24 LONG RAW, 96 CHAR
--   COL$."NULL$"    0 nullable, 1 NOT NULL
--   COL$."PROPERTY" bit 0x20000: the column is a descending index key. Oracle keeps a hidden
--                   function-based column for it; here the table column itself carries the
--                   bit so that ICOL$ -> COL$ by ("BO#","INTCOL#") finds it.
--   CDEF$."TYPE#"   1 check, 2 primary key, 3 unique, 4 referential, 5 view check option,
--                   6 view read only, 7 NOT NULL check
--   CDEF$."ENABLED" 1 enabled, NULL disabled
--   CDEF$."REFACT"  1 ON DELETE CASCADE, 2 ON DELETE SET NULL, NULL no action
--   SEQ$            "MINVALUE"/"MAXVALUE"/"CYCLE#"/"CACHE"/"ORDER$" NULL means
--                   NOMINVALUE/NOMAXVALUE/NOCYCLE/NOCACHE/NOORDER
--   TRIGGER$."TYPE#" 0 before statement, 1 before row, 2 after statement, 3 after row,
--                   4 instead of; "BASEOBJECT" 0 for a database-level trigger
--   USER$."PASSWORD" lower-case hex SHA-256 of the password; empty for none

CREATE TABLE "USER$" (
    "USER#"     INTEGER PRIMARY KEY,
    "NAME"      TEXT    NOT NULL,
    "TYPE#"     INTEGER NOT NULL DEFAULT 1,
    "PASSWORD"  TEXT    NOT NULL DEFAULT '',
    "DATATS#"   INTEGER NOT NULL DEFAULT 0,
    "TEMPTS#"   INTEGER NOT NULL DEFAULT 0,
    "CTIME"     TEXT,
    "PTIME"     TEXT,
    "DEFROLE"   INTEGER NOT NULL DEFAULT 1,
    "ASTATUS"   INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX "I_USER1" ON "USER$" ("NAME");

CREATE TABLE "OBJ$" (
    "OBJ#"      INTEGER PRIMARY KEY,
    "DATAOBJ#"  INTEGER,
    "OWNER#"    INTEGER NOT NULL,
    "NAME"      TEXT    NOT NULL,
    "NAMESPACE" INTEGER NOT NULL DEFAULT 1,
    "SUBNAME"   TEXT,
    "TYPE#"     INTEGER NOT NULL,
    "CTIME"     TEXT,
    "MTIME"     TEXT,
    "STIME"     TEXT,
    "STATUS"    INTEGER NOT NULL DEFAULT 1,
    "FLAGS"     INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX "I_OBJ2" ON "OBJ$" ("OWNER#", "NAME", "NAMESPACE");
CREATE INDEX "I_OBJ3" ON "OBJ$" ("OWNER#", "TYPE#");

-- Uniqueness of an index; the key columns are in ICOL$.
CREATE TABLE "IND$" (
    "OBJ#"      INTEGER PRIMARY KEY,
    "DATAOBJ#"  INTEGER,
    "BO#"       INTEGER NOT NULL,
    "TYPE#"     INTEGER NOT NULL DEFAULT 1,
    "PROPERTY"  INTEGER NOT NULL DEFAULT 0, -- bit 0x1: unique
    "COLS"      INTEGER NOT NULL DEFAULT 0,
    "FLAGS"     INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX "I_IND1" ON "IND$" ("BO#");

CREATE TABLE "COL$" (
    "OBJ#"        INTEGER NOT NULL,
    "COL#"        INTEGER NOT NULL,
    "SEGCOL#"     INTEGER NOT NULL,
    "SEGCOLLENGTH" INTEGER NOT NULL DEFAULT 0,
    "OFFSET"      INTEGER NOT NULL DEFAULT 0,
    "NAME"        TEXT    NOT NULL,
    "TYPE#"       INTEGER NOT NULL,
    "LENGTH"      INTEGER NOT NULL,
    "FIXEDSTORAGE" INTEGER NOT NULL DEFAULT 0,
    "PRECISION#"  INTEGER,
    "SCALE"       INTEGER,
    "NULL$"       INTEGER NOT NULL DEFAULT 0,
    "DEFLENGTH"   INTEGER,
    "DEFAULT$"    TEXT,
    "INTCOL#"     INTEGER NOT NULL,
    "PROPERTY"    INTEGER NOT NULL DEFAULT 0,
    "CHARSETID"   INTEGER NOT NULL DEFAULT 0,
    "CHARSETFORM" INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX "I_COL1" ON "COL$" ("OBJ#", "NAME");
CREATE INDEX "I_COL2" ON "COL$" ("OBJ#", "COL#");
CREATE UNIQUE INDEX "I_COL3" ON "COL$" ("OBJ#", "INTCOL#");

-- "COL#" NULL (or 0): the comment belongs to the table or view itself.
CREATE TABLE "COM$" (
    "OBJ#"      INTEGER NOT NULL,
    "COL#"      INTEGER,
    "COMMENT$"  TEXT
);
CREATE UNIQUE INDEX "I_COM1" ON "COM$" ("OBJ#", "COL#");

CREATE TABLE "CON$" (
    "OWNER#"    INTEGER NOT NULL,
    "NAME"      TEXT    NOT NULL,
    "CON#"      INTEGER PRIMARY KEY,
    "SPARE1"    INTEGER
);
CREATE UNIQUE INDEX "I_CON1" ON "CON$" ("OWNER#", "NAME");

CREATE TABLE "CDEF$" (
    "CON#"       INTEGER PRIMARY KEY,
    "OBJ#"       INTEGER NOT NULL,
    "COLS"       INTEGER,
    "TYPE#"      INTEGER NOT NULL,
    "ROBJ#"      INTEGER,
    "RCON#"      INTEGER,
    "RRULES"     TEXT,
    "MATCH#"     INTEGER,
    "REFACT"     INTEGER,
    "ENABLED"    INTEGER,
    "CONDLENGTH" INTEGER,
    "CONDITION"  TEXT,
    "INTCOLS"    INTEGER,
    "MTIME"      TEXT,
    "DEFER"      INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX "I_CDEF2" ON "CDEF$" ("OBJ#");
CREATE INDEX "I_CDEF3" ON "CDEF$" ("ROBJ#");

CREATE TABLE "CCOL$" (
    "CON#"      INTEGER NOT NULL,
    "OBJ#"      INTEGER NOT NULL,
    "COL#"      INTEGER NOT NULL,
    "POS#"      INTEGER,
    "INTCOL#"   INTEGER NOT NULL,
    "SPARE1"    INTEGER
);
CREATE UNIQUE INDEX "I_CCOL1" ON "CCOL$" ("CON#", "INTCOL#");
CREATE INDEX "I_CCOL2" ON "CCOL$" ("OBJ#", "INTCOL#");

CREATE TABLE "ICOL$" (
    "OBJ#"         INTEGER NOT NULL,
    "BO#"          INTEGER NOT NULL,
    "COL#"         INTEGER NOT NULL,
    "POS#"         INTEGER NOT NULL,
    "SEGCOL#"      INTEGER NOT NULL DEFAULT 0,
    "SEGCOLLENGTH" INTEGER NOT NULL DEFAULT 0,
    "OFFSET"       INTEGER NOT NULL DEFAULT 0,
    "INTCOL#"      INTEGER NOT NULL,
    "SPARE1"       INTEGER
);
CREATE UNIQUE INDEX "I_ICOL1" ON "ICOL$" ("OBJ#", "POS#");
CREATE INDEX "I_ICOL2" ON "ICOL$" ("BO#", "INTCOL#");

CREATE TABLE "SEQ$" (
    "OBJ#"       INTEGER PRIMARY KEY,
    "INCREMENT$" INTEGER NOT NULL DEFAULT 1,
    "MINVALUE"   NUMERIC,
    "MAXVALUE"   NUMERIC,
    "CYCLE#"     INTEGER,
    "ORDER$"     INTEGER,
    "CACHE"      INTEGER,
    "HIGHWATER"  NUMERIC NOT NULL DEFAULT 1,
    "AUDIT$"     TEXT,
    "FLAGS"      INTEGER
);

CREATE TABLE "VIEW$" (
    "OBJ#"       INTEGER PRIMARY KEY,
    "AUDIT$"     TEXT,
    "COLS"       INTEGER NOT NULL DEFAULT 0,
    "INTCOLS"    INTEGER NOT NULL DEFAULT 0,
    "PROPERTY"   INTEGER NOT NULL DEFAULT 0,
    "FLAGS"      INTEGER NOT NULL DEFAULT 0,
    "TEXTLENGTH" INTEGER,
    "TEXT"       TEXT
);

-- Stored PL/SQL, one row per line; every line ends with a line feed.
CREATE TABLE "SOURCE$" (
    "OBJ#"      INTEGER NOT NULL,
    "LINE"      INTEGER NOT NULL,
    "SOURCE"    TEXT,
    PRIMARY KEY ("OBJ#", "LINE")
) WITHOUT ROWID;

CREATE TABLE "TRIGGER$" (
    "OBJ#"         INTEGER PRIMARY KEY,
    "TYPE#"        INTEGER NOT NULL DEFAULT 0,
    "UPDATE$"      INTEGER NOT NULL DEFAULT 0,
    "INSERT$"      INTEGER NOT NULL DEFAULT 0,
    "DELETE$"      INTEGER NOT NULL DEFAULT 0,
    "BASEOBJECT"   INTEGER NOT NULL DEFAULT 0,
    "REFOLDNAME"   TEXT,
    "REFNEWNAME"   TEXT,
    "DEFINITION"   TEXT,
    "WHENCLAUSE"   TEXT,
    "ACTION#"      TEXT,
    "ACTIONSIZE"   INTEGER,
    "ENABLED"      INTEGER NOT NULL DEFAULT 1,
    "PROPERTY"     INTEGER NOT NULL DEFAULT 0,
    "SYS_EVTS"     INTEGER NOT NULL DEFAULT 0,
    "ACTIONLINENO" INTEGER NOT NULL DEFAULT 1
);
CREATE INDEX "I_TRIGGER1" ON "TRIGGER$" ("BASEOBJECT");

-- Compiler errors of invalid stored code and views.
CREATE TABLE "ERROR$" (
    "OBJ#"       INTEGER NOT NULL,
    "SEQUENCE#"  INTEGER NOT NULL,
    "LINE"       INTEGER NOT NULL,
    "POSITION#"  INTEGER NOT NULL,
    "TEXTLENGTH" INTEGER,
    "TEXT"       TEXT    NOT NULL,
    "PROPERTY"   INTEGER NOT NULL DEFAULT 0,
    "ERROR#"     INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX "I_ERROR1" ON "ERROR$" ("OBJ#", "SEQUENCE#");

CREATE TABLE "SYN$" (
    "OBJ#"      INTEGER PRIMARY KEY,
    "NODE"      TEXT,
    "OWNER"     TEXT    NOT NULL,
    "NAME"      TEXT    NOT NULL
);

-- SYS's own data table.
CREATE TABLE "DUAL" (
    "DUMMY"     TEXT
);
INSERT INTO "DUAL" ("DUMMY") VALUES ('X');

-- Every database has SYS (password change_on_install) owning DUAL, and the role PUBLIC
-- owning the public synonym for it. Further users start at 5, objects of users at 50000.
INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD", "CTIME", "PTIME") VALUES
    (0, 'SYS', 1, 'b8fae1417550d5fdb5b8f829ee8d5a649d35996491a2024f9eb6dde8583a5c0d',
     '2024-01-15 09:00:00', '2024-01-15 09:00:00'),
    (1, 'PUBLIC', 0, '', '2024-01-15 09:00:00', NULL);
INSERT INTO "OBJ$" ("OBJ#", "DATAOBJ#", "OWNER#", "NAME", "NAMESPACE", "TYPE#", "CTIME",
                    "MTIME", "STIME", "STATUS") VALUES
    (258, 258, 0, 'DUAL', 1, 2, '2024-01-15 09:00:00', '2024-01-15 09:00:00',
     '2024-01-15 09:00:00', 1),
    (259, NULL, 1, 'DUAL', 1, 5, '2024-01-15 09:00:00', '2024-01-15 09:00:00',
     '2024-01-15 09:00:00', 1);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "NAME", "TYPE#", "LENGTH", "INTCOL#") VALUES
    (258, 1, 1, 'DUMMY', 1, 1, 1);
INSERT INTO "SYN$" ("OBJ#", "NODE", "OWNER", "NAME") VALUES (259, NULL, 'SYS', 'DUAL');
