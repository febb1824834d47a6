#include "SyntheticModel.h"

#include "model/ObjectItem.h"
#include "model/ObjectList.h"
#include "model/ObjectState.h"
#include "model/OwnerList.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorvex {

namespace {

// SplitMix64: small, fast, and the same sequence on every platform and standard library
// (the standard distributions are not), so a seed always gives the same model.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t Next() noexcept
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; 0 when n <= 0.
    int Below(int n) noexcept
    {
        return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n));
    }
    int Between(int low, int high) noexcept { return low + Below(high - low + 1); }
    // True in `percent` of the calls.
    bool Chance(double percent) noexcept
    {
        return static_cast<double>(Next() >> 11) * 0x1.0p-53 * 100.0 < percent;
    }
    template <class T, size_t N>
    const T& Pick(const T (&items)[N]) noexcept
    {
        return items[static_cast<size_t>(Below(static_cast<int>(N)))];
    }
    template <class T>
    const T& Pick(const std::vector<T>& items) noexcept
    {
        return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
    }
    template <class T>
    void Shuffle(std::vector<T>& items) noexcept
    {
        for (size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<size_t>(Below(static_cast<int>(i)))]);
    }

private:
    std::uint64_t m_state;
};

constexpr std::string_view kCrLf = "\r\n";

constexpr std::string_view kWords[] = {
    "ACCOUNT", "ACTION",   "ADDRESS",  "AGENT",    "AMOUNT",   "AREA",     "ASSET",   "AUDIT",
    "BALANCE", "BANK",     "BATCH",    "BILL",     "BRANCH",   "BUDGET",   "CALL",    "CAMPAIGN",
    "CARD",    "CASE",     "CATEGORY", "CHANNEL",  "CHARGE",   "CITY",     "CLAIM",   "CLASS",
    "CLIENT",  "CODE",     "COMMENT",  "COMPANY",  "CONTACT",  "CONTRACT", "COST",    "COUNTRY",
    "CREDIT",  "CURRENCY", "CUSTOMER", "CYCLE",    "DATA",     "DAY",      "DEBIT",   "DELIVERY",
    "DEPT",    "DESC",     "DETAIL",   "DEVICE",   "DISCOUNT", "DOC",      "DUE",     "EMAIL",
    "EMP",     "END",      "ENTRY",    "EVENT",    "EXPENSE",  "FEE",      "FILE",    "FLAG",
    "FORM",    "GRADE",    "GROUP",    "HEADER",   "HISTORY",  "HOUR",     "INVOICE", "ISSUE",
    "ITEM",    "JOB",      "KEY",      "LABEL",    "LANG",     "LEDGER",   "LEVEL",   "LIMIT",
    "LINE",    "LIST",     "LOAN",     "LOCATION", "LOG",      "LOT",      "MARGIN",  "MEMBER",
    "MESSAGE", "METHOD",   "MODE",     "MONTH",    "NAME",     "NOTE",     "NUMBER",  "OFFER",
    "OFFICE",  "ORDER",    "ORG",      "OWNER",    "PARTY",    "PATH",     "PAYMENT", "PERIOD",
    "PERSON",  "PHONE",    "PLAN",     "POLICY",   "PORT",     "POSITION", "PRICE",   "PRIORITY",
    "PRODUCT", "PROFILE",  "PROJECT",  "QUOTA",    "RATE",     "REASON",   "RECEIPT", "REF",
    "REGION",  "REQUEST",  "RESULT",   "RETURN",   "RISK",     "ROLE",     "ROUTE",   "RULE",
    "SALE",    "SCORE",    "SEGMENT",  "SERIAL",   "SERVICE",  "SESSION",  "SHIFT",   "SHIP",
    "SITE",    "SIZE",     "SOURCE",   "START",    "STATE",    "STATUS",   "STEP",    "STOCK",
    "STORE",   "SUPPLIER", "TARGET",   "TASK",     "TAX",      "TEAM",     "TERM",    "TICKET",
    "TIME",    "TITLE",    "TOTAL",    "TRADE",    "TYPE",     "UNIT",     "USER",    "VALUE",
    "VENDOR",  "VERSION",  "VOUCHER",  "WEIGHT",   "WORK",     "YEAR",     "ZONE",
};

constexpr std::string_view kColumnSuffixes[] = {"_ID",  "_NO",  "_CD",  "_DT", "_FLG",
                                                "_TXT", "_AMT", "_QTY", "_NM", "_PCT"};

constexpr std::string_view kOwnerNames[] = {
    "SALES",   "HR",        "FINANCE",   "INVENTORY", "BILLING",   "CRM",        "LOGISTICS",
    "PAYROLL", "AUDIT_OWN", "REPORTING", "WAREHOUSE", "PORTAL",    "ANALYTICS",  "STAGING",
    "ARCHIVE", "SECURITY",  "MDM",       "ETL",       "APP_ADMIN", "INTEGRATION"};

constexpr std::string_view kCommentWords[] = {
    "the",   "of",         "for",    "a",       "customer", "order",     "date",
    "when",  "record",     "was",    "created", "last",     "updated",   "by",
    "user",  "identifier", "unique", "code",    "status",   "amount",    "in",
    "local", "currency",   "flag",   "set",     "if",       "active",    "reference",
    "to",    "parent",     "row",    "number",  "sequence", "generated", "value",
    "used",  "reporting",  "only",   "see",     "table"};

constexpr std::string_view kDefaultsNumber[] = {"0", "1", "-1", "0 ", "100"};
constexpr std::string_view kDefaultsText[] = {"'N'", "'Y'", "'ACTIVE'", "USER", "' '", "'EUR'"};
constexpr std::string_view kDefaultsDate[] = {"SYSDATE", "SYSDATE ", "TRUNC(SYSDATE)"};
constexpr int kVarcharLengths[] = {1,   2,   3,   10,  20,  30,  40,   50,   60,  80,
                                   100, 120, 200, 255, 400, 500, 1000, 2000, 4000};
