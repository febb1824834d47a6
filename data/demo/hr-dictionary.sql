-- HR's objects (into SYS.sqlite): regions, countries, locations, departments, jobs,
-- employees and their job history, with every kind of object the program shows.
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (52001, 46, 'REGIONS', 2, 1),
    (52002, 46, 'REG_ID_PK', 1, 1),
    (52003, 46, 'COUNTRIES', 2, 1),
    (52004, 46, 'COUNTRY_C_ID_PK', 1, 1),
    (52005, 46, 'LOCATIONS', 2, 1),
    (52006, 46, 'LOC_ID_PK', 1, 1),
    (52007, 46, 'LOC_CITY_IX', 1, 1),
    (52008, 46, 'DEPARTMENTS', 2, 1),
    (52009, 46, 'DEPT_ID_PK', 1, 1),
    (52010, 46, 'DEPT_LOCATION_IX', 1, 1),
    (52011, 46, 'JOBS', 2, 1),
    (52012, 46, 'JOB_ID_PK', 1, 1),
    (52013, 46, 'EMPLOYEES', 2, 1),
    (52014, 46, 'EMP_EMP_ID_PK', 1, 1),
    (52015, 46, 'EMP_EMAIL_UK', 1, 1),
    (52016, 46, 'EMP_DEPARTMENT_IX', 1, 1),
    (52017, 46, 'EMP_JOB_IX', 1, 1),
    (52018, 46, 'EMP_MANAGER_IX', 1, 1),
    (52019, 46, 'EMP_NAME_IX', 1, 1),
    (52020, 46, 'EMP_HIRED_IX', 1, 1),
    (52021, 46, 'JOB_HISTORY', 2, 1),
    (52022, 46, 'JHIST_EMP_ID_ST_DATE_PK', 1, 1),
    (52023, 46, 'JHIST_JOB_IX', 1, 1),
    (52024, 46, 'JHIST_EMPLOYEE_IX', 1, 1),
    (52025, 46, 'JHIST_DEPARTMENT_IX', 1, 1),
    (52026, 46, 'JOB_HISTORY_NOTES', 2, 1),
    (52027, 46, 'JHNOTE_PK', 1, 1),
    (52030, 46, 'EMP_DETAILS_VIEW', 4, 1),
    (52031, 46, 'EMP_DEPT50_VIEW', 4, 1),
    (52032, 46, 'DEPT_SALARY_VIEW', 4, 5),
    (52035, 46, 'LOCATIONS_SEQ', 6, 1),
    (52036, 46, 'DEPARTMENTS_SEQ', 6, 1),
    (52037, 46, 'EMPLOYEES_SEQ', 6, 1),
    (52038, 46, 'TICKET_SEQ', 6, 1),
    (52040, 46, 'ADD_JOB_HISTORY', 7, 1),
    (52041, 46, 'SECURE_DML', 7, 1),
    (52042, 46, 'RAISE_SALARY', 7, 1),
    (52043, 46, 'PURGE_OLD_HISTORY', 7, 5),
    (52044, 46, 'DEPARTMENT_SALARY_TOTAL', 8, 1),
    (52045, 46, 'YEARS_OF_SERVICE', 8, 1),
    (52046, 46, 'EMP_MGMT', 9, 1),
    (52047, 46, 'EMP_MGMT', 11, 1),
    (52048, 46, 'UPDATE_JOB_HISTORY', 12, 1),
    (52049, 46, 'SECURE_EMPLOYEES', 12, 1),
    (52050, 46, 'STAFF', 5, 1);

-- Columns of tables and views: object, column number, name, type, length, precision, scale,
-- mandatory, default, property (0x20000 on EMPLOYEES.HIRE_DATE: descending key of
-- EMP_HIRED_IX).
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH",
                    "PRECISION#", "SCALE", "NULL$", "DEFAULT$", "DEFLENGTH", "PROPERTY")
