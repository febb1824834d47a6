#include "engine/emulation/ExplainPlan.h"

#include "engine/sql/StatementClassifier.h"
#include "persistence/Exceptions.h"

#include <initializer_list>
#include <map>

namespace quorvex::emulation {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The word at the start of text, and the text after it and its blank.
std::pair<std::string, std::string_view> FirstWord(std::string_view text)
{
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return {std::string(text), {}};
    return {std::string(text.substr(0, blank)), text.substr(blank + 1)};
}

enum class TRole { Source, Sort, Other };

struct TNode {
    std::string Operation;
    std::string Options;
    std::string Object;
    std::string ObjectType;
    TRole Role = TRole::Other;
    std::vector<TNode> Children;
};

struct TStepTree {
    const TQueryPlanStep* Step = nullptr;
    std::vector<TStepTree> Children;
};

TNode Source(std::string operation, std::string options, std::string object, std::string objectType)
{
    return {std::move(operation),  std::move(options), std::move(object),
            std::move(objectType), TRole::Source,      {}};
}

// SCAN/SEARCH name [USING ...]
TNode Access(std::string_view detail)
{
    const bool search = StartsWith(detail, "SEARCH ");
    auto [name, rest] = FirstWord(detail.substr(search ? 7 : 5));
    if (StartsWith(name, "("))
        return Source("VIEW", "", "", "");
    const char* scan = search ? "RANGE SCAN" : "FULL SCAN";
    if (StartsWith(rest, "USING COVERING INDEX "))
        return Source("INDEX", scan, FirstWord(rest.substr(21)).first, "INDEX");
    if (StartsWith(rest, "USING INDEX ")) {
        TNode table = Source("TABLE ACCESS", "BY INDEX ROWID", name, "TABLE");
        table.Children.push_back(Source("INDEX", scan, FirstWord(rest.substr(12)).first, "INDEX"));
        return table;
    }
    if (StartsWith(rest, "USING INTEGER PRIMARY KEY"))
        return Source("TABLE ACCESS", "BY USER ROWID", name, "TABLE");
    if (StartsWith(rest, "USING PRIMARY KEY"))
        return Source("INDEX", "UNIQUE SCAN", name, "TABLE");
    return Source("TABLE ACCESS", "FULL", name, "TABLE");
}

std::vector<TNode> Convert(const std::vector<TStepTree>& steps);

// Sorts wrap what they sort; successive row sources become left-deep nested loops.
std::vector<TNode> Arrange(std::vector<TNode> nodes)
{
    std::vector<TNode> result;
    for (TNode& node : nodes) {
        const bool afterSource = !result.empty() && result.back().Role == TRole::Source;
        if (node.Role == TRole::Source && afterSource) {
            TNode join = Source("NESTED LOOPS", "", "", "");
            join.Children.push_back(std::move(result.back()));
            join.Children.push_back(std::move(node));
            result.back() = std::move(join);
        } else if (node.Role == TRole::Sort && afterSource) {
            node.Children.insert(node.Children.begin(), std::move(result.back()));
            node.Role = TRole::Source;
            result.back() = std::move(node);
        } else {
            result.push_back(std::move(node));
        }
    }
    return result;
}

TNode Compound(const TStepTree& step)
{
    std::string kind = "UNION ALL";
    std::vector<TNode> branches;
    for (const TStepTree& child : step.Children) {
        if (!StartsWith(child.Step->Detail, "LEFT-MOST"))
            kind = child.Step->Detail;
        for (TNode& node : Arrange(Convert(child.Children)))
            branches.push_back(std::move(node));
    }
    TNode compound = Source("UNION-ALL", "", "", "");
    if (StartsWith(kind, "EXCEPT"))
        compound.Operation = "MINUS";
    else if (StartsWith(kind, "INTERSECT"))
        compound.Operation = "INTERSECTION";
    compound.Children = std::move(branches);
    if (!StartsWith(kind, "UNION ") || StartsWith(kind, "UNION ALL"))
        return compound;
    TNode unique = Source("SORT", "UNIQUE", "", "");
    unique.Children.push_back(std::move(compound));
    return unique;
}

TNode Convert(const TStepTree& step)
{
    const std::string_view detail = step.Step->Detail;
    if (detail == "COMPOUND QUERY")
        return Compound(step);
    TNode node;
    if (StartsWith(detail, "SCAN CONSTANT ROW")) {
        node = Source("FAST DUAL", "", "", "");
    } else if (StartsWith(detail, "SCAN ") || StartsWith(detail, "SEARCH ")) {
        node = Access(detail);
    } else if (StartsWith(detail, "USE TEMP B-TREE FOR ")) {
        const std::string_view what = detail.substr(20);
        node.Operation = "SORT";
        node.Options = StartsWith(what, "GROUP BY")   ? "GROUP BY"
                       : StartsWith(what, "DISTINCT") ? "UNIQUE"
                                                      : "ORDER BY";
        node.Role = TRole::Sort;
    } else if (StartsWith(detail, "CO-ROUTINE ") || StartsWith(detail, "MATERIALIZE ")) {
        node.Operation = "VIEW";
        const std::string name = FirstWord(detail.substr(detail.find(' ') + 1)).first;
        if (!StartsWith(name, "("))
            node.Object = name;
    } else if (detail == "MULTI-INDEX OR") {
        node.Operation = "CONCATENATION";
    } else {
        node.Operation = std::string(detail);
    }
    for (TNode& child : Arrange(Convert(step.Children)))
        node.Children.push_back(std::move(child));
    return node;
}

std::vector<TNode> Convert(const std::vector<TStepTree>& steps)
{
    std::vector<TNode> nodes;
    for (const TStepTree& step : steps)
        nodes.push_back(Convert(step));
    return nodes;
}

void Number(const TNode& node, std::optional<int> parent, std::optional<int> position,
            std::vector<TPlanRow>& rows)
{
    const int id = static_cast<int>(rows.size());
    rows.push_back(
        {id, parent, position, node.Operation, node.Options, node.Object, node.ObjectType, {}});
    int child = 0;
    for (const TNode& next : node.Children)
        Number(next, id, ++child, rows);
}

const char* RootOperation(std::string_view statement)
{
    using sql::TStatementKind;
    switch (sql::ClassifyStatement(statement)) {
    case TStatementKind::Insert:
        return "INSERT STATEMENT";
    case TStatementKind::Update:
        return "UPDATE STATEMENT";
    case TStatementKind::Delete:
        return "DELETE STATEMENT";
    case TStatementKind::Merge:
        return "MERGE STATEMENT";
    case TStatementKind::CreateTable:
        return "CREATE TABLE STATEMENT";
    case TStatementKind::CreateIndex:
        return "CREATE INDEX STATEMENT";
    default:
        return "SELECT STATEMENT";
    }
}

// Finds what SQLite's plan names in the databases, in SQLite's lookup order for unqualified
// names (temp, main, then the schemas as attached).
class TPlanObjects {
public:
    TPlanObjects(const TDictionary& dictionary, std::string_view query)
        : m_dictionary(dictionary)
        , m_query(query)
    {
        for (const TRow& row : QueryRows(dictionary.Db(), "PRAGMA database_list")) {
            const std::string name = row[1].AsText();
            if (name == "temp")
                m_schemas.insert(m_schemas.begin(), name);
            else
                m_schemas.push_back(name);
        }
    }

