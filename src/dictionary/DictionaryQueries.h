#pragma once

#include <string_view>

// The dictionary reader's SQL texts, exactly as sent. Restricted variants bind the user number
// to :USER_NO or have a clause appended; the hint prefix is prepended where a text starts
// after "SELECT ".
namespace quorvex::queries {

inline constexpr std::string_view kAllUsers = "SELECT * FROM SYS.\"USER$\"";
inline constexpr std::string_view kDatabaseTime = "SELECT SYSDATE FROM DUAL";

inline constexpr std::string_view kOwners =
    "SELECT \"USER#\",\"NAME\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1";
inline constexpr std::string_view kOwnersRestriction = " AND USER# = ";

inline constexpr std::string_view kObjects =
    "\"OBJ#\",\"NAME\",\"TYPE#\",\"STATUS\",\"OWNER#\" FROM SYS.\"OBJ$\"";
inline constexpr std::string_view kObjectsRestriction = " WHERE \"OWNER#\" = ";
inline constexpr std::string_view kObjectsOrder = " ORDER BY \"NAME\"";

inline constexpr std::string_view kFieldsAll =
    "c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", c.\"PRECISION#\", "
    "c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE "
    "o.\"TYPE#\" = 2 AND o.\"OBJ#\" = c.\"OBJ#\"";
inline constexpr std::string_view kFieldsRestricted =
    "c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", c.\"PRECISION#\", "
    "c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE "
    "o.\"OWNER#\" = :USER_NO AND o.\"TYPE#\" = 2 AND o.\"OBJ#\" = c.\"OBJ#\"";

inline constexpr std::string_view kCommentsAll =
    "c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"COM$\" c";
inline constexpr std::string_view kCommentsRestricted =
    "c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"OBJ$\" o,SYS.\"COM$\" c WHERE "
    "o.\"OWNER#\" = :USER_NO AND o.\"OBJ#\" = c.\"OBJ#\"";

inline constexpr std::string_view kConstraintsAll =
    "d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\",d.\"REFACT\",d.\"OBJ#\","
    "d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\",d.\"MATCH#\",rc.\"NAME\" RCOL,ro.\"NAME\" "
    "ROBJ FROM SYS.\"CON$\" o,SYS.\"CDEF$\" d,SYS.\"CCOL$\" c,SYS.\"COL$\" rc,SYS.\"OBJ$\" ro "
    "WHERE o.\"CON#\" = d.\"CON#\" AND d.\"ROBJ#\" = ro.\"OBJ#\"(+) AND d.\"CON#\" = "
    "c.\"CON#\"(+) AND c.\"OBJ#\" = rc.\"OBJ#\"(+) AND c.\"COL#\" = rc.\"COL#\"(+) ORDER BY "
    "o.\"NAME\",c.\"POS#\"";
inline constexpr std::string_view kConstraintsRestricted =
    "d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\",d.\"REFACT\",d.\"OBJ#\","
    "d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\",d.\"MATCH#\",rc.\"NAME\" RCOL,ro.\"NAME\" "
    "ROBJ FROM SYS.\"CON$\" o,SYS.\"CDEF$\" d,SYS.\"CCOL$\" c,SYS.\"COL$\" rc,SYS.\"OBJ$\" ro "
    "WHERE o.\"OWNER#\" = :USER_NO AND o.\"CON#\" = d.\"CON#\" AND d.\"ROBJ#\" = "
    "ro.\"OBJ#\"(+) AND d.\"CON#\" = c.\"CON#\"(+) AND c.\"OBJ#\" = rc.\"OBJ#\"(+) AND "
    "c.\"COL#\" = rc.\"COL#\"(+) ORDER BY o.\"NAME\",c.\"POS#\"";

inline constexpr std::string_view kTriggersAll =
    "s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" FROM SYS.\"TRIGGER$\" s";
inline constexpr std::string_view kTriggersRestricted =
    "s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" FROM SYS.\"OBJ$\" "
    "o,SYS.\"TRIGGER$\" s WHERE o.\"OWNER#\" = :USER_NO AND o.\"TYPE#\" = 12 AND o.\"OBJ#\" = "
    "s.\"OBJ#\"";

inline constexpr std::string_view kViewsAll = "s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"VIEW$\" s";
inline constexpr std::string_view kViewsRestricted =
    "s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"OBJ$\" o,SYS.\"VIEW$\" s WHERE o.\"OWNER#\" = :USER_NO "
    "AND o.\"TYPE#\" = 4 AND o.\"OBJ#\" = s.\"OBJ#\"";

inline constexpr std::string_view kSequences =
    "\"OBJ#\",\"HIGHWATER\",\"INCREMENT$\",\"MINVALUE\",\"MAXVALUE\",\"CYCLE#\",\"CACHE\","
    "\"ORDER$\" FROM SYS.\"SEQ$\"";

inline constexpr std::string_view kIndexesAll =
    "idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM SYS.\"OBJ$\" "
    "idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE idx.\"OBJ#\" = ic.\"OBJ#\" AND ic.\"BO#\" = "
    "c.\"OBJ#\" AND ic.\"INTCOL#\" = c.\"INTCOL#\" ORDER BY idx.\"OBJ#\",ic.\"POS#\"";
inline constexpr std::string_view kIndexesRestricted =
    "idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM SYS.\"OBJ$\" "
    "idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE idx.\"OWNER#\" = :USER_NO AND idx.\"OBJ#\" = "
    "ic.\"OBJ#\" AND ic.\"BO#\" = c.\"OBJ#\" AND ic.\"INTCOL#\" = c.\"INTCOL#\" ORDER BY "
    "idx.\"OBJ#\",ic.\"POS#\"";

inline constexpr std::string_view kSourceAll =
    "s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"SOURCE$\" s";
inline constexpr std::string_view kSourceRestricted =
    "s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"OBJ$\" o,SYS.\"SOURCE$\" s WHERE "
    "o.\"OWNER#\" = :USER_NO  AND o.\"TYPE#\" IN (7,8,9,11) AND o.\"OBJ#\" = s.\"OBJ#\"";

// Single-object refresh: the lines of the name/status/comment query (the object number
// follows the third line) and of the source query (the number follows the second line).
inline constexpr std::string_view kRefreshObject[] = {
    "SELECT o.\"NAME\",o.\"STATUS\",c.\"COMMENT$\"",
    " FROM SYS.\"OBJ$\" o,SYS.\"COM$\" c",
    " WHERE o.\"OBJ#\" = ",
    " AND o.\"OBJ#\" = c.\"OBJ#\"(+)",
    " AND ((c.\"COL#\" IS NULL) OR (c.\"COL#\" = 0))",
};
inline constexpr std::string_view kRefreshSource[] = {
    "SELECT \"LINE\",\"SOURCE\" FROM SYS.\"SOURCE$\" ",
    "WHERE \"OBJ#\" = ",
    "ORDER BY \"LINE\"",
};

} // namespace quorvex::queries