SELECT column1, column2, column2, column2, column3, column4, column5, column6, column7,
       column8, column9, length(column9), column10
  FROM (VALUES
    (52001, 1, 'REGION_ID', 2, 22, NULL, NULL, 1, NULL, 0),
    (52001, 2, 'REGION_NAME', 1, 25, NULL, NULL, 0, NULL, 0),
    (52003, 1, 'COUNTRY_ID', 96, 2, NULL, NULL, 1, NULL, 0),
    (52003, 2, 'COUNTRY_NAME', 1, 40, NULL, NULL, 0, NULL, 0),
    (52003, 3, 'REGION_ID', 2, 22, NULL, NULL, 0, NULL, 0),
    (52005, 1, 'LOCATION_ID', 2, 22, 4, 0, 1, NULL, 0),
    (52005, 2, 'STREET_ADDRESS', 1, 40, NULL, NULL, 0, NULL, 0),
    (52005, 3, 'POSTAL_CODE', 1, 12, NULL, NULL, 0, NULL, 0),
    (52005, 4, 'CITY', 1, 30, NULL, NULL, 1, NULL, 0),
    (52005, 5, 'STATE_PROVINCE', 1, 25, NULL, NULL, 0, NULL, 0),
    (52005, 6, 'COUNTRY_ID', 96, 2, NULL, NULL, 0, NULL, 0),
    (52008, 1, 'DEPARTMENT_ID', 2, 22, 4, 0, 1, NULL, 0),
    (52008, 2, 'DEPARTMENT_NAME', 1, 30, NULL, NULL, 1, NULL, 0),
    (52008, 3, 'MANAGER_ID', 2, 22, 6, 0, 0, NULL, 0),
    (52008, 4, 'LOCATION_ID', 2, 22, 4, 0, 0, NULL, 0),
    (52011, 1, 'JOB_ID', 1, 10, NULL, NULL, 1, NULL, 0),
    (52011, 2, 'JOB_TITLE', 1, 35, NULL, NULL, 1, NULL, 0),
    (52011, 3, 'MIN_SALARY', 2, 22, 6, 0, 0, '0', 0),
    (52011, 4, 'MAX_SALARY', 2, 22, 6, 0, 0, NULL, 0),
    (52013, 1, 'EMPLOYEE_ID', 2, 22, 6, 0, 1, NULL, 0),
    (52013, 2, 'FIRST_NAME', 1, 20, NULL, NULL, 0, NULL, 0),
    (52013, 3, 'LAST_NAME', 1, 25, NULL, NULL, 1, NULL, 0),
    (52013, 4, 'EMAIL', 1, 25, NULL, NULL, 1, NULL, 0),
    (52013, 5, 'PHONE_NUMBER', 1, 20, NULL, NULL, 0, NULL, 0),
    (52013, 6, 'HIRE_DATE', 12, 7, NULL, NULL, 1, 'SYSDATE', 131072),
    (52013, 7, 'JOB_ID', 1, 10, NULL, NULL, 1, NULL, 0),
    (52013, 8, 'SALARY', 2, 22, 8, 2, 0, NULL, 0),
    (52013, 9, 'COMMISSION_PCT', 2, 22, 2, 2, 0, NULL, 0),
    (52013, 10, 'MANAGER_ID', 2, 22, 6, 0, 0, NULL, 0),
    (52013, 11, 'DEPARTMENT_ID', 2, 22, 4, 0, 0, NULL, 0),
    (52021, 1, 'EMPLOYEE_ID', 2, 22, 6, 0, 1, NULL, 0),
    (52021, 2, 'START_DATE', 12, 7, NULL, NULL, 1, NULL, 0),
    (52021, 3, 'END_DATE', 12, 7, NULL, NULL, 1, NULL, 0),
    (52021, 4, 'JOB_ID', 1, 10, NULL, NULL, 1, NULL, 0),
    (52021, 5, 'DEPARTMENT_ID', 2, 22, 4, 0, 0, NULL, 0),
    (52026, 1, 'EMPLOYEE_ID', 2, 22, 6, 0, 1, NULL, 0),
    (52026, 2, 'START_DATE', 12, 7, NULL, NULL, 1, NULL, 0),
    (52026, 3, 'NOTE_NO', 2, 22, 3, 0, 1, NULL, 0),
    (52026, 4, 'NOTE_TEXT', 1, 200, NULL, NULL, 0, NULL, 0),
    (52026, 5, 'CREATED', 12, 7, NULL, NULL, 0, 'SYSDATE', 0),
    (52030, 1, 'EMPLOYEE_ID', 2, 22, 6, 0, 1, NULL, 0),
    (52030, 2, 'JOB_ID', 1, 10, NULL, NULL, 1, NULL, 0),
    (52030, 3, 'MANAGER_ID', 2, 22, 6, 0, 0, NULL, 0),
    (52030, 4, 'DEPARTMENT_ID', 2, 22, 4, 0, 0, NULL, 0),
    (52030, 5, 'LOCATION_ID', 2, 22, 4, 0, 0, NULL, 0),
    (52030, 6, 'COUNTRY_ID', 96, 2, NULL, NULL, 0, NULL, 0),
    (52030, 7, 'FIRST_NAME', 1, 20, NULL, NULL, 0, NULL, 0),
    (52030, 8, 'LAST_NAME', 1, 25, NULL, NULL, 1, NULL, 0),
    (52030, 9, 'SALARY', 2, 22, 8, 2, 0, NULL, 0),
    (52030, 10, 'COMMISSION_PCT', 2, 22, 2, 2, 0, NULL, 0),
    (52030, 11, 'DEPARTMENT_NAME', 1, 30, NULL, NULL, 1, NULL, 0),
    (52030, 12, 'JOB_TITLE', 1, 35, NULL, NULL, 1, NULL, 0),
    (52030, 13, 'CITY', 1, 30, NULL, NULL, 1, NULL, 0),
    (52030, 14, 'STATE_PROVINCE', 1, 25, NULL, NULL, 0, NULL, 0),
    (52030, 15, 'COUNTRY_NAME', 1, 40, NULL, NULL, 0, NULL, 0),
    (52030, 16, 'REGION_NAME', 1, 25, NULL, NULL, 0, NULL, 0),
    (52031, 1, 'EMPLOYEE_ID', 2, 22, 6, 0, 1, NULL, 0),
    (52031, 2, 'FIRST_NAME', 1, 20, NULL, NULL, 0, NULL, 0),
    (52031, 3, 'LAST_NAME', 1, 25, NULL, NULL, 1, NULL, 0),
    (52031, 4, 'EMAIL', 1, 25, NULL, NULL, 1, NULL, 0),
    (52031, 5, 'HIRE_DATE', 12, 7, NULL, NULL, 1, NULL, 0),
    (52031, 6, 'JOB_ID', 1, 10, NULL, NULL, 1, NULL, 0),
    (52031, 7, 'SALARY', 2, 22, 8, 2, 0, NULL, 0),
    (52031, 8, 'DEPARTMENT_ID', 2, 22, 4, 0, 0, NULL, 0),
    (52032, 1, 'DEPARTMENT_ID', 2, 22, 4, 0, 1, NULL, 0),
    (52032, 2, 'DEPARTMENT_NAME', 1, 30, NULL, NULL, 1, NULL, 0),
    (52032, 3, 'EMPLOYEE_COUNT', 2, 22, NULL, NULL, 0, NULL, 0),
    (52032, 4, 'TOTAL_SALARY', 2, 22, NULL, NULL, 0, NULL, 0));

INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (52001, NULL, 'Regions of the world the company works in'),
    (52001, 1, 'Primary key of the regions table'),
    (52003, NULL, 'Countries, each in one region'),
    (52003, 1, 'Two-letter country code'),
    (52005, NULL, 'Addresses of the offices, warehouses and production sites'),
    (52005, 4, 'City of the location'),
    (52008, NULL, 'Departments, each with a manager and a location'),
    (52008, 3, 'Employee who manages the department'),
    (52011, NULL, 'Job titles with their salary ranges'),
    (52011, 3, 'Lowest salary of the job'),
    (52011, 4, 'Highest salary of the job'),
    (52013, NULL, 'Employees with their jobs, salaries, managers and departments'),
    (52013, 4, 'E-mail name, without the domain'),
    (52013, 6, 'Date the employee started; today when not given'),
    (52013, 8, 'Monthly salary, above zero'),
    (52013, 9, 'Share of sales paid as commission; sales department only'),
    (52021, NULL, 'Earlier jobs of employees, one row per job held'),
    (52021, 3, 'Last day of the job; after the start date'),
    (52026, NULL, 'Notes on a job history entry'),
    (52030, NULL, 'Employees with their department, job, location, country and region');

INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES
    (46, 'REGION_ID_NN', 4201),
    (46, 'REG_ID_PK', 4202),
    (46, 'COUNTRY_ID_NN', 4203),
    (46, 'COUNTRY_C_ID_PK', 4204),
    (46, 'COUNTR_REG_FK', 4205),
    (46, 'LOC_ID_PK', 4206),
    (46, 'LOC_CITY_NN', 4207),
    (46, 'LOC_C_ID_FK', 4208),
    (46, 'DEPT_ID_PK', 4209),
    (46, 'DEPT_NAME_NN', 4210),
    (46, 'DEPT_LOC_FK', 4211),
    (46, 'DEPT_MGR_FK', 4212),
    (46, 'JOB_ID_PK', 4213),
    (46, 'JOB_TITLE_NN', 4214),
    (46, 'JOB_SALARY_RANGE', 4215),
    (46, 'EMP_EMP_ID_PK', 4216),
    (46, 'EMP_LAST_NAME_NN', 4217),
    (46, 'EMP_EMAIL_NN', 4218),
    (46, 'EMP_EMAIL_UK', 4219),
    (46, 'EMP_HIRE_DATE_NN', 4220),
    (46, 'EMP_JOB_NN', 4221),
    (46, 'EMP_SALARY_MIN', 4222),
    (46, 'EMP_DEPT_FK', 4223),
    (46, 'EMP_JOB_FK', 4224),
    (46, 'EMP_MANAGER_FK', 4225),
    (46, 'JHIST_EMPLOYEE_NN', 4226),
    (46, 'JHIST_START_DATE_NN', 4227),
    (46, 'JHIST_END_DATE_NN', 4228),
    (46, 'JHIST_JOB_NN', 4229),
    (46, 'JHIST_DATE_INTERVAL', 4230),
    (46, 'JHIST_EMP_ID_ST_DATE_PK', 4231),
    (46, 'JHIST_JOB_FK', 4232),
    (46, 'JHIST_EMP_FK', 4233),
    (46, 'JHIST_DEPT_FK', 4234),
    (46, 'SYS_C004235', 4235),
    (46, 'SYS_C004236', 4236),
    (46, 'SYS_C004237', 4237),
    (46, 'JHNOTE_PK', 4238),
    (46, 'JHNOTE_JHIST_FK', 4239),
    (46, 'SYS_C004240', 4240),
    (46, 'SYS_C004241', 4241);

