#include "engine/emulation/CatalogViews.h"

#include "persistence/Exceptions.h"

#include <sqlite3.h>

namespace quorvex::emulation {

namespace {

// Written for user number 0; "= 0" after OWNER# is replaced by the login user's number.
constexpr const char* kViews = R"(
CREATE TEMP VIEW "USER_TAB_COLUMNS" AS
SELECT o."NAME" AS "TABLE_NAME", c."NAME" AS "COLUMN_NAME",
       CASE c."TYPE#"
           WHEN 1 THEN CASE c."CHARSETFORM" WHEN 2 THEN 'NVARCHAR2' ELSE 'VARCHAR2' END
           WHEN 2 THEN CASE WHEN c."SCALE" IS NULL AND c."PRECISION#" IS NOT NULL
                            THEN 'FLOAT' ELSE 'NUMBER' END
           WHEN 8 THEN 'LONG' WHEN 12 THEN 'DATE' WHEN 23 THEN 'RAW' WHEN 24 THEN 'LONG RAW'
           WHEN 69 THEN 'ROWID'
           WHEN 96 THEN CASE c."CHARSETFORM" WHEN 2 THEN 'NCHAR' ELSE 'CHAR' END
           WHEN 100 THEN 'BINARY_FLOAT' WHEN 101 THEN 'BINARY_DOUBLE'
           WHEN 112 THEN CASE c."CHARSETFORM" WHEN 2 THEN 'NCLOB' ELSE 'CLOB' END
           WHEN 113 THEN 'BLOB' WHEN 114 THEN 'BFILE'
           WHEN 180 THEN 'TIMESTAMP(' || c."SCALE" || ')'
           WHEN 181 THEN 'TIMESTAMP(' || c."SCALE" || ') WITH TIME ZONE'
           WHEN 231 THEN 'TIMESTAMP(' || c."SCALE" || ') WITH LOCAL TIME ZONE'
           ELSE 'UNDEFINED' END AS "DATA_TYPE",
       c."LENGTH" AS "DATA_LENGTH",
       c."PRECISION#" AS "DATA_PRECISION",
       CASE WHEN c."TYPE#" IN (180, 181, 231) THEN NULL ELSE c."SCALE" END AS "DATA_SCALE",
       CASE c."NULL$" WHEN 0 THEN 'Y' ELSE 'N' END AS "NULLABLE",
       c."COL#" AS "COLUMN_ID",
       c."DEFLENGTH" AS "DEFAULT_LENGTH",
       c."DEFAULT$" AS "DATA_DEFAULT",
       CASE WHEN c."TYPE#" IN (1, 96) THEN c."LENGTH" / (CASE c."CHARSETFORM" WHEN 2 THEN 2
                                                          ELSE 1 END)
            ELSE 0 END AS "CHAR_LENGTH"
  FROM SYS."OBJ$" o JOIN SYS."COL$" c ON c."OBJ#" = o."OBJ#"
 WHERE o."OWNER# = 0" AND o."TYPE#" IN (2, 4) AND (c."PROPERTY" & 32) = 0;

CREATE TEMP VIEW "USER_TAB_COMMENTS" AS
SELECT o."NAME" AS "TABLE_NAME",
       CASE o."TYPE#" WHEN 2 THEN 'TABLE' ELSE 'VIEW' END AS "TABLE_TYPE",
       m."COMMENT$" AS "COMMENTS"
  FROM SYS."OBJ$" o
  LEFT JOIN SYS."COM$" m ON m."OBJ#" = o."OBJ#" AND COALESCE(m."COL#", 0) = 0
 WHERE o."OWNER# = 0" AND o."TYPE#" IN (2, 4);

CREATE TEMP VIEW "USER_COL_COMMENTS" AS
SELECT o."NAME" AS "TABLE_NAME", c."NAME" AS "COLUMN_NAME", m."COMMENT$" AS "COMMENTS"
  FROM SYS."OBJ$" o
  JOIN SYS."COL$" c ON c."OBJ#" = o."OBJ#"
  LEFT JOIN SYS."COM$" m ON m."OBJ#" = o."OBJ#" AND m."COL#" = c."COL#"
 WHERE o."OWNER# = 0" AND o."TYPE#" IN (2, 4) AND (c."PROPERTY" & 32) = 0;

CREATE TEMP VIEW "USER_CONSTRAINTS" AS
SELECT u."NAME" AS "OWNER", n."NAME" AS "CONSTRAINT_NAME",
       CASE d."TYPE#" WHEN 1 THEN 'C' WHEN 2 THEN 'P' WHEN 3 THEN 'U' WHEN 4 THEN 'R'
                      WHEN 5 THEN 'V' WHEN 6 THEN 'O' WHEN 7 THEN 'C' ELSE '?' END
           AS "CONSTRAINT_TYPE",
       o."NAME" AS "TABLE_NAME",
       d."CONDITION" AS "SEARCH_CONDITION",
       ru."NAME" AS "R_OWNER",
       rn."NAME" AS "R_CONSTRAINT_NAME",
       CASE WHEN d."TYPE#" = 4 THEN CASE d."REFACT" WHEN 1 THEN 'CASCADE'
                                                    WHEN 2 THEN 'SET NULL'
                                                    ELSE 'NO ACTION' END END AS "DELETE_RULE",
       CASE WHEN d."ENABLED" IS NULL THEN 'DISABLED' ELSE 'ENABLED' END AS "STATUS",
       CASE WHEN (d."DEFER" & 1) = 1 THEN 'DEFERRABLE' ELSE 'NOT DEFERRABLE' END
           AS "DEFERRABLE",
       CASE WHEN (d."DEFER" & 2) = 2 THEN 'DEFERRED' ELSE 'IMMEDIATE' END AS "DEFERRED",
       CASE WHEN d."ENABLED" IS NULL THEN 'NOT VALIDATED' ELSE 'VALIDATED' END AS "VALIDATED",
       CASE WHEN n."NAME" LIKE 'SYS\_C%' ESCAPE '\' THEN 'GENERATED NAME' ELSE 'USER NAME' END
           AS "GENERATED",
       d."MTIME" AS "LAST_CHANGE"
  FROM SYS."CDEF$" d
  JOIN SYS."CON$" n ON n."CON#" = d."CON#"
  JOIN SYS."OBJ$" o ON o."OBJ#" = d."OBJ#"
  JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
  LEFT JOIN SYS."CON$" rn ON rn."CON#" = d."RCON#"
  LEFT JOIN SYS."USER$" ru ON ru."USER#" = rn."OWNER#"
 WHERE o."OWNER# = 0";

CREATE TEMP VIEW "USER_CONS_COLUMNS" AS
SELECT u."NAME" AS "OWNER", n."NAME" AS "CONSTRAINT_NAME", o."NAME" AS "TABLE_NAME",
       c."NAME" AS "COLUMN_NAME", cc."POS#" AS "POSITION"
  FROM SYS."CCOL$" cc
  JOIN SYS."CON$" n ON n."CON#" = cc."CON#"
  JOIN SYS."OBJ$" o ON o."OBJ#" = cc."OBJ#"
  JOIN SYS."COL$" c ON c."OBJ#" = cc."OBJ#" AND c."INTCOL#" = cc."INTCOL#"
  JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
 WHERE o."OWNER# = 0";

CREATE TEMP VIEW "USER_ERRORS" AS
SELECT o."NAME" AS "NAME",
       CASE o."TYPE#" WHEN 4 THEN 'VIEW' WHEN 7 THEN 'PROCEDURE' WHEN 8 THEN 'FUNCTION'
                      WHEN 9 THEN 'PACKAGE' WHEN 11 THEN 'PACKAGE BODY' WHEN 12 THEN 'TRIGGER'
                      WHEN 13 THEN 'TYPE' WHEN 14 THEN 'TYPE BODY' ELSE 'UNDEFINED' END
           AS "TYPE",
       e."SEQUENCE#" AS "SEQUENCE", e."LINE" AS "LINE", e."POSITION#" AS "POSITION",
       e."TEXT" AS "TEXT",
       CASE e."PROPERTY" WHEN 0 THEN 'ERROR' ELSE 'WARNING' END AS "ATTRIBUTE",
       e."ERROR#" AS "MESSAGE_NUMBER"
  FROM SYS."ERROR$" e JOIN SYS."OBJ$" o ON o."OBJ#" = e."OBJ#"
 WHERE o."OWNER# = 0";
)";

} // namespace

std::string CatalogViewsSql(std::int64_t userNo)
{
    const std::string marker = "\"OWNER# = 0\"";
    const std::string condition = "\"OWNER#\" = " + std::to_string(userNo);
    std::string sql = kViews;
    for (size_t at = sql.find(marker); at != std::string::npos; at = sql.find(marker, at))
        sql.replace(at, marker.size(), condition);
    return sql;
}

void CreateCatalogViews(sqlite3* db, std::int64_t userNo)
{
    char* message = nullptr;
    if (sqlite3_exec(db, CatalogViewsSql(userNo).c_str(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
        const std::string text = message != nullptr ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw Exception(text);
    }
}

} // namespace quorvex::emulation