constexpr int kNumberPrecisions[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 10, 12, 15, 15, 18, 22, 38};
constexpr std::string_view kTriggerTimings[] = {"BEFORE INSERT OR UPDATE", "BEFORE INSERT",
                                                "AFTER INSERT OR UPDATE OR DELETE", "BEFORE UPDATE",
                                                "AFTER DELETE"};
constexpr std::string_view kTriggerSuffixes[] = {"_BIU", "_BI", "_AIUD", "_BU", "_AD"};

void TrimTrailingUnderscores(std::string& name)
{
    while (!name.empty() && name.back() == '_')
        name.pop_back();
}

std::string JoinWords(TRandom& random, int count)
{
    std::string name(random.Pick(kWords));
    for (int i = 1; i < count; ++i) {
        name += '_';
        name += random.Pick(kWords);
    }
    return name;
}

// Column names of 4 to 20 characters, made of one to three words and often a suffix.
std::string RandomColumnName(TRandom& random)
{
    const int words = random.Chance(45) ? 1 : (random.Chance(70) ? 2 : 3);
    std::string name = JoinWords(random, words);
    if (random.Chance(40))
        name += random.Pick(kColumnSuffixes);
    if (name.size() > 20)
        name.resize(20);
    TrimTrailingUnderscores(name);
    if (name.size() < 4)
        name += "_ID";
    return name;
}

std::string Sentence(TRandom& random, int minWords, int maxWords)
{
    const int words = random.Between(minWords, maxWords);
    std::string text;
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            text += ' ';
        text += random.Pick(kCommentWords);
    }
    if (!text.empty())
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    text += '.';
    return text;
}

// A data type as the dictionary reports it, in realistic proportions; the NOT NULL and
// DEFAULT parts are chosen too.
void SetRandomType(TFieldItem& field, TRandom& random)
{
    field.Precision = -1;
    field.Scale = -1;
    field.DefaultVal.clear();
    const int roll = random.Below(1000);
    if (roll < 400) {
        field.FieldType = 1;
        field.Length = random.Pick(kVarcharLengths);
    } else if (roll < 730) {
        field.FieldType = 2;
        field.Length = 22;
        const int shape = random.Below(100);
        if (shape < 80) {
            field.Precision = random.Pick(kNumberPrecisions);
            field.Scale = random.Chance(75) ? 0 : std::min(field.Precision, random.Between(1, 4));
        } else if (shape < 95) {
            // NUMBER without precision
        } else {
            field.Precision = random.Chance(70) ? 126 : 63;
        }
    } else if (roll < 880) {
        field.FieldType = 12;
        field.Length = 7;
    } else if (roll < 950) {
        field.FieldType = 96;
        field.Length = random.Between(1, 3);
    } else if (roll < 955) {
        field.FieldType = 8;
        field.Length = 0;
    } else if (roll < 965) {
        field.FieldType = 23;
        field.Length = 16;
    } else if (roll < 968) {
        field.FieldType = 24;
        field.Length = 0;
    } else if (roll < 970) {
        field.FieldType = 69;
        field.Length = 10;
    } else if (roll < 975) {
        field.FieldType = 9;
        field.Length = random.Between(1, 100);
    } else if (roll < 990) {
        field.FieldType = 112; // CLOB: shown as UNDEFINED
        field.Length = 4000;
    } else {
        field.FieldType = 180; // TIMESTAMP
        field.Length = 11;
        field.Scale = 6;
    }
    field.Null = random.Chance(35) ? 1 : 0;
    if (random.Chance(8)) {
        if (field.FieldType == 2)
            field.DefaultVal = random.Pick(kDefaultsNumber);
        else if (field.FieldType == 12)
            field.DefaultVal = random.Pick(kDefaultsDate);
        else if (field.FieldType == 1 || field.FieldType == 96)
            field.DefaultVal = random.Pick(kDefaultsText);
    }
}

// Unique names over the whole model (objects, indexes, triggers, constraints), at most
// `maxLength` characters; a clash gets a numbered suffix.
class TNameBook {
public:
    std::string Unique(std::string name, size_t maxLength = 30)
    {
        if (name.size() > maxLength)
            name.resize(maxLength);
        TrimTrailingUnderscores(name);
        if (m_names.insert(name).second)
            return name;
        int& next = m_nextSuffix[name];
        for (;;) {
            const std::string suffix = "_" + std::to_string(next < 2 ? 2 : next);
            next = (next < 2 ? 2 : next) + 1;
            std::string base = name.substr(0, maxLength - suffix.size());
            TrimTrailingUnderscores(base);
            std::string candidate = base + suffix;
            if (m_names.insert(candidate).second)
                return candidate;
        }
    }
    void Reserve(const std::string& name) { m_names.insert(name); }

private:
    std::unordered_set<std::string> m_names;
    std::unordered_map<std::string, int> m_nextSuffix;
};

struct TTablePlan {
    TObjectItem* Object = nullptr;
    int Owner = 0;
    int Columns = 0;
    int Indexes = 0;
    int Triggers = 0;
    int PkColumns = 0; // 0: no primary key
    std::vector<std::int32_t> IndexObjectNos;
    std::vector<std::int32_t> TriggerObjectNos;
    std::vector<std::unique_ptr<TConstraintItem>> PendingConstraints;
    TConstraintItem* PrimaryKey = nullptr;
};

std::string IndexText(const TIndexItem& index)
{
    return "CREATE INDEX " + index.ObjectName + " ON " + index.TableName + " (" +
           index.IndexFields + ")";
}

class TSyntheticBuilder {
public:
    explicit TSyntheticBuilder(const SyntheticModelShape& shape)
        : m_shape(shape)
        , m_random(shape.Seed)
    {
    }

