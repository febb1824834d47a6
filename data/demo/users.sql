-- Roles and users of the demo database (into SYS.sqlite). Passwords: SYSTEM/manager,
-- SCOTT/tiger, HR/hr, stored as lower-case hex SHA-256.
INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD", "DATATS#", "TEMPTS#", "CTIME",
                     "PTIME") VALUES
    (2, 'CONNECT', 0, '', 0, 0, '2024-01-15 09:00:00', NULL),
    (3, 'RESOURCE', 0, '', 0, 0, '2024-01-15 09:00:00', NULL),
    (4, 'DBA', 0, '', 0, 0, '2024-01-15 09:00:00', NULL),
    (5, 'SYSTEM', 1, '6ee4a469cd4e91053847f5d3fcb61dbcc91e8f0ef10be7748da4c4a1ba382d17', 1, 2,
     '2024-01-15 09:00:00', '2024-01-15 09:00:00'),
    (46, 'HR', 1, '1b52f3a2e15148731314bf167145c54565ed2385a862b5eb7771eaf719e4f82e', 4, 2,
     '2024-01-15 09:30:00', '2024-01-15 09:30:00'),
    (59, 'SCOTT', 1, 'f15c16b99f82d8201767d3a841ff40849c8a1b812ffbfd2e393d2b6aa6682a6e', 4, 2,
     '2024-01-15 09:40:00', '2024-01-15 09:40:00');