-- DEPT_MGR_FK is disabled (ENABLED null); JHIST_EMP_FK and JHNOTE_JHIST_FK delete in cascade;
-- the last two are the read-only and check-option constraints of views.
INSERT INTO "CDEF$" ("CON#", "OBJ#", "COLS", "TYPE#", "ROBJ#", "RCON#", "REFACT", "ENABLED",
                     "CONDITION", "CONDLENGTH")
SELECT column1, column2, column3, column4, column5, column6, column7, column8, column9,
       length(column9)
  FROM (VALUES
    (4201, 52001, 1, 7, NULL, NULL, NULL, 1, '"REGION_ID" IS NOT NULL'),
    (4202, 52001, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4203, 52003, 1, 7, NULL, NULL, NULL, 1, '"COUNTRY_ID" IS NOT NULL'),
    (4204, 52003, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4205, 52003, 1, 4, 52001, 4202, NULL, 1, NULL),
    (4206, 52005, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4207, 52005, 1, 7, NULL, NULL, NULL, 1, '"CITY" IS NOT NULL'),
    (4208, 52005, 1, 4, 52003, 4204, NULL, 1, NULL),
    (4209, 52008, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4210, 52008, 1, 7, NULL, NULL, NULL, 1, '"DEPARTMENT_NAME" IS NOT NULL'),
    (4211, 52008, 1, 4, 52005, 4206, NULL, 1, NULL),
    (4212, 52008, 1, 4, 52013, 4216, NULL, NULL, NULL),
    (4213, 52011, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4214, 52011, 1, 7, NULL, NULL, NULL, 1, '"JOB_TITLE" IS NOT NULL'),
    (4215, 52011, 2, 1, NULL, NULL, NULL, 1, 'MAX_SALARY >= MIN_SALARY'),
    (4216, 52013, 1, 2, NULL, NULL, NULL, 1, NULL),
    (4217, 52013, 1, 7, NULL, NULL, NULL, 1, '"LAST_NAME" IS NOT NULL'),
    (4218, 52013, 1, 7, NULL, NULL, NULL, 1, '"EMAIL" IS NOT NULL'),
    (4219, 52013, 1, 3, NULL, NULL, NULL, 1, NULL),
    (4220, 52013, 1, 7, NULL, NULL, NULL, 1, '"HIRE_DATE" IS NOT NULL'),
    (4221, 52013, 1, 7, NULL, NULL, NULL, 1, '"JOB_ID" IS NOT NULL'),
    (4222, 52013, 1, 1, NULL, NULL, NULL, 1, 'SALARY > 0'),
    (4223, 52013, 1, 4, 52008, 4209, NULL, 1, NULL),
    (4224, 52013, 1, 4, 52011, 4213, NULL, 1, NULL),
    (4225, 52013, 1, 4, 52013, 4216, NULL, 1, NULL),
    (4226, 52021, 1, 7, NULL, NULL, NULL, 1, '"EMPLOYEE_ID" IS NOT NULL'),
    (4227, 52021, 1, 7, NULL, NULL, NULL, 1, '"START_DATE" IS NOT NULL'),
    (4228, 52021, 1, 7, NULL, NULL, NULL, 1, '"END_DATE" IS NOT NULL'),
    (4229, 52021, 1, 7, NULL, NULL, NULL, 1, '"JOB_ID" IS NOT NULL'),
    (4230, 52021, 2, 1, NULL, NULL, NULL, 1, 'END_DATE > START_DATE'),
    (4231, 52021, 2, 2, NULL, NULL, NULL, 1, NULL),
    (4232, 52021, 1, 4, 52011, 4213, NULL, 1, NULL),
    (4233, 52021, 1, 4, 52013, 4216, 1, 1, NULL),
    (4234, 52021, 1, 4, 52008, 4209, NULL, 1, NULL),
    (4235, 52026, 1, 7, NULL, NULL, NULL, 1, '"EMPLOYEE_ID" IS NOT NULL'),
    (4236, 52026, 1, 7, NULL, NULL, NULL, 1, '"START_DATE" IS NOT NULL'),
    (4237, 52026, 1, 7, NULL, NULL, NULL, 1, '"NOTE_NO" IS NOT NULL'),
    (4238, 52026, 3, 2, NULL, NULL, NULL, 1, NULL),
    (4239, 52026, 2, 4, 52021, 4231, 1, 1, NULL),
    (4240, 52030, 0, 6, NULL, NULL, NULL, 1, NULL),
    (4241, 52031, 0, 5, NULL, NULL, NULL, 1, NULL));

INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#")
SELECT v.column1, c."OBJ#", c."COL#", v.column4, c."INTCOL#"
  FROM (VALUES
    (4201, 52001, 'REGION_ID', 1),
    (4202, 52001, 'REGION_ID', 1),
    (4203, 52003, 'COUNTRY_ID', 1),
    (4204, 52003, 'COUNTRY_ID', 1),
    (4205, 52003, 'REGION_ID', 1),
    (4206, 52005, 'LOCATION_ID', 1),
    (4207, 52005, 'CITY', 1),
    (4208, 52005, 'COUNTRY_ID', 1),
    (4209, 52008, 'DEPARTMENT_ID', 1),
    (4210, 52008, 'DEPARTMENT_NAME', 1),
    (4211, 52008, 'LOCATION_ID', 1),
    (4212, 52008, 'MANAGER_ID', 1),
    (4213, 52011, 'JOB_ID', 1),
    (4214, 52011, 'JOB_TITLE', 1),
    (4215, 52011, 'MIN_SALARY', NULL),
    (4215, 52011, 'MAX_SALARY', NULL),
    (4216, 52013, 'EMPLOYEE_ID', 1),
    (4217, 52013, 'LAST_NAME', 1),
    (4218, 52013, 'EMAIL', 1),
    (4219, 52013, 'EMAIL', 1),
    (4220, 52013, 'HIRE_DATE', 1),
    (4221, 52013, 'JOB_ID', 1),
    (4222, 52013, 'SALARY', NULL),
    (4223, 52013, 'DEPARTMENT_ID', 1),
    (4224, 52013, 'JOB_ID', 1),
    (4225, 52013, 'MANAGER_ID', 1),
    (4226, 52021, 'EMPLOYEE_ID', 1),
    (4227, 52021, 'START_DATE', 1),
    (4228, 52021, 'END_DATE', 1),
    (4229, 52021, 'JOB_ID', 1),
    (4230, 52021, 'START_DATE', NULL),
    (4230, 52021, 'END_DATE', NULL),
    (4231, 52021, 'EMPLOYEE_ID', 1),
    (4231, 52021, 'START_DATE', 2),
    (4232, 52021, 'JOB_ID', 1),
    (4233, 52021, 'EMPLOYEE_ID', 1),
    (4234, 52021, 'DEPARTMENT_ID', 1),
    (4235, 52026, 'EMPLOYEE_ID', 1),
    (4236, 52026, 'START_DATE', 1),
    (4237, 52026, 'NOTE_NO', 1),
    (4238, 52026, 'EMPLOYEE_ID', 1),
    (4238, 52026, 'START_DATE', 2),
    (4238, 52026, 'NOTE_NO', 3),
    (4239, 52026, 'EMPLOYEE_ID', 1),
    (4239, 52026, 'START_DATE', 2)) v
  JOIN "COL$" c ON c."OBJ#" = v.column2 AND c."NAME" = v.column3;