    std::unique_ptr<TDBNewOracle> Build()
    {
        m_model = std::make_unique<TDBNewOracle>();
        m_model->UserName = "SYSTEM";
        m_model->IncludeSys = true;
        m_model->SchemaLoaded = 45456.4375;
        m_model->SourceLoaded = 45456.4412;
        BuildOwners();
        BuildObjects();
        PlanConstraints();
        for (auto& table : m_tables)
            FillColumns(table);
        BuildConstraints();
        for (auto& table : m_tables) {
            FillIndexes(table);
            FillTriggers(table);
        }
        for (TObjectItem* object : m_others)
            FillText(*object);
        return std::move(m_model);
    }

private:
    void BuildOwners()
    {
        const int owners = std::max(1, m_shape.Owners);
        std::int32_t ownerNo = 40;
        for (int i = 0; i < owners; ++i) {
            ownerNo += m_random.Between(1, 9);
            TOwnerItem* owner = m_model->Owners().NewItem();
            owner->OwnerNo = ownerNo;
            owner->OID = ownerNo;
            owner->OwnerName = i < static_cast<int>(std::size(kOwnerNames))
                                   ? std::string(kOwnerNames[i])
                                   : "OWNER_" + std::to_string(i + 1);
            // Skewed sizes: a few large application schemas and many small ones.
            m_ownerWeights.push_back(1.0 / (1.0 + 0.35 * i));
        }
        std::partial_sum(m_ownerWeights.begin(), m_ownerWeights.end(), m_ownerWeights.begin());
        m_tablesByOwner.resize(static_cast<size_t>(owners));
    }

    int PickOwner()
    {
        const double x =
            static_cast<double>(m_random.Next() >> 11) * 0x1.0p-53 * m_ownerWeights.back();
        const auto it = std::upper_bound(m_ownerWeights.begin(), m_ownerWeights.end(), x);
        return static_cast<int>(
            std::min<ptrdiff_t>(it - m_ownerWeights.begin(), std::ssize(m_ownerWeights) - 1));
    }

    std::int32_t OwnerNo(int owner) const { return m_model->Owners().Items(owner)->OwnerNo; }

    // Spreads `total` items over `slots` buckets at random, at most `cap` per bucket.
    std::vector<int> Spread(int total, int slots, int cap)
    {
        std::vector<int> counts(static_cast<size_t>(slots), 0);
        if (slots == 0)
            return counts;
        total = std::min(total, slots * cap);
        for (int i = 0; i < total; ++i) {
            for (;;) {
                int& c = counts[static_cast<size_t>(m_random.Below(slots))];
                if (c < cap) {
                    ++c;
                    break;
                }
            }
        }
        return counts;
    }

    // Column counts: the mean is fixed by the totals; moving columns between tables at random
    // gives the usual mix of narrow and wide tables with the total unchanged.
    std::vector<int> ColumnCounts(int tables)
    {
        std::vector<int> counts(static_cast<size_t>(tables), 0);
        if (tables == 0)
            return counts;
        const int total = std::clamp(m_shape.Columns, tables, tables * 250);
        for (int i = 0; i < tables; ++i)
            counts[static_cast<size_t>(i)] = total / tables + (i < total % tables ? 1 : 0);
        if (m_shape.EvenColumns)
            return counts;
        for (int move = 0; move < tables * 2; ++move) {
            int& from = counts[static_cast<size_t>(m_random.Below(tables))];
            int& to = counts[static_cast<size_t>(m_random.Below(tables))];
            const int amount = std::min({from - 2, 250 - to, m_random.Between(1, 12)});
            if (&from == &to || amount <= 0)
                continue;
            from -= amount;
            to += amount;
        }
        return counts;
    }

    void BuildObjects()
    {
        const int total = std::max(0, m_shape.Objects);
        const int tables = std::clamp(m_shape.Tables, 0, total);
        const int others = total - tables;
        const int views = others * 30 / 100;
        const int synonyms = others * 20 / 100;
        const int sequences = others * 15 / 100;
        const int procedures = others * 10 / 100;
        const int functions = others * 10 / 100;
        const int packages = others * 75 / 1000; // headers, each with its body
        int bodies = packages;
        const int rest =
            others - (views + synonyms + sequences + procedures + functions + packages + bodies);
        std::vector<int> kinds;
        kinds.reserve(static_cast<size_t>(total));
        kinds.insert(kinds.end(), static_cast<size_t>(tables), ObjectTypes::Table);
        kinds.insert(kinds.end(), static_cast<size_t>(views + rest), ObjectTypes::View);
        kinds.insert(kinds.end(), static_cast<size_t>(synonyms), ObjectTypes::Synonym);
        kinds.insert(kinds.end(), static_cast<size_t>(sequences), ObjectTypes::Sequence);
        kinds.insert(kinds.end(), static_cast<size_t>(procedures), ObjectTypes::Procedure);
        kinds.insert(kinds.end(), static_cast<size_t>(functions), ObjectTypes::Function);
        kinds.insert(kinds.end(), static_cast<size_t>(packages), ObjectTypes::PackageHeader);
        m_random.Shuffle(kinds);

        const std::vector<int> columns = ColumnCounts(tables);
        std::vector<int> indexes;
        if (m_shape.KeyEveryTable) {
            // The first index of every table enforces its primary key.
            indexes = Spread(m_shape.Indexes - tables, tables, 7);
            for (int& count : indexes)
                ++count;
        } else {
            indexes = Spread(m_shape.Indexes, tables, 8);
        }
        const std::vector<int> triggers = Spread(m_shape.Triggers, tables, 4);

        TObjectList& list = m_model->Objects();
        list.Reserve(total);
        m_tables.reserve(static_cast<size_t>(tables));
        std::int32_t objectNo = 5000; // the numbers below belong to the system's own objects
        auto nextNumber = [&] {
            objectNo += 1 + (m_random.Below(8) == 0 ? m_random.Below(20) : 0);
            return objectNo;
        };
        auto add = [&](int kind, int owner, std::string name) {
            TObjectItem* object = list.NewItem();
            object->ObjectNo = nextNumber();
            object->OID = object->ObjectNo;
            object->OwnerNo = OwnerNo(owner);
            object->ObjectType = kind;
            object->ObjectName = std::move(name);
            return object;
        };
        for (int kind : kinds) {
            const int owner = PickOwner();
            if (kind == ObjectTypes::Table) {
                TTablePlan plan;
                const size_t i = m_tables.size();
                plan.Object = add(kind, owner, TableName());
                plan.Owner = owner;
                plan.Columns = columns[i];
                plan.Indexes = indexes[i];
                plan.Triggers = triggers[i];
                // Index and trigger objects are created with their table; the reader moved
                // them under it, so only their numbers remain.
                for (int k = 0; k < plan.Indexes; ++k)
                    plan.IndexObjectNos.push_back(nextNumber());
                for (int k = 0; k < plan.Triggers; ++k)
                    plan.TriggerObjectNos.push_back(nextNumber());
                if (plan.Object->CommentText.empty() && m_random.Chance(30))
                    plan.Object->CommentText = Sentence(m_random, 3, 12);
                m_tablesByOwner[static_cast<size_t>(owner)].push_back(static_cast<int>(i));
                m_tables.push_back(std::move(plan));
                continue;
            }
            TObjectItem* object = add(kind, owner, OtherName(kind));
            m_others.push_back(object);
            if (kind == ObjectTypes::PackageHeader && bodies > 0) {
                --bodies;
                m_others.push_back(add(ObjectTypes::PackageBody, owner, object->ObjectName));
            }
        }
    }

