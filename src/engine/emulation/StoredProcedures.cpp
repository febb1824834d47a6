#include "engine/emulation/StoredProcedures.h"

#include "persistence/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace quorvex::emulation {

namespace {

const std::vector<std::string> kAnalyzeDatabase = {"METHOD", "ESTIMATE_ROWS", "ESTIMATE_PERCENT",
                                                   "METHOD_OPT"};
const std::vector<std::string> kAnalyzeSchema = {"SCHEMA", "METHOD", "ESTIMATE_ROWS",
                                                 "ESTIMATE_PERCENT", "METHOD_OPT"};

// "SYS.DBMS_UTILITY.ANALYZE_SCHEMA" and "DBMS_UTILITY.ANALYZE_SCHEMA" name the same.
std::string WithoutSys(std::string name)
{
    name = sql::ToUpper(name);
    return name.starts_with("SYS.") ? name.substr(4) : name;
}

struct TCall {
    std::string Name;
    std::vector<std::pair<std::string, TParamValue>> Arguments; // name empty when positional
};

std::optional<TCall> ParseCall(std::string_view sql, const std::vector<TParamValue>& values)
{
    const TStatementTokens t(sql);
    size_t at = 0;
    const bool block = t.IsKeyword(at, "BEGIN");
    if (!block && !t.IsKeyword(at, "CALL") && !t.IsKeyword(at, "EXEC") &&
        !t.IsKeyword(at, "EXECUTE"))
        return std::nullopt;
    ++at;
    TCall call;
    for (; t.IsName(at); at += 2) {
        call.Name += (call.Name.empty() ? "" : ".") + sql::NameOf(t[at]);
        if (!t.IsSymbol(at + 1, "."))
            break;
    }
    // NULL, COMMIT and ROLLBACK read like calls without arguments but are statements.
    if (call.Name.empty() || call.Name == "NULL" || call.Name == "COMMIT" ||
        call.Name == "ROLLBACK")
        return std::nullopt;
    ++at;
    size_t used = 0;
    if (t.IsSymbol(at, "(")) {
        const size_t close = t.Closing(at);
        if (close >= t.Size())
            return std::nullopt;
        for (size_t k = at + 1; k < close; ++k) {
            std::string name;
            if (t.IsName(k) && t.IsSymbol(k + 1, "=>")) {
                name = sql::NameOf(t[k]);
                k += 2;
            }
            TParamValue value;
            const sql::TToken& token = t[k];
            if (token.Kind == sql::TTokenKind::Parameter) {
                if (token.Text == "?" && used < values.size())
                    value = values[used];
                ++used;
            } else if (token.Kind == sql::TTokenKind::String) {
                std::string text;
                for (size_t c = 1; c + 1 < token.Text.size(); ++c) {
                    text += token.Text[c];
                    if (token.Text[c] == '\'')
                        ++c;
                }
                if (!text.empty())
                    value = text;
            } else if (token.Kind == sql::TTokenKind::Number) {
                value = static_cast<std::int64_t>(std::stod(std::string(token.Text)));
            } else if (!t.IsKeyword(k, "NULL")) {
                return std::nullopt; // expressions are beyond the emulation
            }
            call.Arguments.emplace_back(std::move(name), std::move(value));
            ++k;
            if (k < close && !t.IsSymbol(k, ","))
                return std::nullopt;
        }
        at = close + 1;
    }
    if (t.IsSymbol(at, ";"))
        ++at;
    if (block && t.IsKeyword(at, "END")) {
        ++at;
        if (t.IsSymbol(at, ";"))
            ++at;
    } else if (block) {
        return std::nullopt;
    }
    return at == t.Size() ? std::optional<TCall>(std::move(call)) : std::nullopt;
}

// The arguments by parameter name, checked against the parameter list.
std::map<std::string, TParamValue> Bind(const TCall& call, const std::vector<std::string>& params)
{
    const std::string shortName = call.Name.substr(call.Name.rfind('.') + 1);
    const std::string wrong =
        "PLS-00306: wrong number or types of arguments in call to '" + shortName + "'";
    std::map<std::string, TParamValue> bound;
    size_t position = 0;
    for (const auto& [name, value] : call.Arguments) {
        std::string param = name;
        if (param.empty()) {
            if (position >= params.size())
                throw Exception(wrong);
            param = params[position++];
        } else if (std::find(params.begin(), params.end(), param) == params.end()) {
            throw Exception(wrong);
        }
        if (!bound.emplace(param, value).second)
            throw Exception(wrong);
    }
    return bound;
}

std::string Text(const std::map<std::string, TParamValue>& args, const std::string& name)
{
    const auto found = args.find(name);
    if (found == args.end())
        return {};
    if (const auto* text = std::get_if<std::string>(&found->second))
        return *text;
    if (const auto* number = std::get_if<std::int64_t>(&found->second))
        return std::to_string(*number);
    return {};
}

std::int64_t Number(const std::map<std::string, TParamValue>& args, const std::string& name)
{
    const std::string text = Text(args, name);
    return text.empty() ? 0 : std::strtoll(text.c_str(), nullptr, 10);
}

// COMPUTE, ESTIMATE or DELETE on the given schemas.
void Analyze(sqlite3* db, const std::map<std::string, TParamValue>& args,
             const std::vector<std::string>& schemas)
{
    const std::string method = sql::ToUpper(Text(args, "METHOD"));
    if (method == "DELETE") {
        for (const std::string& schema : schemas)
            for (const char* table : {"sqlite_stat1", "sqlite_stat4"})
                if (QueryInteger(db,
                                 "SELECT COUNT(*) FROM " + QuotedName(schema) +
                                     ".sqlite_master WHERE name = ?",
                                 {std::string(table)})
                        .value_or(0) > 0)
                    RunStatement(db, "DELETE FROM " + QuotedName(schema) + "." + table);
        return;
    }
    std::int64_t limit = 0;
    if (method == "ESTIMATE") {
        const std::int64_t rows = Number(args, "ESTIMATE_ROWS");
        if (rows <= 0 && Number(args, "ESTIMATE_PERCENT") <= 0)
            throw Exception("ORA-01493: invalid SAMPLE size specified");
        limit = rows;
    } else if (method != "COMPUTE") {
        throw Exception("ORA-20001: Invalid method " + method +
                        ": it must be COMPUTE, ESTIMATE or DELETE");
    }
    RunStatement(db, "PRAGMA analysis_limit = " + std::to_string(limit));
    try {
        for (const std::string& schema : schemas)
            RunStatement(db, "ANALYZE " + QuotedName(schema));
    } catch (...) {
        RunStatement(db, "PRAGMA analysis_limit = 0");
        throw;
    }
    RunStatement(db, "PRAGMA analysis_limit = 0");
}

std::vector<std::string> AttachedSchemas(sqlite3* db)
{
    std::vector<std::string> schemas;
    for (const TRow& row : QueryRows(db, "PRAGMA database_list"))
        if (row[1].AsText() != "temp" && row[1].AsText() != "main")
            schemas.push_back(row[1].AsText());
    return schemas;
}

} // namespace