-- Index properties: 1 = unique.
INSERT INTO "IND$" ("OBJ#", "DATAOBJ#", "BO#", "PROPERTY", "COLS") VALUES
    (52002, 52002, 52001, 1, 1),
    (52004, 52004, 52003, 1, 1),
    (52006, 52006, 52005, 1, 1),
    (52007, 52007, 52005, 0, 1),
    (52009, 52009, 52008, 1, 1),
    (52010, 52010, 52008, 0, 1),
    (52012, 52012, 52011, 1, 1),
    (52014, 52014, 52013, 1, 1),
    (52015, 52015, 52013, 1, 1),
    (52016, 52016, 52013, 0, 1),
    (52017, 52017, 52013, 0, 1),
    (52018, 52018, 52013, 0, 1),
    (52019, 52019, 52013, 0, 2),
    (52020, 52020, 52013, 0, 1),
    (52022, 52022, 52021, 1, 2),
    (52023, 52023, 52021, 0, 1),
    (52024, 52024, 52021, 0, 1),
    (52025, 52025, 52021, 0, 1),
    (52027, 52027, 52026, 1, 3);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "SEGCOL#", "INTCOL#")
SELECT v.column1, v.column2, c."COL#", v.column4, c."SEGCOL#", c."INTCOL#"
  FROM (VALUES
    (52002, 52001, 'REGION_ID', 1),
    (52004, 52003, 'COUNTRY_ID', 1),
    (52006, 52005, 'LOCATION_ID', 1),
    (52007, 52005, 'CITY', 1),
    (52009, 52008, 'DEPARTMENT_ID', 1),
    (52010, 52008, 'LOCATION_ID', 1),
    (52012, 52011, 'JOB_ID', 1),
    (52014, 52013, 'EMPLOYEE_ID', 1),
    (52015, 52013, 'EMAIL', 1),
    (52016, 52013, 'DEPARTMENT_ID', 1),
    (52017, 52013, 'JOB_ID', 1),
    (52018, 52013, 'MANAGER_ID', 1),
    (52019, 52013, 'LAST_NAME', 1),
    (52019, 52013, 'FIRST_NAME', 2),
    (52020, 52013, 'HIRE_DATE', 1),
    (52022, 52021, 'EMPLOYEE_ID', 1),
    (52022, 52021, 'START_DATE', 2),
    (52023, 52021, 'JOB_ID', 1),
    (52024, 52021, 'EMPLOYEE_ID', 1),
    (52025, 52021, 'DEPARTMENT_ID', 1),
    (52027, 52026, 'EMPLOYEE_ID', 1),
    (52027, 52026, 'START_DATE', 2),
    (52027, 52026, 'NOTE_NO', 3)) v
  JOIN "COL$" c ON c."OBJ#" = v.column2 AND c."NAME" = v.column3;