    void Resolve(TPlanRow& row) const
    {
        if (row.ObjectName.empty())
            return;
        if (row.ObjectType == "INDEX") {
            ResolveIndex(row);
            return;
        }
        std::string schema = SchemaOf(row.ObjectName, {"table", "view"});
        if (schema.empty()) {
            // An alias: the table written before it in the query.
            if (const auto table = AliasedTable(row.ObjectName)) {
                row.ObjectName = table->Name;
                schema = table->Schema.empty() ? SchemaOf(table->Name, {"table", "view"})
                                               : table->Schema;
            }
        }
        if (schema.empty()) {
            row.ObjectType.clear(); // a subquery or a common table expression
            return;
        }
        row.ObjectName = StoredName(schema, row.ObjectName);
        if (Type(schema, row.ObjectName) == "view")
            row.ObjectType = "VIEW";
        row.ObjectOwner = OwnerName(schema);
    }

private:
    std::string SchemaOf(const std::string& name,
                         std::initializer_list<std::string_view> types) const
    {
        for (const std::string& schema : m_schemas) {
            const std::string type = Type(schema, name);
            for (std::string_view wanted : types)
                if (type == wanted)
                    return schema;
        }
        return {};
    }

    std::string Type(const std::string& schema, const std::string& name) const
    {
        const char* master = schema == "temp" ? "sqlite_temp_master" : "sqlite_master";
        return QueryText(m_dictionary.Db(),
                         "SELECT type FROM " + QuotedName(schema) + "." + master +
                             " WHERE name = ? COLLATE NOCASE",
                         {name})
            .value_or("");
    }

