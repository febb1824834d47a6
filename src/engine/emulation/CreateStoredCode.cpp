#include "engine/emulation/CreateStoredCode.h"

#include "engine/emulation/CodeReferences.h"
#include "engine/emulation/CreateTrigger.h"
#include "engine/emulation/CreateView.h"
#include "persistence/Exceptions.h"

namespace quorvex::emulation {

namespace {

using namespace object_types;

// The object type a kind word (and BODY after it) creates; 0 for none of stored code.
int CodeType(const TStatementTokens& t, size_t at)
{
    const bool body = t.IsKeyword(at + 1, "BODY");
    if (t.IsKeyword(at, "PROCEDURE"))
        return kProcedure;
    if (t.IsKeyword(at, "FUNCTION"))
        return kFunction;
    if (t.IsKeyword(at, "PACKAGE"))
        return body ? kPackageBody : kPackage;
    if (t.IsKeyword(at, "TYPE"))
        return body ? kTypeBody : kType;
    return 0;
}

// An object of the owner whose name the new one would take: bodies share names with bodies,
// the other kinds with each other.
std::optional<TDictionaryObject> Rival(const TDictionary& dictionary, std::int64_t ownerNo,
                                       const std::string& name, int type)
{
    if (type == kPackageBody || type == kTypeBody)
        return dictionary.Find(ownerNo, name, {kPackageBody, kTypeBody});
    return dictionary.Find(
        ownerNo, name,
        {kTable, kView, kSynonym, kSequence, kProcedure, kFunction, kPackage, kType});
}

} // namespace

void StoreSourceLines(sqlite3* db, std::int64_t objNo, std::string_view text)
{
    RunStatement(db, R"(DELETE FROM SYS."SOURCE$" WHERE "OBJ#" = ?)", {objNo});
    std::int64_t line = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        std::string source(text.substr(at, end == std::string_view::npos ? end : end - at));
        source += '\n';
        RunStatement(db, R"(INSERT INTO SYS."SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES (?, ?, ?))",
                     {objNo, ++line, source});
        at = end == std::string_view::npos ? text.size() : end + 1;
    }
}

std::string WrittenName(const std::string& name)
{
    bool plain = !name.empty() && name[0] >= 'A' && name[0] <= 'Z';
    for (const char c : name)
        plain = plain && ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                          c == '$' || c == '#');
    return plain ? name : QuotedName(name);
}

bool EmulateCreateStoredCode(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    if (!t.IsKeyword(0, "CREATE"))
        return false;
    size_t at = 1;
    const bool orReplace = t.IsKeyword(at, "OR") && t.IsKeyword(at + 1, "REPLACE");
    if (orReplace)
        at += 2;
    while (t.IsKeyword(at, "EDITIONABLE") || t.IsKeyword(at, "NONEDITIONABLE"))
        ++at;
    if (t.IsKeyword(at, "TRIGGER")) {
        EmulateCreateTrigger(context, t, at, orReplace);
        return true;
    }
    const int type = CodeType(t, at);
    if (type == 0)
        return false;
    const size_t kindAt = at;
    at += type == kPackageBody || type == kTypeBody ? 2 : 1;
    const size_t nameAt = at;
    const auto name = ReadObjectName(t, at);
    if (!name)
        throw Exception("ORA-00901: invalid CREATE command");
    // Oracle keeps the text from the kind word on, without the schema of the name.
    const size_t written = name->Schema.empty() ? nameAt : nameAt + 2;
    const std::string_view whole = t.Text(kindAt, t.Size());
    const size_t begin = t[kindAt].Position;
    const std::string text = std::string(sql.substr(begin, t[nameAt].Position - begin)) +
                             std::string(whole.substr(t[written].Position - begin));

    TDictionary& dictionary = context.Dictionary;
    sqlite3* db = context.Db();
    const std::string owner = dictionary.OwnerOf(*name);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    const auto existing = Rival(dictionary, ownerNo, name->Name, type);
    if (existing && (!orReplace || existing->Type != type))
        throw Exception("ORA-00955: name is already used by an existing object");

    std::vector<TCodeError> errors;
    if (type == kPackageBody || type == kTypeBody) {
        const int header = type == kPackageBody ? kPackage : kType;
        if (!dictionary.Find(ownerNo, name->Name, {header}))
            errors = {{1, static_cast<int>(sql::ToUpper(text).find(sql::ToUpper(name->Name)) + 1),
                       "PLS-00201: identifier '" + name->Name + "' must be declared", 201},
                      {1, 1, "PL/SQL: Compilation unit analysis terminated", 0}};
    }
    if (errors.empty())
        errors = MissingReferences(dictionary, owner, text);
    const int status = errors.empty() ? 1 : kStatusInvalid;

    TSavepoint savepoint(db);
    std::int64_t objNo = 0;
    if (existing) {
        objNo = existing->ObjNo;
        dictionary.SetReplaced(objNo, status);
    } else {
        objNo = dictionary.AddObject(ownerNo, name->Name, type, status);
    }
    StoreSourceLines(db, objNo, text);
    RecordCodeErrors(db, objNo, errors);
    savepoint.Release();
    if (!errors.empty())
        throw Exception(kCompiledWithErrors);
    return true;
}

} // namespace quorvex::emulation
