#include "engine/emulation/CreateTrigger.h"

#include "engine/emulation/CodeReferences.h"
#include "engine/emulation/CreateStoredCode.h"
#include "engine/emulation/CreateView.h"
#include "persistence/Exceptions.h"

namespace quorvex::emulation {

namespace {

using namespace object_types;

const char* const kInvalidTrigger = "ORA-04079: invalid trigger specification";

// What the header of a trigger says.
struct TTriggerHeader {
    int Type = 0; // TRIGGER$."TYPE#"
    bool Insert = false;
    bool Update = false;
    bool Delete = false;
    std::string Events; // as DEFINITION writes them
    std::optional<TObjectName> Table;
    std::string On; // DATABASE or SCHEMA for a trigger on no table
    std::string OldName = "OLD";
    std::string NewName = "NEW";
    bool Enabled = true;
    std::string When;
    size_t Body = 0; // the first token of the body
};

std::string Word(const TStatementTokens& t, size_t k)
{
    return sql::ToUpper(t[k].Text);
}

TTriggerHeader ReadHeader(const TStatementTokens& t, size_t at)
{
    TTriggerHeader header;
    bool instead = false;
    bool before = false;
    if (t.IsKeyword(at, "INSTEAD") && t.IsKeyword(at + 1, "OF")) {
        instead = true;
        at += 2;
    } else if (t.IsKeyword(at, "BEFORE") || t.IsKeyword(at, "AFTER")) {
        before = t.IsKeyword(at, "BEFORE");
        ++at;
    } else {
        throw Exception(kInvalidTrigger);
    }
    header.Events = instead ? "INSTEAD OF" : before ? "BEFORE" : "AFTER";
    for (bool first = true; first || t.IsKeyword(at, "OR"); first = false) {
        if (!first)
            ++at;
        if (!t.IsName(at))
            throw Exception(kInvalidTrigger);
        const std::string event = Word(t, at++);
        header.Events += (first ? " " : " OR ") + event;
        header.Insert = header.Insert || event == "INSERT";
        header.Delete = header.Delete || event == "DELETE";
        if (event == "UPDATE") {
            header.Update = true;
            if (t.IsKeyword(at, "OF")) {
                header.Events += " OF ";
                for (++at; t.IsName(at); at += 2) {
                    header.Events += WrittenName(sql::NameOf(t[at]));
                    if (!t.IsSymbol(at + 1, ","))
                        break;
                    header.Events += ", ";
                }
                ++at;
            }
        }
    }
    if (!t.IsKeyword(at++, "ON"))
        throw Exception(kInvalidTrigger);
    if (t.IsKeyword(at, "DATABASE") || t.IsKeyword(at, "SCHEMA")) {
        header.On = Word(t, at++);
    } else {
        header.Table = ReadObjectName(t, at);
        if (!header.Table)
            throw Exception(kInvalidTrigger);
    }
    bool row = false;
    for (;;) {
        if (t.IsKeyword(at, "REFERENCING")) {
            for (++at;
                 t.IsKeyword(at, "OLD") || t.IsKeyword(at, "NEW") || t.IsKeyword(at, "PARENT");) {
                const std::string which = Word(t, at++);
                if (t.IsKeyword(at, "AS"))
                    ++at;
                if (!t.IsName(at))
                    throw Exception(kInvalidTrigger);
                std::string parent; // nested-table triggers only; not kept
                (which == "OLD"   ? header.OldName
                 : which == "NEW" ? header.NewName
                                  : parent) = sql::NameOf(t[at++]);
            }
        } else if (t.IsKeyword(at, "FOR") && t.IsKeyword(at + 1, "EACH") &&
                   t.IsKeyword(at + 2, "ROW")) {
            row = true;
            at += 3;
        } else if (t.IsKeyword(at, "ENABLE") || t.IsKeyword(at, "DISABLE")) {
            header.Enabled = t.IsKeyword(at++, "ENABLE");
        } else if (t.IsKeyword(at, "FOLLOWS") || t.IsKeyword(at, "PRECEDES")) {
            for (++at; t.IsName(at) || t.IsSymbol(at, ".") || t.IsSymbol(at, ","); ++at) {
            }
        } else {
            break;
        }
    }
    if (t.IsKeyword(at, "WHEN") && t.IsSymbol(at + 1, "(")) {
        const size_t close = t.Closing(at + 1);
        if (close >= t.Size())
            throw Exception(kInvalidTrigger);
        header.When = std::string(t.Text(at + 2, close));
        at = close + 1;
    }
    if (!t.IsKeyword(at, "BEGIN") && !t.IsKeyword(at, "DECLARE") && !t.IsKeyword(at, "CALL"))
        throw Exception(kInvalidTrigger);
    header.Body = at;
    header.Type = instead ? 4 : (before ? 0 : 2) + (row ? 1 : 0);
    return header;
}

std::string Definition(const std::string& owner, const std::string& name,
                       const TTriggerHeader& header, const std::string& tableOwner, bool row)
{
    std::string text = WrittenName(owner) + "." + WrittenName(name) + " " + header.Events + " ON ";
    text +=
        header.Table ? WrittenName(tableOwner) + "." + WrittenName(header.Table->Name) : header.On;
    if (header.OldName != "OLD" || header.NewName != "NEW")
        text += " REFERENCING OLD AS " + WrittenName(header.OldName) + " NEW AS " +
                WrittenName(header.NewName);
    if (row)
        text += " FOR EACH ROW";
    if (!header.When.empty())
        text += " WHEN (" + header.When + ")";
    return text + "\n";
}

} // namespace

void EmulateCreateTrigger(const TEmulationContext& context, const TStatementTokens& t,
                          size_t kindAt, bool orReplace)
{
    size_t at = kindAt + 1;
    const auto name = ReadObjectName(t, at);
    if (!name)
        throw Exception(kInvalidTrigger);
    const TTriggerHeader header = ReadHeader(t, at);
    const bool row = header.Type == 1 || header.Type == 3;

    TDictionary& dictionary = context.Dictionary;
    sqlite3* db = context.Db();
    const std::string owner = dictionary.OwnerOf(*name);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    std::string tableOwner;
    std::int64_t baseObject = 0;
    if (header.Table) {
        tableOwner = dictionary.OwnerOf(*header.Table);
        const auto table =
            dictionary.Find(dictionary.UserNo(tableOwner), header.Table->Name, {kTable, kView});
        if (!table)
            throw Exception("ORA-00942: table or view does not exist");
        if (table->Type == kTable && header.Type == 4)
            throw Exception("ORA-25002: cannot create INSTEAD OF triggers on tables");
        if (table->Type == kView && header.Type != 4)
            throw Exception("ORA-25001: cannot create this trigger type on views");
        baseObject = table->ObjNo;
    }
    const auto existing = dictionary.Find(ownerNo, name->Name, {kTrigger});
    if (existing && !orReplace)
        throw Exception("ORA-04081: trigger '" + name->Name + "' already exists");

    std::string action(t.Text(header.Body, t.Size()));
    if (!action.ends_with('\n'))
        action += '\n';
    const auto errors = MissingReferences(dictionary, owner, action);
    const int status = errors.empty() ? 1 : kStatusInvalid;

    TSavepoint savepoint(db);
    std::int64_t objNo = 0;
    if (existing) {
        objNo = existing->ObjNo;
        RunStatement(db, R"(DELETE FROM SYS."TRIGGER$" WHERE "OBJ#" = ?)", {objNo});
        dictionary.SetReplaced(objNo, status);
    } else {
        objNo = dictionary.AddObject(ownerNo, name->Name, kTrigger, status);
    }
    TParamValue when;
    if (!header.When.empty())
        when = header.When;
    RunStatement(db,
                 R"(INSERT INTO SYS."TRIGGER$" ("OBJ#", "TYPE#", "UPDATE$", "INSERT$", "DELETE$",
                        "BASEOBJECT", "REFOLDNAME", "REFNEWNAME", "DEFINITION", "WHENCLAUSE",
                        "ACTION#", "ACTIONSIZE", "ENABLED")
                    VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))",
                 {objNo, std::int64_t{header.Type}, std::int64_t{header.Update ? 1 : 0},
                  std::int64_t{header.Insert ? 1 : 0}, std::int64_t{header.Delete ? 1 : 0},
                  baseObject, header.OldName, header.NewName,
                  Definition(owner, name->Name, header, tableOwner, row), when, action,
                  static_cast<std::int64_t>(action.size()), std::int64_t{header.Enabled ? 1 : 0}});
    RecordCodeErrors(db, objNo, errors);
    savepoint.Release();
    if (!errors.empty())
        throw Exception(kCompiledWithErrors);
}

bool EmulateAlterTrigger(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    if (!t.IsKeyword(0, "ALTER") || !t.IsKeyword(1, "TRIGGER"))
        return false;
    size_t at = 2;
    const auto name = ReadObjectName(t, at);
    if (!name || !(t.IsKeyword(at, "ENABLE") || t.IsKeyword(at, "DISABLE")) || at + 1 != t.Size())
        return false;
    TDictionary& dictionary = context.Dictionary;
    const auto trigger =
        dictionary.Find(dictionary.UserNo(dictionary.OwnerOf(*name)), name->Name, {kTrigger});
    if (!trigger)
        throw Exception("ORA-04080: trigger '" + name->Name + "' does not exist");
    RunStatement(context.Db(), R"(UPDATE SYS."TRIGGER$" SET "ENABLED" = ? WHERE "OBJ#" = ?)",
                 {std::int64_t{t.IsKeyword(at, "ENABLE") ? 1 : 0}, trigger->ObjNo});
    return true;
}

} // namespace quorvex::emulation
