#include "engine/emulation/TableColumns.h"

#include "engine/emulation/OracleTypes.h"
#include "persistence/Exceptions.h"

#include <cctype>

namespace quorvex::emulation {

std::string TTableRef::Target() const
{
    return QuotedName(Owner) + "." + QuotedName(Name);
}

TTableRef FindTable(const TDictionary& dictionary, const TObjectName& name)
{
    TTableRef table;
    table.Owner = dictionary.OwnerOf(name);
    table.OwnerNo = dictionary.UserNo(table.Owner);
    table.Name = name.Name;
    const auto object = dictionary.Find(table.OwnerNo, name.Name, {object_types::kTable});
    if (!object)
        throw Exception("ORA-00942: table or view does not exist");
    table.ObjNo = object->ObjNo;
    return table;
}

std::map<std::string, std::int64_t> TableColumns(sqlite3* db, std::int64_t objNo)
{
    std::map<std::string, std::int64_t> columns;
    for (const TRow& row :
         QueryRows(db, R"(SELECT "NAME", "COL#" FROM SYS."COL$" WHERE "OBJ#" = ?)", {objNo}))
        columns.emplace(row[0].AsText(), row[1].AsInteger());
    return columns;
}

std::int64_t ColumnNo(sqlite3* db, std::int64_t objNo, const std::string& column)
{
    const auto number = QueryInteger(
        db, R"(SELECT "COL#" FROM SYS."COL$" WHERE "OBJ#" = ? AND "NAME" = ?)", {objNo, column});
    if (!number)
        throw Exception("ORA-00904: \"" + column + "\": invalid identifier");
    return *number;
}

TPrecisionScale PrecisionScale(const TOracleColumnType& type)
{
    TPrecisionScale values;
    if (type.Precision)
        values.Precision = std::int64_t{*type.Precision};
    if (type.Scale)
        values.Scale = std::int64_t{*type.Scale};
    return values;
}

void AddColumnRow(sqlite3* db, std::int64_t objNo, std::int64_t colNo, const TColumnDecl& column)
{
    const TOracleColumnType type = OracleColumnType(column.Type);
    const auto [precision, scale] = PrecisionScale(type);
    // A virtual column keeps its expression where Oracle keeps it: as its default.
    const std::string& defaultText = column.Virtual.empty() ? column.Default : column.Virtual;
    TParamValue defaultValue;
    TParamValue defaultLength;
    if (!defaultText.empty()) {
        defaultValue = defaultText;
        defaultLength = static_cast<std::int64_t>(defaultText.size());
    }
    RunStatement(db,
                 R"(INSERT INTO SYS."COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME",
                        "TYPE#", "LENGTH", "PRECISION#", "SCALE", "NULL$", "DEFLENGTH",
                        "DEFAULT$", "CHARSETFORM")
                    VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?))",
                 {objNo, colNo, colNo, colNo, column.Name, std::int64_t{type.TypeNo},
                  std::int64_t{type.Length}, precision, scale, defaultLength, defaultValue,
                  std::int64_t{type.CharsetForm}});
}

void SetMandatory(sqlite3* db, std::int64_t objNo, std::int64_t colNo, bool mandatory)
{
    RunStatement(db, R"(UPDATE SYS."COL$" SET "NULL$" = ? WHERE "OBJ#" = ? AND "COL#" = ?)",
                 {std::int64_t{mandatory ? 1 : 0}, objNo, colNo});
}

void RemoveColumnRows(sqlite3* db, std::int64_t objNo, std::int64_t colNo)
{
    RunStatement(db, R"(DELETE FROM SYS."COL$" WHERE "OBJ#" = ? AND "COL#" = ?)", {objNo, colNo});
    RunStatement(db, R"(DELETE FROM SYS."COM$" WHERE "OBJ#" = ? AND "COL#" = ?)", {objNo, colNo});
    // Through negative numbers, so that the unique indexes on the numbers never see two rows
    // with the same number halfway.
    const struct {
        const char* Table;
        const char* Object;
        const char* Shift;
        const char* Back;
    } kNumbered[] = {
        {"COL$", "OBJ#",
         R"("COL#" = 1 - "COL#", "SEGCOL#" = 1 - "SEGCOL#", "INTCOL#" = 1 - "INTCOL#")",
         R"("COL#" = -"COL#", "SEGCOL#" = -"SEGCOL#", "INTCOL#" = -"INTCOL#")"},
        {"CCOL$", "OBJ#", R"("COL#" = 1 - "COL#", "INTCOL#" = 1 - "INTCOL#")",
         R"("COL#" = -"COL#", "INTCOL#" = -"INTCOL#")"},
        {"ICOL$", "BO#",
         R"("COL#" = 1 - "COL#", "SEGCOL#" = 1 - "SEGCOL#", "INTCOL#" = 1 - "INTCOL#")",
         R"("COL#" = -"COL#", "SEGCOL#" = -"SEGCOL#", "INTCOL#" = -"INTCOL#")"},
        {"COM$", "OBJ#", R"("COL#" = 1 - "COL#")", R"("COL#" = -"COL#")"}};
    for (const auto& numbered : kNumbered) {
        const std::string update = "UPDATE SYS." + QuotedName(numbered.Table) + " SET ";
        const std::string where = " WHERE " + QuotedName(numbered.Object) + " = ? AND \"COL#\" ";
        RunStatement(db, update + numbered.Shift + where + "> ?", {objNo, colNo});
        RunStatement(db, update + numbered.Back + where + "< 0", {objNo});
    }
}

std::string SqliteColumn(const TColumnDecl& column)
{
    // SQLite takes a type name with numbers in parentheses only: "VARCHAR2(30 CHAR)" and
    // "NUMBER(*,2)" lose their parentheses; the affinity comes from the words.
    std::string type = column.Type;
    if (const size_t open = type.find('('); open != std::string::npos) {
        const std::string inside = type.substr(open + 1, type.size() - open - 2);
        for (const char c : inside)
            if (!std::isdigit(static_cast<unsigned char>(c)) && c != ',' && c != ' ') {
                type.erase(open);
                break;
            }
    }
    std::string text = QuotedName(column.Name);
    if (!type.empty())
        text += " " + type;
    if (!column.Virtual.empty())
        text += " AS (" + column.Virtual + ") VIRTUAL";
    else if (column.HasDefault)
        text += " DEFAULT (" + column.Default + ")";
    return text;
}

} // namespace quorvex::emulation
