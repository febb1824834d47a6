#include "engine/emulation/CompileObject.h"

#include "engine/emulation/CodeReferences.h"
#include "engine/emulation/CreateView.h"
#include "persistence/Exceptions.h"

#include <array>
#include <utility>
#include <vector>

namespace quorvex::emulation {

namespace {

// The object types an ALTER ... COMPILE of a kind reaches, by its COMPILE keyword.
std::vector<int> TypesToCompile(std::string_view kind, bool body)
{
    using namespace object_types;
    if (kind == "PACKAGE")
        return body ? std::vector<int>{kPackageBody} : std::vector<int>{kPackage, kPackageBody};
    constexpr std::array<std::pair<std::string_view, int>, 4> kKinds = {{{"VIEW", kView},
                                                                         {"PROCEDURE", kProcedure},
                                                                         {"FUNCTION", kFunction},
                                                                         {"TRIGGER", kTrigger}}};
    for (const auto& [name, type] : kKinds)
        if (kind == name)
            return {type};
    return {};
}

// Rebuilds the SQLite view from the dictionary; true when its query runs.
bool CompileView(const TEmulationContext& context, const std::string& owner,
                 const std::string& name, std::int64_t objNo)
{
    sqlite3* db = context.Db();
    const auto text = QueryText(db, R"(SELECT "TEXT" FROM SYS."VIEW$" WHERE "OBJ#" = ?)", {objNo});
    std::optional<std::string> error;
    if (text)
        context.Dictionary.Attach(owner); // outside the savepoint: SQLite attaches no sooner
    {
        TSavepoint savepoint(db);
        if (text) {
            std::string columns;
            for (const TRow& row : QueryRows(db,
                                             R"(SELECT "NAME" FROM SYS."COL$" WHERE "OBJ#" = ?
                                                 ORDER BY "COL#")",
                                             {objNo}))
                columns += (columns.empty() ? " (" : ", ") + QuotedName(row[0].AsText());
            if (!columns.empty())
                columns += ")";
            const std::string target = QuotedName(owner) + "." + QuotedName(name);
            try {
                RunStatement(db, "DROP VIEW IF EXISTS " + target);
                RunStatement(db, "CREATE VIEW " + target + columns + " AS " +
                                     context.Preparer.Prepare(*text));
            } catch (const Exception& e) {
                error = e.what();
            }
        }
        if (!error)
            error = ViewError(db, owner, name);
        if (error)
            savepoint.Rollback();
        else
            savepoint.Release();
    }
    RecordErrors(db, objNo, error ? std::vector<std::string>{*error} : std::vector<std::string>{});
    context.Dictionary.SetStatus(objNo, error ? kStatusInvalid : 1);
    return !error;
}

} // namespace

bool EmulateCompile(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    if (!t.IsKeyword(0, "ALTER") || !t.IsName(1))
        return false;
    const std::string kind = sql::ToUpper(t[1].Text);
    size_t at = 2;
    const auto name = ReadObjectName(t, at);
    if (!name || !t.IsKeyword(at, "COMPILE"))
        return false;
    const std::vector<int> types = TypesToCompile(kind, t.IsKeyword(at + 1, "BODY"));
    if (types.empty())
        return false;

    TDictionary& dictionary = context.Dictionary;
    const std::string owner = dictionary.OwnerOf(*name);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    std::vector<TDictionaryObject> objects;
    for (const int type : types)
        if (const auto object = dictionary.Find(ownerNo, name->Name, {type}))
            objects.push_back(*object);
    // COMPILE PACKAGE needs the package itself; its body is compiled when there is one.
    if (objects.empty() ||
        (kind == "PACKAGE" && types.size() == 2 && objects.front().Type != object_types::kPackage))
        throw Exception("ORA-04043: object " + name->Name + " does not exist");

    bool valid = true;
    for (const TDictionaryObject& object : objects) {
        if (object.Type == object_types::kView) {
            valid = CompileView(context, owner, name->Name, object.ObjNo) && valid;
            continue;
        }
        RecheckReferences(dictionary, owner, object.ObjNo);
        const bool clean = QueryInteger(context.Db(),
                                        R"(SELECT COUNT(*) FROM SYS."ERROR$"
                                            WHERE "OBJ#" = ? AND "PROPERTY" = 0)",
                                        {object.ObjNo})
                               .value_or(0) == 0;
        dictionary.SetStatus(object.ObjNo, clean ? 1 : kStatusInvalid);
        valid = valid && clean;
    }
    if (!valid)
        throw Exception(kCompiledWithErrors);
    return true;
}

} // namespace quorvex::emulation
