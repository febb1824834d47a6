-- SCOTT's objects (into SYS.sqlite): the classic DEPT, EMP, BONUS and SALGRADE, plus an index
-- with a descending column and a sequence without a minimum value.
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (51001, 59, 'DEPT', 2, 1),
    (51002, 59, 'PK_DEPT', 1, 1),
    (51003, 59, 'EMP', 2, 1),
    (51004, 59, 'PK_EMP', 1, 1),
    (51005, 59, 'BONUS', 2, 1),
    (51006, 59, 'SALGRADE', 2, 1),
    (51007, 59, 'EMP_DEPT_SAL_IX', 1, 1),
    (51008, 59, 'EMPNO_SEQ', 6, 1);

-- Columns: object, column number, name, type, length, precision, scale, mandatory, default,
-- property (0x20000 on SAL: descending key of EMP_DEPT_SAL_IX).
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH",
                    "PRECISION#", "SCALE", "NULL$", "DEFAULT$", "DEFLENGTH", "PROPERTY")
SELECT column1, column2, column2, column2, column3, column4, column5, column6, column7,
       column8, column9, length(column9), column10
  FROM (VALUES
    (51001, 1, 'DEPTNO', 2, 22, 2, 0, 1, NULL, 0),
    (51001, 2, 'DNAME', 1, 14, NULL, NULL, 0, NULL, 0),
    (51001, 3, 'LOC', 1, 13, NULL, NULL, 0, NULL, 0),
    (51003, 1, 'EMPNO', 2, 22, 4, 0, 1, NULL, 0),
    (51003, 2, 'ENAME', 1, 10, NULL, NULL, 0, NULL, 0),
    (51003, 3, 'JOB', 1, 9, NULL, NULL, 0, NULL, 0),
    (51003, 4, 'MGR', 2, 22, 4, 0, 0, NULL, 0),
    (51003, 5, 'HIREDATE', 12, 7, NULL, NULL, 0, NULL, 0),
    (51003, 6, 'SAL', 2, 22, 7, 2, 0, NULL, 131072),
    (51003, 7, 'COMM', 2, 22, 7, 2, 0, NULL, 0),
    (51003, 8, 'DEPTNO', 2, 22, 2, 0, 0, NULL, 0),
    (51005, 1, 'ENAME', 1, 10, NULL, NULL, 0, NULL, 0),
    (51005, 2, 'JOB', 1, 9, NULL, NULL, 0, NULL, 0),
    (51005, 3, 'SAL', 2, 22, NULL, NULL, 0, NULL, 0),
    (51005, 4, 'COMM', 2, 22, NULL, NULL, 0, NULL, 0),
    (51006, 1, 'GRADE', 2, 22, NULL, NULL, 0, NULL, 0),
    (51006, 2, 'LOSAL', 2, 22, NULL, NULL, 0, NULL, 0),
    (51006, 3, 'HISAL', 2, 22, NULL, NULL, 0, NULL, 0));

INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (51001, NULL, 'Departments of the company'),
    (51003, NULL, 'Employees with their jobs, managers and salaries'),
    (51003, 6, 'Monthly salary'),
    (51003, 7, 'Commission of salesmen');

INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES
    (59, 'PK_DEPT', 4101),
    (59, 'PK_EMP', 4102),
    (59, 'FK_DEPTNO', 4103);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "COLS", "TYPE#", "ROBJ#", "RCON#", "REFACT", "ENABLED",
                     "CONDITION") VALUES
    (4101, 51001, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4102, 51003, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4103, 51003, 1, 4, 51001, 4101, NULL, 1, NULL);
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#")
SELECT v.column1, c."OBJ#", c."COL#", v.column4, c."INTCOL#"
  FROM (VALUES
    (4101, 51001, 'DEPTNO', 1),
    (4102, 51003, 'EMPNO', 1),
    (4103, 51003, 'DEPTNO', 1)) v
  JOIN "COL$" c ON c."OBJ#" = v.column2 AND c."NAME" = v.column3;

INSERT INTO "IND$" ("OBJ#", "DATAOBJ#", "BO#", "PROPERTY", "COLS") VALUES
    (51002, 51002, 51001, 1, 1),
    (51004, 51004, 51003, 1, 1),
    (51007, 51007, 51003, 0, 2);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "SEGCOL#", "INTCOL#")
SELECT v.column1, v.column2, c."COL#", v.column4, c."SEGCOL#", c."INTCOL#"
  FROM (VALUES
    (51002, 51001, 'DEPTNO', 1),
    (51004, 51003, 'EMPNO', 1),
    (51007, 51003, 'DEPTNO', 1),
    (51007, 51003, 'SAL', 2)) v
  JOIN "COL$" c ON c."OBJ#" = v.column2 AND c."NAME" = v.column3;

INSERT INTO "SEQ$" ("OBJ#", "INCREMENT$", "MINVALUE", "MAXVALUE", "CYCLE#", "ORDER$", "CACHE",
                    "HIGHWATER") VALUES
    (51008, 1, NULL, 9999, NULL, NULL, 20, 7935);

UPDATE "OBJ$"
   SET "NAMESPACE" = CASE "TYPE#" WHEN 1 THEN 4 WHEN 11 THEN 2 WHEN 12 THEN 3 ELSE 1 END,
       "DATAOBJ#" = CASE WHEN "TYPE#" IN (1, 2) THEN "OBJ#" END,
       "CTIME" = '2024-01-15 09:45:00', "MTIME" = '2024-01-15 09:45:00',
       "STIME" = '2024-01-15 09:45:00'
 WHERE "OWNER#" = 59;