    std::string TableName()
    {
        std::string name = JoinWords(m_random, m_random.Between(1, 3));
        if (m_random.Chance(30))
            name += 'S';
        if (m_random.Chance(15))
            name = "T_" + name;
        return m_names.Unique(std::move(name));
    }

    std::string OtherName(int kind)
    {
        std::string base = JoinWords(m_random, m_random.Between(1, 3));
        switch (kind) {
        case ObjectTypes::View:
            return m_names.Unique("V_" + base);
        case ObjectTypes::Sequence:
            return m_names.Unique("SEQ_" + base);
        case ObjectTypes::Procedure:
            return m_names.Unique("P_" + base);
        case ObjectTypes::Function:
            return m_names.Unique("F_" + base);
        case ObjectTypes::PackageHeader:
            return m_names.Unique("PKG_" + base);
        default:
            return m_names.Unique(base + "_SYN");
        }
    }

    // Decides which tables get which constraints; the items are made once the columns exist.
    void PlanConstraints()
    {
        const int tables = static_cast<int>(m_tables.size());
        if (tables == 0)
            return;
        const int total = std::max(0, m_shape.Constraints);
        const int primaryKeys = m_shape.KeyEveryTable ? tables : std::min(tables, total * 38 / 100);
        std::vector<int> order(static_cast<size_t>(tables));
        std::iota(order.begin(), order.end(), 0);
        m_random.Shuffle(order);
        for (int i = 0; i < primaryKeys; ++i) {
            TTablePlan& table = m_tables[static_cast<size_t>(order[static_cast<size_t>(i)])];
            table.PkColumns =
                !m_shape.KeyEveryTable && m_random.Chance(10) ? std::min(2, table.Columns) : 1;
        }
        int rest = std::max(0, total - primaryKeys);
        if (m_shape.ForeignKeys >= 0) {
            m_foreignKeys = m_shape.ForeignKeys;
            rest = std::max(0, rest - m_foreignKeys);
            // The other kinds keep their proportions among themselves.
            m_nullChecks = rest * 50 / 100;
            m_checks = rest * 33 / 100;
        } else {
            m_foreignKeys = rest * 40 / 100;
            m_nullChecks = rest * 30 / 100;
            m_checks = rest * 20 / 100;
            rest -= m_foreignKeys;
        }
        m_uniqueKeys = rest - m_nullChecks - m_checks;
        for (size_t owner = 0; owner < m_tablesByOwner.size(); ++owner) {
            std::vector<int> keyed;
            for (int t : m_tablesByOwner[owner]) {
                if (m_tables[static_cast<size_t>(t)].PkColumns > 0)
                    keyed.push_back(t);
            }
            m_keyedByOwner.push_back(std::move(keyed));
        }
    }

    void FillColumns(TTablePlan& table)
    {
        TObjectItem& object = *table.Object;
        TFieldList& fields = object.ObjectFields();
        fields.Reserve(table.Columns);
        std::vector<std::string> names;
        names.reserve(static_cast<size_t>(table.Columns));
        const std::string_view tableName = object.ObjectName;
        const std::string_view unprefixed =
            tableName.starts_with("T_") ? tableName.substr(2) : tableName;
        const std::string stem(unprefixed.substr(0, unprefixed.find('_')));
        for (int no = 1; no <= table.Columns; ++no) {
            TFieldItem* field = fields.NewItem();
            field->FieldNo = no;
            field->ObjectNo = object.ObjectNo;
            field->OID = object.ObjectNo * 256 + no;
            SetRandomType(*field, m_random);
            std::string name;
            if (no <= table.PkColumns) {
                name = no == 1 ? (stem.size() <= 17 ? stem + "_ID" : std::string("ID"))
                               : RandomColumnName(m_random);
                field->FieldType = 2;
                field->Length = 22;
                field->Precision = 10;
                field->Scale = 0;
                field->Null = 1;
                field->DefaultVal.clear();
            } else {
                name = RandomColumnName(m_random);
            }
            field->FieldName = UniqueColumnName(std::move(name), names);
            if (m_random.Chance(15))
                field->CommentText = Sentence(m_random, 3, 10);
        }
    }

    static std::string UniqueColumnName(std::string name, std::vector<std::string>& taken)
    {
        auto isTaken = [&](const std::string& n) {
            return std::find(taken.begin(), taken.end(), n) != taken.end();
        };
        if (isTaken(name)) {
            for (int n = 2;; ++n) {
                const std::string suffix = "_" + std::to_string(n);
                std::string base = name.substr(0, 20 - suffix.size());
                TrimTrailingUnderscores(base);
                if (!isTaken(base + suffix)) {
                    name = base + suffix;
                    break;
                }
            }
        }
        taken.push_back(name);
        return name;
    }

    TConstraintItem& NewConstraint(TTablePlan& table, int type, std::string name)
    {
        auto item = std::make_unique<TConstraintItem>();
        item->ConstType = type;
        item->ObjectName = std::move(name);
        item->ObjectNo = table.Object->ObjectNo;
        item->OwnerNo = table.Object->OwnerNo;
        item->TableName = table.Object->ObjectName;
        TConstraintItem& ref = *item;
        table.PendingConstraints.push_back(std::move(item));
        return ref;
    }

