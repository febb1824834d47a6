-- SYSTEM's objects (into SYS.sqlite): the HELP table of the command-line client.
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (50001, 5, 'HELP', 2, 1),
    (50002, 5, 'HELP_TOPIC_SEQ', 1, 1);

INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH",
                    "PRECISION#", "SCALE", "NULL$", "DEFAULT$", "PROPERTY")
SELECT column1, column2, column2, column2, column3, column4, column5, column6, column7,
       column8, NULL, 0
  FROM (VALUES
    (50001, 1, 'TOPIC', 1, 50, NULL, NULL, 1),
    (50001, 2, 'SEQ', 2, 22, NULL, NULL, 1),
    (50001, 3, 'INFO', 1, 80, NULL, NULL, 0));

INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (50001, NULL, 'Help texts of the command-line client, one row per line');

INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES
    (5, 'SYS_C004001', 4001),
    (5, 'SYS_C004002', 4002),
    (5, 'HELP_TOPIC_SEQ', 4003);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "COLS", "TYPE#", "ROBJ#", "RCON#", "REFACT", "ENABLED",
                     "CONDITION") VALUES
    (4001, 50001, 1, 7, NULL, NULL, NULL, 1, '"TOPIC" IS NOT NULL'),
    (4002, 50001, 1, 7, NULL, NULL, NULL, 1, '"SEQ" IS NOT NULL'),
    (4003, 50001, 2, 2, NULL, NULL, NULL, 1, NULL);
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#")
SELECT v.column1, c."OBJ#", c."COL#", v.column4, c."INTCOL#"
  FROM (VALUES
    (4001, 50001, 'TOPIC', 1),
    (4002, 50001, 'SEQ', 1),
    (4003, 50001, 'TOPIC', 1),
    (4003, 50001, 'SEQ', 2)) v
  JOIN "COL$" c ON c."OBJ#" = v.column2 AND c."NAME" = v.column3;

INSERT INTO "IND$" ("OBJ#", "DATAOBJ#", "BO#", "PROPERTY", "COLS") VALUES
    (50002, 50002, 50001, 1, 2);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "SEGCOL#", "INTCOL#")
SELECT v.column1, v.column2, c."COL#", v.column4, c."SEGCOL#", c."INTCOL#"
  FROM (VALUES
    (50002, 50001, 'TOPIC', 1),
    (50002, 50001, 'SEQ', 2)) v
  JOIN "COL$" c ON c."OBJ#" = v.column2 AND c."NAME" = v.column3;

UPDATE "OBJ$"
   SET "NAMESPACE" = CASE "TYPE#" WHEN 1 THEN 4 WHEN 11 THEN 2 WHEN 12 THEN 3 ELSE 1 END,
       "DATAOBJ#" = CASE WHEN "TYPE#" IN (1, 2) THEN "OBJ#" END,
       "CTIME" = '2024-01-15 09:05:00', "MTIME" = '2024-01-15 09:05:00',
       "STIME" = '2024-01-15 09:05:00'
 WHERE "OWNER#" = 5;
