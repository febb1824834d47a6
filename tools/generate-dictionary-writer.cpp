#include "generate-dictionary-writer.h"

#include "engine/demo/DemoDatabase.h"
#include "engine/demo/SqliteFile.h"
#include "persistence/Exceptions.h"

#include <QCryptographicHash>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace quorvex::tools {

DictionarySize Scale100k()
{
    DictionarySize size;
    size.owners = 20;
    size.tables = 25000;
    size.columnsPerTable = 40;
    size.constraints = 150000;
    size.indexes = 50000;
    size.triggers = 20000;
    size.views = 2000;
    size.sequences = 1000;
    size.code = 2000;
    size.sourceLines = 250000;
    return size;
}

namespace {

constexpr long long kFirstUserNo = 100;
constexpr long long kFirstObjectNo = 50000;
constexpr long long kFirstConstraintNo = 10000;
constexpr long long kDescending = 0x20000;
constexpr const char* kTime = "2024-01-15 10:00:00";

// The part of `total` that falls to part `i` of `parts` when spread evenly.
long long Share(long long total, long long parts, long long i)
{
    return parts <= 0 ? 0 : (i + 1) * total / parts - i * total / parts;
}

std::string Numbered(const char* prefix, long long number, const char* suffix = "")
{
    char text[64];
    std::snprintf(text, sizeof text, "%s%06lld%s", prefix, number, suffix);
    return text;
}

// One prepared INSERT, run once per row with its values bound in order.
class Insert {
public:
    Insert(sqlite3* db, const char* table, const std::string& columns, int count)
        : m_db(db)
        , m_table(table)
    {
        std::string sql = "INSERT INTO \"" + m_table + "\" (" + columns + ") VALUES (?";
        for (int i = 1; i < count; ++i) {
            sql += ",?";
        }
        sql += ")";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_statement, nullptr) != SQLITE_OK) {
            throw Exception("Cannot prepare " + sql + ": " + sqlite3_errmsg(db));
        }
    }
    ~Insert() { sqlite3_finalize(m_statement); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    template <typename... Values>
    void operator()(const Values&... values)
    {
        int index = 0;
        (Bind(++index, values), ...);
        if (sqlite3_step(m_statement) != SQLITE_DONE) {
            throw Exception("Cannot insert into " + m_table + ": " + sqlite3_errmsg(m_db));
        }
        sqlite3_reset(m_statement);
        ++m_rows;
    }

    const std::string& Table() const { return m_table; }
    long long Rows() const { return m_rows; }

private:
    void Bind(int i, long long value) { sqlite3_bind_int64(m_statement, i, value); }
    void Bind(int i, int value) { sqlite3_bind_int64(m_statement, i, value); }
    void Bind(int i, std::nullptr_t) { sqlite3_bind_null(m_statement, i); }
    void Bind(int i, const char* value) { sqlite3_bind_text(m_statement, i, value, -1, nullptr); }
    void Bind(int i, const std::string& value)
    {
        sqlite3_bind_text(m_statement, i, value.data(), static_cast<int>(value.size()), nullptr);
    }
    void Bind(int i, const std::optional<long long>& value)
    {
        value ? Bind(i, *value) : Bind(i, nullptr);
    }

    sqlite3* m_db;
    std::string m_table;
    sqlite3_stmt* m_statement = nullptr;
    long long m_rows = 0;
};

enum class ConstraintKind { Primary, Foreign, NotNull, Check, Unique };

struct PlannedConstraint {
    ConstraintKind kind;
    long long column;
};

struct PlannedIndex {
    bool primary;
    long long first;
    long long second; // 0: one column only
};

struct Table {
    long long objectNo;
    long long owner; // index into the owners
    std::string name;
    long long columns;
    long long primaryConNo; // 0: none
};