    const std::string& ColumnName(const TTablePlan& table, int index) const
    {
        return table.Object->FieldsIfAny()->Items(index)->FieldName;
    }

    // One or two distinct column names joined by ",", avoiding the key columns when it can.
    std::string SomeColumns(const TTablePlan& table, int count)
    {
        const int columns = table.Columns;
        const int first = columns > table.PkColumns ? table.PkColumns : 0;
        const int a = m_random.Between(first, columns - 1);
        std::string text = ColumnName(table, a);
        if (count > 1 && columns - first > 1) {
            int b = m_random.Between(first, columns - 1);
            if (b == a)
                b = a + 1 < columns ? a + 1 : first;
            if (b != a)
                text += "," + ColumnName(table, b);
        }
        return text;
    }

    TTablePlan& RandomTable()
    {
        return m_tables[static_cast<size_t>(m_random.Below(static_cast<int>(m_tables.size())))];
    }

    std::string CheckCondition(const TTablePlan& table, std::string& column)
    {
        const int index = m_random.Between(table.Columns > table.PkColumns ? table.PkColumns : 0,
                                           table.Columns - 1);
        const TFieldItem& field = *table.Object->FieldsIfAny()->Items(index);
        column = field.FieldName;
        switch (field.FieldType) {
        case 2:
            return column + (m_random.Chance(50) ? " >= 0" : " BETWEEN 0 AND 100");
        case 12:
            return column + " >= TO_DATE('2000-01-01','YYYY-MM-DD')";
        default:
            return column + (m_random.Chance(50) ? " IN ('Y','N')"
                                                 : " IN ('ACTIVE','CLOSED','PENDING','DELETED')");
        }
    }

    void MaybeDisable(TConstraintItem& constraint)
    {
        if (m_random.Chance(2))
            constraint.ObjectState = ObjectStates::Disabled;
    }

    void BuildConstraints()
    {
        if (m_tables.empty())
            return;
        for (auto& table : m_tables) {
            if (table.PkColumns == 0)
                continue;
            TConstraintItem& pk =
                NewConstraint(table, 2, m_names.Unique("PK_" + table.Object->ObjectName));
            pk.RefFields = ColumnName(table, 0);
            for (int c = 1; c < table.PkColumns; ++c)
                pk.RefFields += "," + ColumnName(table, c);
            table.PrimaryKey = &pk;
        }
        std::vector<std::pair<TConstraintItem*, TTablePlan*>> foreignKeys;
        for (int i = 0; i < m_foreignKeys; ++i) {
            TTablePlan& child = RandomTable();
            const auto& keyed = m_keyedByOwner[static_cast<size_t>(child.Owner)];
            TTablePlan* parent = nullptr;
            if (!keyed.empty())
                parent = &m_tables[static_cast<size_t>(m_random.Pick(keyed))];
            for (int attempt = 0; parent == nullptr && attempt < 64; ++attempt) {
                TTablePlan& any = RandomTable();
                if (any.PkColumns > 0)
                    parent = &any;
            }
            if (parent == nullptr)
                break; // no table has a primary key
            TConstraintItem& fk =
                NewConstraint(child, 4,
                              m_names.Unique("FK_" + child.Object->ObjectName.substr(0, 18) + "_" +
                                             parent->Object->ObjectName.substr(0, 8)));
            fk.RefFields = SomeColumns(child, parent->PkColumns);
            fk.RefObjName = parent->Object->ObjectName;
            fk.RefObjectNo = parent->Object->ObjectNo;
            fk.RefAct = m_random.Chance(10);
            MaybeDisable(fk);
            foreignKeys.emplace_back(&fk, parent);
        }
        for (int i = 0; i < m_uniqueKeys; ++i) {
            TTablePlan& table = RandomTable();
            TConstraintItem& uk =
                NewConstraint(table, 3, m_names.Unique("UK_" + table.Object->ObjectName));
            uk.RefFields = SomeColumns(table, m_random.Chance(30) ? 2 : 1);
            MaybeDisable(uk);
        }
        for (int i = 0; i < m_checks; ++i) {
            TTablePlan& table = RandomTable();
            TConstraintItem& check =
                NewConstraint(table, 1, m_names.Unique("CK_" + table.Object->ObjectName));
            check.Condition = CheckCondition(table, check.RefFields);
            MaybeDisable(check);
        }
        int sysNumber = 10000;
        std::unordered_set<std::int32_t> checked; // column OIDs that have a null check
        for (int i = 0; i < m_nullChecks; ++i) {
            TTablePlan* table = &RandomTable();
            TFieldItem* field = table->Object->FieldsIfAny()->Items(m_random.Below(table->Columns));
            for (int attempt = 0; attempt < 16 && checked.contains(field->OID); ++attempt) {
                table = &RandomTable();
                field = table->Object->FieldsIfAny()->Items(m_random.Below(table->Columns));
            }
            checked.insert(field->OID);
            field->Null = 1;
            TConstraintItem& check =
                NewConstraint(*table, 7, "SYS_C00" + std::to_string(sysNumber++));
            check.RefFields = field->FieldName;
            check.Condition = "\"" + field->FieldName + "\" IS NOT NULL";
        }
        // The reader returns constraints in name order and numbers them in creation order.
        std::int32_t constNo = 20000;
        for (auto& table : m_tables) {
            auto& pending = table.PendingConstraints;
            std::sort(pending.begin(), pending.end(),
                      [](const auto& a, const auto& b) { return a->ObjectName < b->ObjectName; });
            TConstraintList& list = table.Object->ObjectConstraints();
            list.Reserve(static_cast<int>(pending.size()));
            for (auto& item : pending) {
                constNo += 1 + (m_random.Below(10) == 0 ? m_random.Below(5) : 0);
                item->ConstNo = constNo;
                item->OID = constNo;
                list.Add(std::move(item));
            }
            pending.clear();
            pending.shrink_to_fit();
        }
        for (auto& [fk, parent] : foreignKeys)
            fk->RefConstNo = parent->PrimaryKey->ConstNo;
        for (auto& table : m_tables) {
            TConstraintList& list = table.Object->ObjectConstraints();
            for (int i = 0; i < list.Count(); ++i)
                list.Items(i)->ObjectText = list.Items(i)->GetDisplayText();
        }
    }

