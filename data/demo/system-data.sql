-- SYSTEM's data tables (into SYSTEM.sqlite).
CREATE TABLE "HELP" (
    "TOPIC" VARCHAR2(50) NOT NULL,
    "SEQ"   NUMBER NOT NULL,
    "INFO"  VARCHAR2(80)
);
CREATE UNIQUE INDEX "HELP_TOPIC_SEQ" ON "HELP" ("TOPIC", "SEQ");
INSERT INTO "HELP" ("TOPIC", "SEQ", "INFO") VALUES
    ('COMMIT', 1, NULL),
    ('COMMIT', 2, ' COMMIT'),
    ('COMMIT', 3, ' ------'),
    ('COMMIT', 4, ' Makes the changes of the current transaction permanent.'),
    ('ROLLBACK', 1, NULL),
    ('ROLLBACK', 2, ' ROLLBACK'),
    ('ROLLBACK', 3, ' --------'),
    ('ROLLBACK', 4, ' Undoes the changes of the current transaction.');