-- The queries of the views; DEPT_SALARY_VIEW is invalid but its query compiles.
INSERT INTO "VIEW$" ("OBJ#", "COLS", "INTCOLS", "TEXTLENGTH", "TEXT")
SELECT column1, column2, column2, length(column3), column3
  FROM (VALUES
    (52030, 16, 'SELECT e.EMPLOYEE_ID, e.JOB_ID, e.MANAGER_ID, e.DEPARTMENT_ID, d.LOCATION_ID,
       l.COUNTRY_ID, e.FIRST_NAME, e.LAST_NAME, e.SALARY, e.COMMISSION_PCT,
       d.DEPARTMENT_NAME, j.JOB_TITLE, l.CITY, l.STATE_PROVINCE, c.COUNTRY_NAME,
       r.REGION_NAME
  FROM EMPLOYEES e, DEPARTMENTS d, JOBS j, LOCATIONS l, COUNTRIES c, REGIONS r
 WHERE e.DEPARTMENT_ID = d.DEPARTMENT_ID
   AND d.LOCATION_ID = l.LOCATION_ID
   AND l.COUNTRY_ID = c.COUNTRY_ID
   AND c.REGION_ID = r.REGION_ID
   AND j.JOB_ID = e.JOB_ID'),
    (52031, 8, 'SELECT EMPLOYEE_ID, FIRST_NAME, LAST_NAME, EMAIL, HIRE_DATE, JOB_ID, SALARY,
       DEPARTMENT_ID
  FROM EMPLOYEES
 WHERE DEPARTMENT_ID = 50'),
    (52032, 4, 'SELECT d.DEPARTMENT_ID, d.DEPARTMENT_NAME, COUNT(e.EMPLOYEE_ID) EMPLOYEE_COUNT,
       SUM(e.SALARY) TOTAL_SALARY
  FROM DEPARTMENTS d, EMPLOYEES e
 WHERE d.DEPARTMENT_ID = e.DEPARTMENT_ID
 GROUP BY d.DEPARTMENT_ID, d.DEPARTMENT_NAME'));

-- EMPLOYEES_SEQ has no minimum or maximum; TICKET_SEQ cycles, caches and keeps order.
INSERT INTO "SEQ$" ("OBJ#", "INCREMENT$", "MINVALUE", "MAXVALUE", "CYCLE#", "ORDER$", "CACHE",
                    "HIGHWATER") VALUES
    (52035, 100, 1, 9900, NULL, NULL, NULL, 1800),
    (52036, 10, 1, 9990, NULL, NULL, NULL, 120),
    (52037, 1, NULL, NULL, NULL, NULL, NULL, 129),
    (52038, 1, 1, 999, 1, 1, 20, 1);

-- Stored code, one row per line: each text below is split at its line feeds, every line
-- keeping its own.
WITH RECURSIVE
  "TEXTS" ("OBJ", "TEXT") AS (VALUES
    (52040, 'PROCEDURE ADD_JOB_HISTORY (
    p_emp_id        JOB_HISTORY.EMPLOYEE_ID%TYPE,
    p_start_date    JOB_HISTORY.START_DATE%TYPE,
    p_end_date      JOB_HISTORY.END_DATE%TYPE,
    p_job_id        JOB_HISTORY.JOB_ID%TYPE,
    p_department_id JOB_HISTORY.DEPARTMENT_ID%TYPE
) IS
BEGIN
    INSERT INTO JOB_HISTORY (EMPLOYEE_ID, START_DATE, END_DATE, JOB_ID, DEPARTMENT_ID)
    VALUES (p_emp_id, p_start_date, p_end_date, p_job_id, p_department_id);
END ADD_JOB_HISTORY;
'),
    (52041, 'PROCEDURE SECURE_DML IS
BEGIN
    IF TO_CHAR(SYSDATE, ''HH24:MI'') NOT BETWEEN ''07:00'' AND ''19:00''
       OR TO_CHAR(SYSDATE, ''DY'') IN (''SAT'', ''SUN'') THEN
        RAISE_APPLICATION_ERROR(-20205,
            ''Employees may be changed during office hours only'');
    END IF;
END SECURE_DML;
'),
    (52042, 'PROCEDURE RAISE_SALARY (
    p_employee_id IN EMPLOYEES.EMPLOYEE_ID%TYPE,
    p_percent     IN NUMBER
) IS
BEGIN
    UPDATE EMPLOYEES
       SET SALARY = SALARY * (1 + p_percent / 100)
     WHERE EMPLOYEE_ID = p_employee_id;
END RAISE_SALARY;
'),
    (52043, 'PROCEDURE PURGE_OLD_HISTORY (p_before IN DATE) IS
    v_count NUMBER;
BEGIN
    DELETE FROM JOB_HISTORY WHERE END_DATE < p_before;
    v_count := X + SQL%ROWCOUNT;
    DBMS_OUTPUT.PUT_LINE(v_count || '' rows purged from '' || HIST_TABLE);
END PURGE_OLD_HISTORY;
'),
    (52044, 'FUNCTION DEPARTMENT_SALARY_TOTAL (p_department_id IN NUMBER) RETURN NUMBER IS
    v_total NUMBER;
BEGIN
    SELECT NVL(SUM(SALARY), 0)
      INTO v_total
      FROM EMPLOYEES
     WHERE DEPARTMENT_ID = p_department_id;
    RETURN v_total;
END DEPARTMENT_SALARY_TOTAL;
'),
    (52045, 'FUNCTION YEARS_OF_SERVICE (p_employee_id IN NUMBER) RETURN NUMBER IS
    v_hired DATE;
BEGIN
    SELECT HIRE_DATE INTO v_hired FROM EMPLOYEES WHERE EMPLOYEE_ID = p_employee_id;
    RETURN TRUNC(MONTHS_BETWEEN(SYSDATE, v_hired) / 12);
END YEARS_OF_SERVICE;
'),
    (52046, 'PACKAGE EMP_MGMT AS
    -- Hiring, moving and removing employees.
    FUNCTION HIRE (p_last_name VARCHAR2, p_first_name VARCHAR2, p_email VARCHAR2,
                   p_job_id VARCHAR2, p_salary NUMBER, p_department_id NUMBER)
        RETURN NUMBER;
    PROCEDURE TRANSFER (p_employee_id NUMBER, p_department_id NUMBER);
    PROCEDURE REMOVE_EMPLOYEE (p_employee_id NUMBER);
END EMP_MGMT;
'),
    (52047, 'PACKAGE BODY EMP_MGMT AS
    FUNCTION HIRE (p_last_name VARCHAR2, p_first_name VARCHAR2, p_email VARCHAR2,
                   p_job_id VARCHAR2, p_salary NUMBER, p_department_id NUMBER)
        RETURN NUMBER IS
        v_id NUMBER;
    BEGIN
        SELECT EMPLOYEES_SEQ.NEXTVAL INTO v_id FROM DUAL;
        INSERT INTO EMPLOYEES (EMPLOYEE_ID, FIRST_NAME, LAST_NAME, EMAIL, HIRE_DATE, JOB_ID,
                               SALARY, DEPARTMENT_ID)
        VALUES (v_id, p_first_name, p_last_name, p_email, SYSDATE, p_job_id, p_salary,
                p_department_id);
        RETURN v_id;
    END HIRE;

    PROCEDURE TRANSFER (p_employee_id NUMBER, p_department_id NUMBER) IS
    BEGIN
        UPDATE EMPLOYEES
           SET DEPARTMENT_ID = p_department_id
         WHERE EMPLOYEE_ID = p_employee_id;
    END TRANSFER;

    PROCEDURE REMOVE_EMPLOYEE (p_employee_id NUMBER) IS
    BEGIN
        DELETE FROM EMPLOYEES WHERE EMPLOYEE_ID = p_employee_id;
    END REMOVE_EMPLOYEE;
END EMP_MGMT;
')),
  "LINES" ("OBJ", "LINE", "SOURCE", "REST") AS (
    SELECT "OBJ", 0, NULL, "TEXT" FROM "TEXTS"
    UNION ALL
    SELECT "OBJ", "LINE" + 1, substr("REST", 1, instr("REST", char(10))),
           substr("REST", instr("REST", char(10)) + 1)
      FROM "LINES"
     WHERE instr("REST", char(10)) > 0)
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE")
SELECT "OBJ", "LINE", "SOURCE" FROM "LINES" WHERE "LINE" > 0;

-- The compiler's messages for PURGE_OLD_HISTORY (invalid).
INSERT INTO "ERROR$" ("OBJ#", "SEQUENCE#", "LINE", "POSITION#", "TEXT", "TEXTLENGTH",
                      "PROPERTY", "ERROR#")
SELECT column1, column2, column3, column4, column5, length(column5), 0, column6
  FROM (VALUES
    (52043, 1, 5, 5, 'PL/SQL: Statement ignored', 0),
    (52043, 2, 5, 16, 'PLS-00201: identifier ''X'' must be declared', 201),
    (52043, 3, 6, 5, 'PL/SQL: Statement ignored', 0),
    (52043, 4, 6, 61, 'PLS-00201: identifier ''HIST_TABLE'' must be declared', 201));

-- Triggers: definition (owner, name, timing, event, table) and PL/SQL body.
-- TYPE# 0 before statement, 3 after each row.
INSERT INTO "TRIGGER$" ("OBJ#", "TYPE#", "UPDATE$", "INSERT$", "DELETE$", "BASEOBJECT",
                        "REFOLDNAME", "REFNEWNAME", "DEFINITION", "ACTION#", "ACTIONSIZE",
                        "ENABLED")
SELECT column1, column2, column3, column4, column5, 52013, 'OLD', 'NEW', column6, column7,
       length(column7), column8
  FROM (VALUES
    (52048, 3, 1, 0, 0,
     'HR.UPDATE_JOB_HISTORY AFTER UPDATE OF JOB_ID, DEPARTMENT_ID ON HR.EMPLOYEES FOR EACH ROW
',
     'BEGIN
    ADD_JOB_HISTORY(:OLD.EMPLOYEE_ID, :OLD.HIRE_DATE, SYSDATE, :OLD.JOB_ID,
                    :OLD.DEPARTMENT_ID);
END;
', 1),
    (52049, 0, 1, 1, 1,
     'HR.SECURE_EMPLOYEES BEFORE INSERT OR UPDATE OR DELETE ON HR.EMPLOYEES
',
     'BEGIN
    SECURE_DML;
END;
', 0));

INSERT INTO "SYN$" ("OBJ#", "NODE", "OWNER", "NAME") VALUES (52050, NULL, 'HR', 'EMPLOYEES');

UPDATE "OBJ$"
   SET "NAMESPACE" = CASE "TYPE#" WHEN 1 THEN 4 WHEN 11 THEN 2 WHEN 12 THEN 3 ELSE 1 END,
       "DATAOBJ#" = CASE WHEN "TYPE#" IN (1, 2) THEN "OBJ#" END,
       "CTIME" = '2024-01-15 09:35:00', "MTIME" = '2024-01-15 09:35:00',
       "STIME" = '2024-01-15 09:35:00'
 WHERE "OWNER#" = 46;