    void FillIndexes(TTablePlan& table)
    {
        if (table.Indexes == 0)
            return;
        TIndexList& list = table.Object->ObjectIndexes();
        list.Reserve(table.Indexes);
        for (int k = 0; k < table.Indexes; ++k) {
            TIndexItem* index = list.NewItem();
            index->ObjectNo = table.IndexObjectNos[static_cast<size_t>(k)];
            index->OID = index->ObjectNo;
            index->OwnerNo = table.Object->OwnerNo;
            index->ObjectType = ObjectTypes::Index;
            index->TableName = table.Object->ObjectName;
            if (k == 0 && table.PrimaryKey != nullptr) {
                // The index that enforces the primary key carries its name.
                index->ObjectName = table.PrimaryKey->ObjectName;
                index->IndexFields = table.PrimaryKey->RefFields;
            } else {
                index->ObjectName = m_names.Unique(table.Object->ObjectName.substr(0, 24) + "_I" +
                                                   std::to_string(k + 1));
                const int columns = m_random.Chance(60) ? 1 : m_random.Between(2, 3);
                for (int c = 0; c < columns; ++c) {
                    if (c > 0)
                        index->IndexFields += ',';
                    index->IndexFields += ColumnName(table, m_random.Below(table.Columns));
                    if (m_random.Chance(5))
                        index->IndexFields += " DESC";
                }
            }
            index->ObjectText = IndexText(*index);
        }
    }

    void FillTriggers(TTablePlan& table)
    {
        if (table.Triggers == 0)
            return;
        TTriggerList& list = table.Object->ObjectTriggers();
        list.Reserve(table.Triggers);
        for (int k = 0; k < table.Triggers; ++k) {
            TTriggerItem* trigger = list.NewItem();
            trigger->ObjectNo = table.TriggerObjectNos[static_cast<size_t>(k)];
            trigger->OID = trigger->ObjectNo;
            trigger->OwnerNo = table.Object->OwnerNo;
            trigger->ObjectType = ObjectTypes::Trigger;
            const int timing = m_random.Below(static_cast<int>(std::size(kTriggerTimings)));
            trigger->ObjectName = m_names.Unique("TRG_" + table.Object->ObjectName.substr(0, 20) +
                                                 std::string(kTriggerSuffixes[timing]));
            if (m_random.Chance(1))
                trigger->ObjectState = ObjectStates::Invalid;
            // DEFINITION then ACTION#, as the reader concatenates them.
            std::string text = trigger->ObjectName;
            text += kCrLf;
            text += kTriggerTimings[timing];
            text += " ON " + table.Object->ObjectName;
            text += kCrLf;
            text += "FOR EACH ROW";
            text += kCrLf;
            text += "BEGIN";
            text += kCrLf;
            const int statements = m_random.Between(1, 5);
            for (int s = 0; s < statements; ++s) {
                const std::string& column = ColumnName(table, m_random.Below(table.Columns));
                switch (m_random.Below(3)) {
                case 0:
                    text += "  :NEW." + column + " := SYSDATE;";
                    break;
                case 1:
                    text += "  IF :NEW." + column + " IS NULL THEN" + std::string(kCrLf) +
                            "    :NEW." + column + " := :OLD." + column + ";" + std::string(kCrLf) +
                            "  END IF;";
                    break;
                default:
                    text += "  INSERT INTO " + table.Object->ObjectName.substr(0, 25) + "_LOG (" +
                            column + ", CHANGED_BY) VALUES (:NEW." + column + ", USER);";
                    break;
                }
                text += kCrLf;
            }
            text += "END;";
            trigger->ObjectText = std::move(text);
        }
    }

    const TTablePlan& TableOfOwner(std::int32_t ownerNo)
    {
        for (size_t owner = 0; owner < m_tablesByOwner.size(); ++owner) {
            if (OwnerNo(static_cast<int>(owner)) == ownerNo && !m_tablesByOwner[owner].empty())
                return m_tables[static_cast<size_t>(m_random.Pick(m_tablesByOwner[owner]))];
        }
        return RandomTable();
    }