    std::string StoredName(const std::string& schema, const std::string& name) const
    {
        const char* master = schema == "temp" ? "sqlite_temp_master" : "sqlite_master";
        return QueryText(m_dictionary.Db(),
                         "SELECT name FROM " + QuotedName(schema) + "." + master +
                             " WHERE name = ? COLLATE NOCASE",
                         {name})
            .value_or(name);
    }

    // The main database holds SYS's DUAL.
    static std::string OwnerName(const std::string& schema)
    {
        if (schema == "main")
            return "SYS";
        if (schema == "temp")
            return {};
        return sql::ToUpper(schema);
    }

    std::optional<TObjectName> AliasedTable(const std::string& alias) const
    {
        const TStatementTokens t(m_query);
        for (size_t k = 1; k < t.Size(); ++k) {
            if (!t.IsName(k) || sql::ToUpper(sql::NameOf(t[k])) != sql::ToUpper(alias))
                continue;
            size_t before = t.IsKeyword(k - 1, "AS") ? k - 2 : k - 1;
            if (before >= t.Size() || !t.IsName(before))
                continue;
            size_t first = before;
            if (first >= 2 && t.IsSymbol(first - 1, ".") && t.IsName(first - 2))
                first -= 2;
            size_t at = first;
            auto table = ReadObjectName(t, at);
            if (!table)
                continue;
            const std::string schema =
                table->Schema.empty() ? SchemaOf(table->Name, {"table", "view"}) : table->Schema;
            if (!schema.empty() && !Type(schema, table->Name).empty()) {
                table->Schema = schema;
                return table;
            }
        }
        return std::nullopt;
    }

    // SQLite's own index of a key is shown under the name the dictionary gives the key's index.
    void ResolveIndex(TPlanRow& row) const
    {
        const std::string schema = SchemaOf(row.ObjectName, {"index"});
        if (schema.empty())
            return;
        row.ObjectOwner = OwnerName(schema);
        row.ObjectName = StoredName(schema, row.ObjectName);
        if (!StartsWith(row.ObjectName, "sqlite_autoindex_") || schema == "temp")
            return;
        sqlite3* db = m_dictionary.Db();
        const auto table = QueryText(
            db, "SELECT tbl_name FROM " + QuotedName(schema) + ".sqlite_master WHERE name = ?",
            {row.ObjectName});
        std::string columns;
        for (const TRow& key :
             QueryRows(db, "SELECT name FROM pragma_index_info(?, ?) ORDER BY seqno",
                       {row.ObjectName, schema}))
            columns += sql::ToUpper(key[0].AsText()) + ",";
        const auto name = QueryText(db,
                                    R"(SELECT o."NAME" FROM SYS."OBJ$" o
                                         JOIN SYS."IND$" i ON i."OBJ#" = o."OBJ#"
                                         JOIN SYS."OBJ$" t ON t."OBJ#" = i."BO#"
                                         JOIN SYS."USER$" u ON u."USER#" = t."OWNER#"
                                        WHERE u."NAME" = ? AND t."NAME" = ? COLLATE NOCASE
                                          AND (SELECT group_concat(upper(c."NAME"), ',') || ','
                                                 FROM (SELECT c."NAME" FROM SYS."ICOL$" ic
                                                         JOIN SYS."COL$" c
                                                           ON c."OBJ#" = ic."BO#"
                                                          AND c."INTCOL#" = ic."INTCOL#"
                                                        WHERE ic."OBJ#" = o."OBJ#"
                                                        ORDER BY ic."POS#") c) = ?)",
                                    {OwnerName(schema), table.value_or(""), columns});
        if (name)
            row.ObjectName = *name;
    }

    const TDictionary& m_dictionary;
    std::string_view m_query;
    std::vector<std::string> m_schemas;
};

} // namespace

