#include "engine/emulation/EmbeddedStatements.h"

#include "engine/SqliteCursor.h"
#include "engine/SqliteStatement.h"
#include "engine/emulation/AnonymousBlock.h"
#include "engine/emulation/CatalogViews.h"
#include "engine/emulation/CompileObject.h"
#include "engine/emulation/ConstraintErrors.h"
#include "engine/emulation/CreateIndex.h"
#include "engine/emulation/CreateStoredCode.h"
#include "engine/emulation/CreateTable.h"
#include "engine/emulation/CreateTrigger.h"
#include "engine/emulation/CreateView.h"
#include "engine/emulation/DropObject.h"
#include "engine/emulation/EmulationContext.h"
#include "engine/emulation/ExplainPlan.h"
#include "engine/emulation/OracleFunctions.h"
#include "engine/emulation/SchemaStatements.h"
#include "engine/emulation/StoredProcedures.h"
#include "engine/emulation/UserStatements.h"
#include "engine/sql/StatementClassifier.h"
#include "persistence/Exceptions.h"

#include <sqlite3.h>

namespace quorvex::emulation {

namespace {

// Statements after which the rest of the text is one statement with its own semicolons.
bool RunsToTheEnd(const TStatementTokens& t, size_t first)
{
    if (t.IsKeyword(first, "BEGIN") || t.IsKeyword(first, "DECLARE"))
        return !t.IsKeyword(first + 1, "TRANSACTION") && !t.IsSymbol(first + 1, ";") &&
               first + 1 < t.Size();
    if (!t.IsKeyword(first, "CREATE"))
        return false;
    size_t at = first + 1;
    if (t.IsKeyword(at, "OR") && t.IsKeyword(at + 1, "REPLACE"))
        at += 2;
    while (t.IsKeyword(at, "TEMP") || t.IsKeyword(at, "TEMPORARY") ||
           t.IsKeyword(at, "EDITIONABLE") || t.IsKeyword(at, "NONEDITIONABLE"))
        ++at;
    return t.IsKeyword(at, "TRIGGER") || t.IsKeyword(at, "PROCEDURE") ||
           t.IsKeyword(at, "FUNCTION") || t.IsKeyword(at, "PACKAGE") || t.IsKeyword(at, "TYPE");
}

// A cursor without columns or rows, for statements that return none.
class TNoRows final : public TCursor {
public:
    bool Next() override { return false; }
    int FieldCount() const override { return 0; }
    std::string FieldName(int) const override { return {}; }
    TFieldValue Value(int) const override { return {}; }
};

} // namespace

std::vector<std::string_view> SplitStatements(std::string_view text)
{
    const TStatementTokens t(text);
    std::vector<std::string_view> statements;
    size_t first = 0;
    int depth = 0;
    for (size_t k = 0; k <= t.Size(); ++k) {
        if (k < t.Size() && k == first && RunsToTheEnd(t, first)) {
            statements.push_back(t.Text(first, t.Size()));
            return statements;
        }
        if (t.IsSymbol(k, "("))
            ++depth;
        else if (t.IsSymbol(k, ")"))
            --depth;
        if (k < t.Size() && !(depth <= 0 && t.IsSymbol(k, ";")))
            continue;
        if (first < k)
            statements.push_back(t.Text(first, k));
        first = k + 1;
        depth = 0;
    }
    return statements;
}

TEmbeddedStatements::TEmbeddedStatements(sqlite3* db, const std::string& folder,
                                         const std::string& loginUser)
    : m_db(db)
    , m_dictionary(db, folder, loginUser)
    , m_batch(db)
{
    RegisterOracleFunctions(m_db);
    CreateCatalogViews(m_db, m_dictionary.UserNo(m_dictionary.LoginUser()));
}

bool TEmbeddedStatements::Emulate(std::string_view statement, const TStatementRequest& request)
{
    const TEmulationContext context{m_dictionary, m_preparer, m_notices};
    using sql::TStatementKind;
    switch (sql::ClassifyStatement(statement)) {
    case TStatementKind::Explain:
        EmulateExplainPlan(context, statement);
        return true;
    case TStatementKind::Alter:
        return EmulateCompile(context, statement) || EmulateAlterTrigger(context, statement) ||
               EmulateUserStatement(context, statement) ||
               EmulateSchemaStatement(context, statement);
    case TStatementKind::Drop:
        return EmulateUserStatement(context, statement) || EmulateDrop(context, statement);
    case TStatementKind::CreateTable:
        EmulateCreateTable(context, statement);
        return true;
    case TStatementKind::CreateView:
        EmulateCreateView(context, statement);
        return true;
    case TStatementKind::CreateIndex:
        EmulateCreateIndex(context, statement);
        return true;
    case TStatementKind::Call: {
        const TBoundStatement bound =
            BindParameters(statement, request.ParseParams, request.Params);
        return EmulateCall(context, bound.Sql, bound.Values) ||
               EmulateBlock(context, statement, [&](std::string_view inner) {
                   ExecuteOne(inner, TStatementRequest{inner, false, nullptr});
               });
    }
    case TStatementKind::Commit:
    case TStatementKind::Rollback:
        // Oracle always accepts them; SQLite refuses them outside a transaction.
        return sqlite3_get_autocommit(m_db) != 0;
    case TStatementKind::CreateOther:
        return EmulateCreateStoredCode(context, statement) ||
               EmulateUserStatement(context, statement) ||
               EmulateSchemaStatement(context, statement);
    case TStatementKind::Other:
        return EmulateSchemaStatement(context, statement);
    default:
        return false;
    }
}

std::unique_ptr<TCursor> TEmbeddedStatements::OpenCursor(const TStatementRequest& request)
{
    const auto statements = SplitStatements(request.Sql);
    const std::string_view first = statements.empty() ? std::string_view() : statements.front();
    if (Emulate(first, request))
        return std::make_unique<TNoRows>();
    const std::string sql = m_preparer.Prepare(first);
    return std::make_unique<TSqliteCursor>(
        m_db, BindParameters(sql, request.ParseParams, request.Params));
}

void TEmbeddedStatements::Execute(const TStatementRequest& request)
{
    for (const std::string_view statement : SplitStatements(request.Sql))
        m_batch.Run(statement, [&] { ExecuteOne(statement, request); });
}

void TEmbeddedStatements::ExecuteOne(std::string_view statement, const TStatementRequest& request)
{
    if (Emulate(statement, request))
        return;
    const TBoundStatement bound =
        BindParameters(m_preparer.Prepare(statement), request.ParseParams, request.Params);
    std::string_view rest = bound.Sql;
    size_t used = 0;
    try {
        while (!rest.empty()) {
            TSqliteStatement sqlite(m_db, rest, &rest);
            if (sqlite.IsEmpty())
                continue;
            used += sqlite.Bind(bound.Values, used);
            while (sqlite.Step()) {
            }
        }
    } catch (const Exception& e) {
        const bool update = sql::ClassifyStatement(statement) == sql::TStatementKind::Update;
        if (const auto oracle = OracleConstraintMessage(m_dictionary, e.what(), update))
            throw Exception(*oracle);
        throw;
    }
}

} // namespace quorvex::emulation