    void FillText(TObjectItem& object)
    {
        if (object.ObjectType != ObjectTypes::Synonym &&
            object.ObjectType != ObjectTypes::Sequence && m_random.Chance(3))
            object.ObjectState = ObjectStates::Invalid;
        if (object.ObjectType == ObjectTypes::Synonym)
            return; // the reader gives synonyms no text
        if (object.ObjectType == ObjectTypes::Sequence) {
            object.ObjectText =
                "CREATE SEQUENCE \"" + object.ObjectName + "\"" + std::string(kCrLf) +
                " START WITH " + std::to_string(m_random.Between(1, 5000000)) + std::string(kCrLf) +
                " INCREMENT BY 1" + std::string(kCrLf) + " MINVALUE 1" + std::string(kCrLf) +
                " MAXVALUE 999999999999999999999999999" + std::string(kCrLf) + " NOCYCLE" +
                std::string(kCrLf) + (m_random.Chance(80) ? " CACHE 20" : " NOCACHE") +
                std::string(kCrLf) + " NOORDER;";
            return;
        }
        if (m_tables.empty())
            return;
        const TTablePlan& table = TableOfOwner(object.OwnerNo);
        const std::string& tableName = table.Object->ObjectName;
        const std::string key = ColumnName(table, 0);
        const std::string other = ColumnName(table, m_random.Below(table.Columns));
        std::string text;
        auto line = [&text](const std::string& s) {
            text += s;
            text += kCrLf;
        };
        switch (object.ObjectType) {
        case ObjectTypes::View: {
            text = "CREATE OR REPLACE VIEW " + object.ObjectName + " AS SELECT ";
            const int columns = std::min(table.Columns, m_random.Between(2, 8));
            for (int c = 0; c < columns; ++c)
                text += (c > 0 ? ", t." : "t.") + ColumnName(table, c);
            text += kCrLf;
            line("  FROM " + tableName + " t");
            text += " WHERE t." + other + " IS NOT NULL";
            break;
        }
        case ObjectTypes::Procedure:
            line("CREATE OR REPLACE PROCEDURE " + object.ObjectName + " (P_KEY IN NUMBER) IS");
            line("BEGIN");
            line("  UPDATE " + tableName);
            line("     SET " + other + " = " + other);
            line("   WHERE " + key + " = P_KEY;");
            line("  COMMIT;");
            text += "END;";
            break;
        case ObjectTypes::Function:
            line("CREATE OR REPLACE FUNCTION " + object.ObjectName + " (P_KEY IN NUMBER)");
            line("RETURN NUMBER IS");
            line("  V_COUNT NUMBER;");
            line("BEGIN");
            line("  SELECT COUNT(*) INTO V_COUNT FROM " + tableName + " WHERE " + key +
                 " = P_KEY;");
            line("  RETURN V_COUNT;");
            text += "END;";
            break;
        case ObjectTypes::PackageHeader: {
            line("CREATE OR REPLACE PACKAGE " + object.ObjectName + " AS");
            const int routines = m_random.Between(2, 6);
            for (int r = 1; r <= routines; ++r)
                line("  PROCEDURE DO_" + std::to_string(r) + " (P_KEY IN NUMBER);");
            text += "END " + object.ObjectName + ";";
            break;
        }
        case ObjectTypes::PackageBody: {
            line("CREATE OR REPLACE PACKAGE BODY " + object.ObjectName + " AS");
            const int routines = m_random.Between(2, 6);
            for (int r = 1; r <= routines; ++r) {
                line("  PROCEDURE DO_" + std::to_string(r) + " (P_KEY IN NUMBER) IS");
                line("  BEGIN");
                line("    DELETE FROM " + tableName + " WHERE " + key + " = P_KEY;");
                line("  END DO_" + std::to_string(r) + ";");
                line("");
            }
            text += "END " + object.ObjectName + ";";
            break;
        }
        default:
            break;
        }
        object.ObjectText = std::move(text);
    }

    const SyntheticModelShape& m_shape;
    TRandom m_random;
    TNameBook m_names;
    std::unique_ptr<TDBNewOracle> m_model;
    std::vector<double> m_ownerWeights; // cumulative
    std::vector<TTablePlan> m_tables;
    std::vector<std::vector<int>> m_tablesByOwner;
    std::vector<std::vector<int>> m_keyedByOwner;
    std::vector<TObjectItem*> m_others;
    int m_foreignKeys = 0;
    int m_nullChecks = 0;
    int m_checks = 0;
    int m_uniqueKeys = 0;
};

// ---- Mutation ----

class TMutator {
public:
    TMutator(TDBNewOracle& model, std::uint64_t seed)
        : m_model(model)
        , m_random(seed)
    {
    }