std::optional<std::vector<std::string>> EmulatedProcedureParams(std::string_view name)
{
    const std::string wanted = WithoutSys(std::string(name));
    if (wanted == "DBMS_UTILITY.ANALYZE_SCHEMA")
        return kAnalyzeSchema;
    if (wanted == "DBMS_UTILITY.ANALYZE_DATABASE")
        return kAnalyzeDatabase;
    return std::nullopt;
}

bool EmulateCall(const TEmulationContext& context, std::string_view sql,
                 const std::vector<TParamValue>& values)
{
    const auto call = ParseCall(sql, values);
    if (!call)
        return false;
    // The embedded engine has no output to show DBMS_OUTPUT's lines in.
    if (WithoutSys(call->Name).starts_with("DBMS_OUTPUT."))
        return true;
    const auto params = EmulatedProcedureParams(call->Name);
    if (!params)
        throw Exception("PLS-00201: identifier '" + call->Name + "' must be declared");
    const auto args = Bind(*call, *params);
    const std::string wrong = "PLS-00306: wrong number or types of arguments in call to '" +
                              call->Name.substr(call->Name.rfind('.') + 1) + "'";
    for (const char* required : {"SCHEMA", "METHOD"})
        if (std::find(params->begin(), params->end(), required) != params->end() &&
            args.count(required) == 0)
            throw Exception(wrong);

    sqlite3* db = context.Db();
    if (params->front() != "SCHEMA") {
        Analyze(db, args, AttachedSchemas(db));
        return true;
    }
    const std::string schema = sql::ToUpper(Text(args, "SCHEMA"));
    if (QueryInteger(db, R"(SELECT COUNT(*) FROM SYS."USER$" WHERE "NAME" = ? AND "TYPE#" = 1)",
                     {schema})
            .value_or(0) == 0)
        throw Exception("ORA-01435: user does not exist");
    // A user without a schema file has nothing to analyse.
    if (context.Dictionary.IsAttached(schema))
        Analyze(db, args, {schema});
    return true;
}

} // namespace quorvex::emulation
