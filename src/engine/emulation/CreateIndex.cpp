#include "engine/emulation/CreateIndex.h"

#include "persistence/Exceptions.h"

namespace quorvex::emulation {

namespace {

// COL$."PROPERTY" bit of a column that is a descending key.
constexpr std::int64_t kDescendingKey = 0x20000;

} // namespace

void EmulateCreateIndex(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    size_t at = 1;
    const bool unique = t.IsKeyword(at, "UNIQUE");
    if (unique || t.IsKeyword(at, "BITMAP"))
        ++at;
    if (!t.IsKeyword(at++, "INDEX"))
        throw Exception("ORA-00901: invalid CREATE command");
    const auto index = ReadObjectName(t, at);
    if (!index || !t.IsKeyword(at++, "ON"))
        throw Exception("ORA-00969: missing ON keyword");
    const auto table = ReadObjectName(t, at);
    if (!table || !t.IsSymbol(at, "("))
        throw Exception("ORA-00906: missing left parenthesis");
    const size_t close = t.Closing(at);
    if (close >= t.Size())
        throw Exception("ORA-00907: missing right parenthesis");

    TDictionary& dictionary = context.Dictionary;
    sqlite3* db = context.Db();
    // An index lives with its table; a named index schema wins, as it names the owner.
    const std::string tableOwner = dictionary.OwnerOf(*table);
    const std::string owner = index->Schema.empty() ? tableOwner : index->Schema;
    dictionary.Attach(tableOwner);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    if (dictionary.NameUsed(ownerNo, index->Name, object_types::kIndex))
        throw Exception("ORA-00955: name is already used by an existing object");

    const std::string create = std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " +
                               QuotedName(tableOwner) + "." + QuotedName(index->Name) + " ON " +
                               QuotedName(table->Name) + " " + std::string(t.Text(at, close + 1));

    TSavepoint savepoint(db);
    RunStatement(db, context.Preparer.Prepare(create));
    const auto base =
        dictionary.Find(dictionary.UserNo(tableOwner), table->Name, {object_types::kTable});
    if (base) {
        const auto keys = QueryRows(db,
                                    R"(SELECT name, "desc" FROM pragma_index_xinfo(?, ?)
                                        WHERE key = 1 AND cid >= 0 ORDER BY seqno)",
                                    {index->Name, tableOwner});
        const std::int64_t indexNo =
            dictionary.AddObject(ownerNo, index->Name, object_types::kIndex, 1);
        RunStatement(db,
                     R"(INSERT INTO SYS."IND$" ("OBJ#", "DATAOBJ#", "BO#", "PROPERTY", "COLS")
                        VALUES (?, ?, ?, ?, ?))",
                     {indexNo, indexNo, base->ObjNo, std::int64_t{unique ? 1 : 0},
                      static_cast<std::int64_t>(keys.size())});
        std::int64_t position = 0;
        for (const TRow& key : keys) {
            RunStatement(db,
                         R"(INSERT INTO SYS."ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "SEGCOL#",
                                "INTCOL#")
                            SELECT ?, "OBJ#", "COL#", ?, "SEGCOL#", "INTCOL#" FROM SYS."COL$"
                             WHERE "OBJ#" = ? AND "NAME" = ? COLLATE NOCASE)",
                         {indexNo, ++position, base->ObjNo, key[0].AsText()});
            if (key[1].AsInteger() != 0)
                RunStatement(db,
                             R"(UPDATE SYS."COL$" SET "PROPERTY" = "PROPERTY" | ?
                                 WHERE "OBJ#" = ? AND "NAME" = ? COLLATE NOCASE)",
                             {kDescendingKey, base->ObjNo, key[0].AsText()});
        }
    }
    savepoint.Release();
}

} // namespace quorvex::emulation