    MutationSummary Run(double fraction)
    {
        TObjectList& objects = m_model.Objects();
        const int count = objects.Count();
        const int target = static_cast<int>(
            std::clamp(std::lround(std::clamp(fraction, 0.0, 1.0) * count), 0L, long{count}));
        if (target == 0)
            return m_summary;
        for (int i = 0; i < count; ++i)
            m_names.insert(objects.Items(i)->ObjectName);
        std::vector<int> order(static_cast<size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        for (int i = 0; i < target; ++i)
            std::swap(order[static_cast<size_t>(i)],
                      order[static_cast<size_t>(i + m_random.Below(count - i))]);
        std::vector<TObjectItem*> drops;
        int adds = 0;
        for (int i = 0; i < target; ++i) {
            TObjectItem& object = *objects.Items(order[static_cast<size_t>(i)]);
            const int roll = m_random.Below(100);
            // Synonyms have no text to change: they are dropped, or another object is added.
            const bool synonym = object.ObjectType == ObjectTypes::Synonym;
            if (roll < 6 || (synonym && roll < 56))
                drops.push_back(&object);
            else if (roll < 12 || synonym)
                ++adds;
            else if (object.ObjectType == ObjectTypes::Table)
                MutateTable(object);
            else
                MutateText(object);
        }
        for (TObjectItem* object : drops)
            objects.Remove(object);
        m_summary.DroppedObjects = static_cast<int>(drops.size());
        std::int32_t objectNo = 0;
        for (int i = 0; i < objects.Count(); ++i)
            objectNo = std::max(objectNo, objects.Items(i)->ObjectNo);
        for (int i = 0; i < adds; ++i)
            AddObject(objectNo += m_random.Between(1, 5));
        return m_summary;
    }

private:
    void MutateTable(TObjectItem& table)
    {
        TFieldList& fields = table.ObjectFields();
        const int roll = m_random.Below(100);
        if (fields.Count() == 0 || (roll < 15 && fields.Count() < 255)) {
            AddColumn(table);
        } else if (roll < 45) {
            TFieldItem& field = *fields.Items(m_random.Below(fields.Count()));
            field.FieldName = FreshColumnName(fields);
            ++m_summary.RenamedColumns;
        } else if (roll < 70) {
            ChangeType(*fields.Items(m_random.Below(fields.Count())));
            ++m_summary.ChangedTypes;
        } else if (roll < 80 && fields.Count() > 1) {
            fields.Remove(fields.Items(m_random.Between(1, fields.Count() - 1)));
            ++m_summary.RemovedColumns;
        } else if (roll < 90 && table.ConstraintsIfAny() != nullptr &&
                   table.ConstraintsIfAny()->Count() > 0) {
            TConstraintList& list = *table.ConstraintsIfAny();
            TConstraintItem& constraint = *list.Items(m_random.Below(list.Count()));
            constraint.ObjectState = constraint.ObjectState == ObjectStates::Disabled
                                         ? ObjectStates::Normal
                                         : ObjectStates::Disabled;
            constraint.ObjectText = constraint.GetDisplayText();
            ++m_summary.ChangedConstraints;
        } else if (table.IndexesIfAny() != nullptr && table.IndexesIfAny()->Count() > 0) {
            TIndexList& list = *table.IndexesIfAny();
            TIndexItem& index = *list.Items(m_random.Below(list.Count()));
            index.IndexFields += "," + fields.Items(m_random.Below(fields.Count()))->FieldName;
            index.ObjectText = IndexText(index);
            ++m_summary.ChangedIndexes;
        } else {
            ChangeType(*fields.Items(m_random.Below(fields.Count())));
            ++m_summary.ChangedTypes;
        }
    }

    std::string FreshColumnName(const TFieldList& fields)
    {
        for (;;) {
            std::string name = RandomColumnName(m_random);
            bool taken = false;
            for (int i = 0; i < fields.Count() && !taken; ++i)
                taken = fields.Items(i)->FieldName == name;
            if (!taken)
                return name;
        }
    }

    void ChangeType(TFieldItem& field)
    {
        const std::string before = field.TypeText();
        for (int attempt = 0; attempt < 16 && field.TypeText() == before; ++attempt)
            SetRandomType(field, m_random);
        if (field.TypeText() == before)
            field.Null = field.Null > 0 ? 0 : 1;
    }

    void AddColumn(TObjectItem& table)
    {
        TFieldList& fields = table.ObjectFields();
        const int no = fields.Count() > 0 ? fields.Items(fields.Count() - 1)->FieldNo + 1 : 1;
        TFieldItem* field = fields.NewItem();
        field->FieldNo = no;
        field->ObjectNo = table.ObjectNo;
        field->OID = table.ObjectNo * 256 + no;
        SetRandomType(*field, m_random);
        field->FieldName = FreshColumnName(fields);
        ++m_summary.AddedColumns;
    }

    void MutateText(TObjectItem& object)
    {
        std::string& text = object.ObjectText;
        if (object.ObjectType == ObjectTypes::Sequence) {
            const auto at = text.find(" INCREMENT BY 1\r\n");
            if (at != std::string::npos) {
                text.replace(at, 15, " INCREMENT BY 10");
                ++m_summary.ChangedTexts;
                return;
            }
        }
        const auto lineEnd = text.find(kCrLf);
        if (lineEnd == std::string::npos)
            text += " -- revised";
        else
            text.insert(lineEnd + kCrLf.size(), "  -- revised\r\n");
        ++m_summary.ChangedTexts;
    }

    void AddObject(std::int32_t objectNo)
    {
        TObjectItem* object = m_model.Objects().NewItem();
        object->ObjectNo = objectNo;
        object->OID = objectNo;
        const TOwnerList& owners = m_model.Owners();
        object->OwnerNo =
            owners.Count() > 0 ? owners.Items(m_random.Below(owners.Count()))->OwnerNo : 0;
        const bool table = m_random.Chance(60);
        object->ObjectType = table ? ObjectTypes::Table : ObjectTypes::View;
        std::string name = (table ? "NEW_" : "V_NEW_") + JoinWords(m_random, 2);
        name.resize(std::min<size_t>(name.size(), 26));
        for (int n = 2; !m_names.insert(name).second; ++n)
            name = name.substr(0, 24) + "_" + std::to_string(n);
        object->ObjectName = name;
        if (table) {
            const int columns = m_random.Between(3, 12);
            for (int c = 0; c < columns; ++c)
                AddColumn(*object);
            m_summary.AddedColumns -= columns; // counted as one added object
        } else {
            object->ObjectText = "CREATE OR REPLACE VIEW " + name + " AS SELECT 1 ONE" +
                                 std::string(kCrLf) + "  FROM DUAL";
        }
        ++m_summary.AddedObjects;
    }

    TDBNewOracle& m_model;
    TRandom m_random;
    MutationSummary m_summary;
    std::unordered_set<std::string> m_names;
};

} // namespace

SyntheticModelShape SyntheticModelShape::Scaled(double factor)
{
    SyntheticModelShape shape;
    auto scale = [factor](int value) {
        if (value == 0)
            return 0;
        return std::max(1, static_cast<int>(std::lround(value * factor)));
    };
    shape.Objects = scale(shape.Objects);
    shape.Tables = scale(shape.Tables);
    shape.Columns = scale(shape.Columns);
    shape.Constraints = scale(shape.Constraints);
    shape.Indexes = scale(shape.Indexes);
    shape.Triggers = scale(shape.Triggers);
    return shape;
}

SyntheticModelShape SyntheticModelShape::KeyedTables(int tables, int columnsPerTable,
                                                     int foreignKeys)
{
    SyntheticModelShape shape;
    shape.Owners = 1;
    shape.Objects = tables;
    shape.Tables = tables;
    shape.Columns = tables * columnsPerTable;
    shape.Constraints = tables + foreignKeys;
    shape.Indexes = tables;
    shape.Triggers = 0;
    shape.EvenColumns = true;
    shape.KeyEveryTable = true;
    shape.ForeignKeys = foreignKeys;
    return shape;
}

std::unique_ptr<TDBNewOracle> BuildSyntheticModel(const SyntheticModelShape& shape)
{
    return TSyntheticBuilder(shape).Build();
}

ModelCounts CountModel(const TDBNewOracle& model)
{
    ModelCounts counts;
    counts.Owners = model.Owners().Count();
    const TObjectList& objects = model.Objects();
    counts.Objects = objects.Count();
    for (int i = 0; i < objects.Count(); ++i) {
        const TObjectItem& object = *objects.Items(i);
        if (object.ObjectType == ObjectTypes::Table)
            ++counts.Tables;
        if (const auto* list = object.FieldsIfAny())
            counts.Columns += list->Count();
        if (const auto* list = object.ConstraintsIfAny())
            counts.Constraints += list->Count();
        if (const auto* list = object.IndexesIfAny())
            counts.Indexes += list->Count();
        if (const auto* list = object.TriggersIfAny())
            counts.Triggers += list->Count();
    }
    return counts;
}

MutationSummary MutateModel(TDBNewOracle& model, double fraction, std::uint64_t seed)
{
    return TMutator(model, seed).Run(fraction);
}

} // namespace quorvex