TExplainStatement ParseExplainPlan(std::string_view sql)
{
    const TStatementTokens t(sql);
    if (!t.IsKeyword(0, "EXPLAIN") || !t.IsKeyword(1, "PLAN"))
        throw Exception("ORA-00905: missing keyword");
    TExplainStatement statement;
    size_t at = 2;
    if (t.IsKeyword(at, "SET")) {
        if (!t.IsKeyword(at + 1, "STATEMENT_ID") || !t.IsSymbol(at + 2, "=") ||
            at + 3 >= t.Size() || t[at + 3].Kind != sql::TTokenKind::String)
            throw Exception("ORA-00905: missing keyword");
        const std::string_view quoted = t[at + 3].Text;
        std::string id;
        for (size_t k = 1; k + 1 < quoted.size(); ++k) {
            id += quoted[k];
            if (quoted[k] == '\'')
                ++k; // '' stands for one quote
        }
        statement.StatementId = id;
        at += 4;
    }
    if (t.IsKeyword(at, "INTO")) {
        ++at;
        const auto table = ReadObjectName(t, at);
        if (!table)
            throw Exception("ORA-00903: invalid table name");
        statement.Table = *table;
    }
    if (!t.IsKeyword(at, "FOR") || at + 1 >= t.Size())
        throw Exception("ORA-00905: missing keyword");
    size_t end = t.Size();
    if (t.IsSymbol(end - 1, ";"))
        --end;
    statement.Statement = std::string(t.Text(at + 1, end));
    return statement;
}

std::vector<TPlanRow> PlanRows(const std::vector<TQueryPlanStep>& steps,
                               std::string_view rootOperation)
{
    // Children in the order SQLite lists them; a step whose parent is unknown goes to the top.
    std::map<int, std::vector<const TQueryPlanStep*>> children;
    std::map<int, bool> known;
    for (const TQueryPlanStep& step : steps)
        known[step.Id] = true;
    for (const TQueryPlanStep& step : steps)
        children[known.count(step.Parent) != 0 ? step.Parent : 0].push_back(&step);
    const auto build = [&](const auto& self, int id) -> std::vector<TStepTree> {
        std::vector<TStepTree> trees;
        for (const TQueryPlanStep* step : children[id])
            if (step->Id != id)
                trees.push_back({step, self(self, step->Id)});
        return trees;
    };
    TNode root;
    root.Operation = std::string(rootOperation);
    root.Children = Arrange(Convert(build(build, 0)));
    std::vector<TPlanRow> rows;
    Number(root, std::nullopt, std::nullopt, rows);
    return rows;
}

} // namespace quorvex::emulation

namespace quorvex::emulation {

void EmulateExplainPlan(const TEmulationContext& context, std::string_view sql)
{
    const TExplainStatement statement = ParseExplainPlan(sql);
    const std::string query = context.Preparer.Prepare(statement.Statement);
    std::vector<TQueryPlanStep> steps;
    for (const TRow& row : QueryRows(context.Db(), "EXPLAIN QUERY PLAN " + query))
        steps.push_back({static_cast<int>(row[0].AsInteger()), static_cast<int>(row[1].AsInteger()),
                         row[3].AsText()});
    std::vector<TPlanRow> rows = PlanRows(steps, RootOperation(statement.Statement));
    const TPlanObjects objects(context.Dictionary, query);
    for (TPlanRow& row : rows)
        objects.Resolve(row);

    // Oracle looks for an unqualified plan table in the login user's schema only.
    const std::string table = QuotedName(context.Dictionary.OwnerOf(statement.Table)) + "." +
                              QuotedName(statement.Table.Name);
    const std::string insert =
        "INSERT INTO " + table +
        R"( ("STATEMENT_ID", "TIMESTAMP", "OPERATION", "OPTIONS", "OBJECT_OWNER", "OBJECT_NAME",
             "OBJECT_TYPE", "ID", "PARENT_ID", "POSITION")
            VALUES (?, datetime('now', 'localtime'), ?, ?, ?, ?, ?, ?, ?, ?))";
    const auto text = [](const std::string& value) {
        return value.empty() ? TParamValue() : TParamValue(value);
    };
    const auto number = [](const std::optional<int>& value) {
        return value ? TParamValue(std::int64_t{*value}) : TParamValue();
    };
    TSavepoint savepoint(context.Db());
    for (const TPlanRow& row : rows)
        RunStatement(context.Db(), insert,
                     {statement.StatementId ? TParamValue(*statement.StatementId) : TParamValue(),
                      text(row.Operation), text(row.Options), text(row.ObjectOwner),
                      text(row.ObjectName), text(row.ObjectType), std::int64_t{row.Id},
                      number(row.ParentId), number(row.Position)});
    savepoint.Release();
}

} // namespace quorvex::emulation