// Writes the rows; every object, constraint and column is numbered in creation order.
class Generator {
public:
    Generator(sqlite3* db, const DictionarySize& size)
        : m_size(size)
        , m_user(db, "USER$", R"("USER#","NAME","TYPE#","PASSWORD","CTIME","PTIME")", 6)
        , m_obj(db, "OBJ$",
                R"("OBJ#","DATAOBJ#","OWNER#","NAME","NAMESPACE","TYPE#","CTIME","MTIME",)"
                R"("STIME","STATUS")",
                10)
        , m_col(db, "COL$",
                R"("OBJ#","COL#","SEGCOL#","INTCOL#","NAME","TYPE#","LENGTH","PRECISION#",)"
                R"("SCALE","NULL$","DEFAULT$","DEFLENGTH","PROPERTY")",
                13)
        , m_com(db, "COM$", R"("OBJ#","COL#","COMMENT$")", 3)
        , m_con(db, "CON$", R"("OWNER#","NAME","CON#")", 3)
        , m_cdef(db, "CDEF$",
                 R"("CON#","OBJ#","COLS","TYPE#","ROBJ#","RCON#","REFACT","ENABLED",)"
                 R"("CONDITION","CONDLENGTH")",
                 10)
        , m_ccol(db, "CCOL$", R"("CON#","OBJ#","COL#","POS#","INTCOL#")", 5)
        , m_ind(db, "IND$", R"("OBJ#","DATAOBJ#","BO#","PROPERTY","COLS")", 5)
        , m_icol(db, "ICOL$", R"("OBJ#","BO#","COL#","POS#","SEGCOL#","INTCOL#")", 6)
        , m_seq(db, "SEQ$",
                R"("OBJ#","INCREMENT$","MINVALUE","MAXVALUE","CYCLE#","ORDER$","CACHE",)"
                R"("HIGHWATER")",
                8)
        , m_view(db, "VIEW$", R"("OBJ#","COLS","INTCOLS","TEXTLENGTH","TEXT")", 5)
        , m_source(db, "SOURCE$", R"("OBJ#","LINE","SOURCE")", 3)
        , m_trigger(db, "TRIGGER$",
                    R"("OBJ#","TYPE#","UPDATE$","INSERT$","DELETE$","BASEOBJECT","DEFINITION",)"
                    R"("ACTION#","ACTIONSIZE","ENABLED")",
                    10)
        , m_error(db, "ERROR$", R"("OBJ#","SEQUENCE#","LINE","POSITION#","TEXT","ERROR#")", 6)
    {
    }

    void Run()
    {
        Owners();
        Tables();
        Views();
        Sequences();
        Code();
    }

    DictionaryCounts Counts() const
    {
        DictionaryCounts counts = m_objectsByType;
        for (const Insert* insert :
             {&m_user, &m_obj, &m_col, &m_com, &m_con, &m_cdef, &m_ccol, &m_ind, &m_icol, &m_seq,
              &m_view, &m_source, &m_trigger, &m_error}) {
            counts[insert->Table()] = insert->Rows();
        }
        return counts;
    }

private:
    long long NewObject(long long owner, const std::string& name, int type, int status = 1)
    {
        const long long objectNo = m_nextObject++;
        const int ns = type == 1 ? 4 : type == 11 ? 2 : type == 12 ? 3 : 1;
        const std::optional<long long> dataObjectNo =
            type == 1 || type == 2 ? std::optional<long long>(objectNo) : std::nullopt;
        m_obj(objectNo, dataObjectNo, m_ownerNo[owner], name, ns, type, kTime, kTime, kTime,
              status);
        ++m_objectsByType["TYPE " + std::to_string(type)];
        return objectNo;
    }

    void Owners()
    {
        for (long long o = 0; o < m_size.owners; ++o) {
            char name[32];
            std::snprintf(name, sizeof name, "OWNER%03lld", o + 1);
            std::string lower = name;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            const auto hash = QCryptographicHash::hash(QByteArray::fromStdString(lower),
                                                       QCryptographicHash::Sha256)
                                  .toHex()
                                  .toStdString();
            m_ownerNo.push_back(kFirstUserNo + o);
            m_ownerName.push_back(name);
            m_user(kFirstUserNo + o, name, 1, hash, kTime, kTime);
        }
    }

    // Constraint kinds in the order a table gets them: the primary key first, so a foreign key
    // always has a key to refer to, then one of each kind, then NOT NULL and checks in turn.
    static ConstraintKind KindOf(long long j)
    {
        static const ConstraintKind first[] = {ConstraintKind::Primary, ConstraintKind::Foreign,
                                               ConstraintKind::NotNull, ConstraintKind::Check,
                                               ConstraintKind::Unique,  ConstraintKind::NotNull};
        if (j < 6) {
            return first[j];
        }
        return j % 2 == 0 ? ConstraintKind::NotNull : ConstraintKind::Check;
    }

    static std::vector<PlannedConstraint> PlanConstraints(long long count, long long columns)
    {
        std::vector<PlannedConstraint> plan;
        long long notNulls = 0;
        for (long long j = 0; j < count; ++j) {
            ConstraintKind kind = KindOf(j);
            if ((kind == ConstraintKind::Foreign && columns < 3) ||
                (kind == ConstraintKind::Unique && columns < 2)) {
                kind = ConstraintKind::NotNull;
            }
            long long column = 1;
            switch (kind) {
            case ConstraintKind::Foreign:
                column = 3;
                break;
            case ConstraintKind::Unique:
                column = 2;
                break;
            case ConstraintKind::NotNull:
                column = (1 + notNulls++) % columns + 1;
                break;
            default:
                break;
            }
            plan.push_back({kind, column});
        }
        return plan;
    }

    std::vector<PlannedIndex> PlanIndexes(long long count, long long columns, bool primary)
    {
        std::vector<PlannedIndex> plan;
        for (long long n = 0; n < count; ++n) {
            if (n == 0 && primary) {
                plan.push_back({true, 1, 0});
                continue;
            }
            const long long first = columns == 1 ? 1 : 2 + (n % (columns - 1));
            const long long second = first < columns ? first + 1 : 0;
            plan.push_back({false, first, second});
        }
        return plan;
    }

    // Column c of a table: name, type, length, precision, scale and default.
    void WriteColumn(long long objectNo, long long c, bool mandatory, long long property)
    {
        std::string name;
        int type = 2;
        long long length = 22;
        std::optional<long long> precision;
        std::optional<long long> scale;
        const char* defaultValue = nullptr;
        if (c == 1) {
            name = "ID";
            precision = 10;
            scale = 0;
        } else if (c == 2) {
            name = "NAME";
            type = 1;
            length = 60;
        } else if (c == 3) {
            name = "PARENT_ID";
            precision = 10;
            scale = 0;
        } else {
            switch (c % 5) {
            case 0:
                name = Numbered("AMOUNT_", c);
                precision = 12;
                scale = 2;
                break;
            case 1:
                name = Numbered("TEXT_", c);
                type = 1;
                length = 40;
                break;
            case 2:
                name = Numbered("DATE_", c);
                type = 12;
                length = 7;
                defaultValue = c % 3 == 0 ? "SYSDATE" : nullptr;
                break;
            case 3:
                name = Numbered("CODE_", c);
                type = 96;
                length = 3;
                break;
            default:
                name = Numbered("VALUE_", c);
                defaultValue = "0";
                break;
            }
        }
        if (defaultValue != nullptr) {
            m_col(objectNo, c, c, c, name, type, length, precision, scale, mandatory ? 1 : 0,
                  defaultValue,
                  static_cast<long long>(std::char_traits<char>::length(defaultValue)), property);
        } else {
            m_col(objectNo, c, c, c, name, type, length, precision, scale, mandatory ? 1 : 0,
                  nullptr, nullptr, property);
        }
    }

    void Tables()
    {
        const long long count = m_size.tables;
        const long long comments = m_size.comments < 0 ? 2 * count : m_size.comments;
        std::vector<long long> lastKeyed(m_ownerNo.size(), -1); // per owner, a table with a key
        long long indexNo = 0;
        long long constraintNo = 0;
        for (long long t = 0; t < count; ++t) {
            Table table;
            table.owner = t * m_size.owners / count;
            table.name = Numbered("T", t + 1);
            table.columns = m_size.columnsPerTable;
            table.primaryConNo = 0;
            const auto constraints =
                PlanConstraints(Share(m_size.constraints, count, t), table.columns);
            const bool primary =
                !constraints.empty() && constraints[0].kind == ConstraintKind::Primary;
            auto indexes = PlanIndexes(Share(m_size.indexes, count, t), table.columns, primary);

            std::vector<bool> mandatory(table.columns + 1, false);
            std::vector<long long> property(table.columns + 1, 0);
            for (const auto& constraint : constraints) {
                if (constraint.kind == ConstraintKind::Primary ||
                    constraint.kind == ConstraintKind::NotNull) {
                    mandatory[constraint.column] = true;
                }
            }
            for (const auto& index : indexes) {
                // Every fourth two-column index has its second column descending.
                if (!index.primary && index.second != 0 && indexNo++ % 4 == 3) {
                    property[index.second] |= kDescending;
                }
            }

            table.objectNo = NewObject(table.owner, table.name, 2);
            for (long long c = 1; c <= table.columns; ++c) {
                WriteColumn(table.objectNo, c, mandatory[c], property[c]);
            }
            const long long tableComments = std::min(Share(comments, count, t), table.columns + 1);
            for (long long k = 0; k < tableComments; ++k) {
                if (k == 0) {
                    m_com(table.objectNo, nullptr, "Generated table " + table.name);
                } else {
                    m_com(table.objectNo, k, "Generated column " + std::to_string(k));
                }
            }

            long long checks = 0;
            long long foreigns = 0;
            long long uniques = 0;
            for (const auto& constraint : constraints) {
                const long long conNo = m_nextConstraint++;
                const bool disabled =
                    constraint.kind != ConstraintKind::Primary && constraintNo++ % 25 == 24;
                const std::optional<long long> enabled =
                    disabled ? std::nullopt : std::optional<long long>(1);
                std::string name;
                std::string condition;
                int type = 2;
                std::optional<long long> refObject;
                std::optional<long long> refConstraint;
                std::optional<long long> refAction;
                switch (constraint.kind) {
                case ConstraintKind::Primary:
                    name = table.name + "_PK";
                    table.primaryConNo = conNo;
                    break;
                case ConstraintKind::Foreign: {
                    type = 4;
                    name = table.name + "_FK" + std::to_string(++foreigns);
                    const long long target = lastKeyed[table.owner];
                    refObject = target < 0 ? table.objectNo : m_tables[target].objectNo;
                    refConstraint = target < 0 ? table.primaryConNo : m_tables[target].primaryConNo;
                    if (conNo % 3 == 0) {
                        refAction = 1;
                    }
                    break;
                }
                case ConstraintKind::NotNull:
                    type = 7;
                    name = "SYS_C" + std::to_string(conNo);
                    condition = "\"" + ColumnName(constraint.column) + "\" IS NOT NULL";
                    break;
                case ConstraintKind::Check:
                    type = 1;
                    name = table.name + "_CK" + std::to_string(++checks);
                    condition = "ID > " + std::to_string(checks - 1);
                    break;
                case ConstraintKind::Unique:
                    type = 3;
                    name = table.name + "_UK" + std::to_string(++uniques);
                    break;
                }
                m_con(m_ownerNo[table.owner], name, conNo);
                if (condition.empty()) {
                    m_cdef(conNo, table.objectNo, 1, type, refObject, refConstraint, refAction,
                           enabled, nullptr, nullptr);
                } else {
                    m_cdef(conNo, table.objectNo, 1, type, refObject, refConstraint, refAction,
                           enabled, condition, static_cast<long long>(condition.size()));
                }
                m_ccol(conNo, table.objectNo, constraint.column, 1, constraint.column);
            }
            if (table.primaryConNo != 0) {
                lastKeyed[table.owner] = static_cast<long long>(m_tables.size());
            }

            long long ordinary = 0;
            for (const auto& index : indexes) {
                const std::string name = index.primary
                                             ? table.name + "_PK"
                                             : table.name + "_IX" + std::to_string(++ordinary);
                const long long objectNo = NewObject(table.owner, name, 1);
                m_ind(objectNo, objectNo, table.objectNo, index.primary ? 1 : 0,
                      index.second != 0 ? 2 : 1);
                m_icol(objectNo, table.objectNo, index.first, 1, index.first, index.first);
                if (index.second != 0) {
                    m_icol(objectNo, table.objectNo, index.second, 2, index.second, index.second);
                }
            }

            const long long triggers = Share(m_size.triggers, count, t);
            for (long long g = 0; g < triggers; ++g) {
                const std::string name = table.name + "_TRG" + std::to_string(g + 1);
                const long long objectNo = NewObject(table.owner, name, 12);
                const std::string owner = m_ownerName[table.owner];
                const int type = static_cast<int>(g % 4);
                const std::string definition = owner + "." + name +
                                               (type < 2 ? " BEFORE" : " AFTER") +
                                               " INSERT OR UPDATE ON " + owner + "." + table.name +
                                               (type % 2 == 1 ? " FOR EACH ROW\n" : "\n");
                const std::string action = type % 2 == 1
                                               ? "BEGIN\n    :NEW.NAME := UPPER(:NEW.NAME);\nEND;\n"
                                               : "BEGIN\n    NULL;\nEND;\n";
                m_trigger(objectNo, type, 1, 1, 0, table.objectNo, definition, action,
                          static_cast<long long>(action.size()), 1);
            }
            m_tables.push_back(table);
        }
    }

    static std::string ColumnName(long long c)
    {
        if (c == 1) {
            return "ID";
        }
        if (c == 2) {
            return "NAME";
        }
        if (c == 3) {
            return "PARENT_ID";
        }
        static const char* const prefixes[] = {"AMOUNT_", "TEXT_", "DATE_", "CODE_", "VALUE_"};
        return Numbered(prefixes[c % 5], c);
    }

    void Views()
    {
        for (long long v = 0; v < m_size.views; ++v) {
            const bool onTable = !m_tables.empty();
            const Table* table =
                onTable ? &m_tables[static_cast<std::size_t>(
                              v * static_cast<long long>(m_tables.size()) / m_size.views)]
                        : nullptr;
            const long long owner = onTable ? table->owner : v * m_size.owners / m_size.views;
            const int status = v % 10 == 9 ? 5 : 1; // some invalid views
            const long long objectNo = NewObject(owner, Numbered("V", v + 1), 4, status);
            const bool twoColumns = onTable && table->columns >= 2;
            const std::string text =
                onTable ? std::string("SELECT ID") + (twoColumns ? ", NAME" : "") + " FROM " +
                              table->name + " WHERE ID > " + std::to_string(v % 100)
                        : "SELECT DUMMY FROM DUAL";
            const long long columns = twoColumns ? 2 : 1;
            m_view(objectNo, columns, columns, static_cast<long long>(text.size()), text);
            if (onTable) {
                WriteColumn(objectNo, 1, true, 0);
                if (twoColumns) {
                    WriteColumn(objectNo, 2, false, 0);
                }
            } else {
                m_col(objectNo, 1, 1, 1, "DUMMY", 1, 1, nullptr, nullptr, 0, nullptr, nullptr, 0);
            }
        }
    }

    void Sequences()
    {
        for (long long s = 0; s < m_size.sequences; ++s) {
            const long long owner = s * m_size.owners / m_size.sequences;
            const long long objectNo = NewObject(owner, Numbered("S", s + 1), 6);
            const auto some = [](bool present, long long value) {
                return present ? std::optional<long long>(value) : std::nullopt;
            };
            m_seq(objectNo, 1 + s % 3, some(s % 3 != 0, 1), some(s % 2 != 0, 1000000),
                  some(s % 4 == 0, 1), some(s % 7 == 0, 1), some(s % 5 != 0, 20), 1 + s * 10);
        }
    }

    void Code()
    {
        const long long count = m_size.code;
        long long kind = 0; // procedures, functions and packages in turn
        for (long long i = 0; i < count; ++i) {
            const long long owner = i * m_size.owners / count;
            const long long lines = Share(m_size.sourceLines, count, i);
            int type = std::array<int, 3>{7, 8, 9}[static_cast<std::size_t>(kind++ % 3)];
            if (type == 9 && i + 1 >= count) {
                type = 7; // no room for the body
            }
            const bool invalid = i % 25 == 24;
            const std::string name = Numbered(type == 7 ? "P" : type == 8 ? "F" : "K", i + 1);
            WriteCode(NewObject(owner, name, type, invalid ? 5 : 1), type, name, lines, invalid);
            if (type == 9) {
                ++i;
                const long long bodyLines = Share(m_size.sourceLines, count, i);
                WriteCode(NewObject(owner, name, 11), 11, name, bodyLines, false);
            }
        }
    }

    // `lines` lines of source, each ending with a line feed; invalid code gets two errors.
    void WriteCode(long long objectNo, int type, const std::string& name, long long lines,
                   bool invalid)
    {
        std::string header;
        switch (type) {
        case 7:
            header = "PROCEDURE " + name + " (p_id IN NUMBER) IS\n";
            break;
        case 8:
            header = "FUNCTION " + name + " (p_id IN NUMBER) RETURN NUMBER IS\n";
            break;
        case 9:
            header = "PACKAGE " + name + " AS\n";
            break;
        default:
            header = "PACKAGE BODY " + name + " AS\n";
            break;
        }
        const bool routine = type == 7 || type == 8;
        for (long long line = 1; line <= lines; ++line) {
            std::string text;
            if (line == 1) {
                text = header;
            } else if (line == lines) {
                text = "END " + name + ";\n";
            } else if (routine && line == 2) {
                text = "BEGIN\n";
            } else if (routine) {
                text = "    v_total := v_total + " + std::to_string(line) + ";\n";
            } else if (type == 9) {
                text = "    PROCEDURE STEP_" + std::to_string(line) + ";\n";
            } else {
                text = "    PROCEDURE STEP_" + std::to_string(line) + " IS BEGIN NULL; END;\n";
            }
            m_source(objectNo, line, text);
        }
        if (invalid) {
            const long long line = std::min<long long>(lines, 3);
            m_error(objectNo, 1, line, 5, "PL/SQL: Statement ignored", 0);
            m_error(objectNo, 2, line, 16, "PLS-00201: identifier 'V_TOTAL' must be declared", 201);
        }
    }

    DictionarySize m_size;
    Insert m_user, m_obj, m_col, m_com, m_con, m_cdef, m_ccol, m_ind, m_icol, m_seq, m_view,
        m_source, m_trigger, m_error;
    std::vector<long long> m_ownerNo;
    std::vector<std::string> m_ownerName;
    std::vector<Table> m_tables;
    DictionaryCounts m_objectsByType;
    long long m_nextObject = kFirstObjectNo;
    long long m_nextConstraint = kFirstConstraintNo;
};

// The secondary indexes of the schema: dropped while rows go in, built again afterwards,
// which is much faster than keeping them up to date row by row.
std::vector<std::string> DropIndexes(SqliteFile& file)
{
    std::vector<std::string> names;
    std::vector<std::string> statements;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(file.Handle(),
                       "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT "
                       "NULL",
                       -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        names.push_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        statements.push_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
    }
    sqlite3_finalize(statement);
    for (const auto& name : names) {
        file.Execute("DROP INDEX \"" + name + "\"");
    }
    return statements;
}

} // namespace

DictionaryCounts GenerateDictionary(const std::string& folder, const DictionarySize& size)
{
    if (size.owners < 1 || size.columnsPerTable < 1) {
        throw Exception("A dictionary needs at least one owner and one column per table");
    }
    BuildEmbeddedDatabase(folder, {}); // the schema with SYS, PUBLIC and DUAL
    SqliteFile file(folder + "/SYS.sqlite");
    file.Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                 "PRAGMA cache_size = -131072;");
    const auto indexes = DropIndexes(file);
    file.Execute("BEGIN");
    Generator generator(file.Handle(), size);
    generator.Run();
    for (const auto& statement : indexes) {
        file.Execute(statement);
    }
    file.Execute("COMMIT");
    // Statistics let SQLite's planner pick the indexes for the reader's joins.
    file.Execute("ANALYZE");
    return generator.Counts();
}

} // namespace quorvex::tools
