#pragma once

#include "engine/FieldValue.h"
#include "engine/StatementParams.h"
#include "engine/emulation/StatementTokens.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace quorvex::emulation {

// One value of a result row, owning its text.
struct TValue {
    TFieldValue::TKind Kind = TFieldValue::TKind::Null;
    std::int64_t Integer = 0;
    double Real = 0;
    std::string Text;

    bool IsNull() const { return Kind == TFieldValue::TKind::Null; }
    // Numbers as integers (reals truncated), texts parsed; 0 for null or other text.
    std::int64_t AsInteger() const;
    // Texts as they are, numbers in decimal; empty for null.
    std::string AsText() const;
};
using TRow = std::vector<TValue>;

// Runs one statement with `values` bound to its "?" in order. Failures are Exceptions carrying
// SQLite's message.
void RunStatement(sqlite3* db, std::string_view sql, const std::vector<TParamValue>& values = {});
std::vector<TRow> QueryRows(sqlite3* db, std::string_view sql,
                            const std::vector<TParamValue>& values = {});
// The first column of the first row as an integer; nothing when there is no row or a null.
std::optional<std::int64_t> QueryInteger(sqlite3* db, std::string_view sql,
                                         const std::vector<TParamValue>& values = {});
// The first column of the first row as text; nothing when there is no row or a null.
std::optional<std::string> QueryText(sqlite3* db, std::string_view sql,
                                     const std::vector<TParamValue>& values = {});

// Makes one emulated statement all or nothing: what ran since the savepoint is undone when
// it goes out of scope without Release. Savepoints nest inside a running transaction.
class TSavepoint {
public:
    explicit TSavepoint(sqlite3* db);
    ~TSavepoint();
    TSavepoint(const TSavepoint&) = delete;
    TSavepoint& operator=(const TSavepoint&) = delete;

    void Release();
    void Rollback();

private:
    sqlite3* m_db;
    bool m_open = true;
};

// One row of SYS."OBJ$".
struct TDictionaryObject {
    std::int64_t ObjNo = 0;
    int Type = 0;
    int Status = 1;
};

// One row of SYS."CON$".
struct TDictionaryConstraint {
    std::int64_t ConNo = 0;
    std::string Name;
};

// Constraint type numbers of CDEF$."TYPE#".
namespace constraint_types {
inline constexpr int kCheck = 1;
inline constexpr int kPrimaryKey = 2;
inline constexpr int kUnique = 3;
inline constexpr int kForeignKey = 4;
inline constexpr int kViewCheckOption = 5;
inline constexpr int kViewReadOnly = 6;
inline constexpr int kNotNull = 7;
} // namespace constraint_types

// Object type numbers of OBJ$."TYPE#".
namespace object_types {
inline constexpr int kIndex = 1;
inline constexpr int kTable = 2;
inline constexpr int kView = 4;
inline constexpr int kSynonym = 5;
inline constexpr int kSequence = 6;
inline constexpr int kProcedure = 7;
inline constexpr int kFunction = 8;
inline constexpr int kPackage = 9;
inline constexpr int kPackageBody = 11;
inline constexpr int kTrigger = 12;
inline constexpr int kType = 13;
inline constexpr int kTypeBody = 14;
} // namespace object_types

// OBJ$."STATUS" of an object compiled with errors.
inline constexpr int kStatusInvalid = 5;

// The dictionary tables of an embedded database (attached as SYS) and the schema files around
// them, as the emulated statements change them together.
class TDictionary {
public:
    TDictionary(sqlite3* db, std::string folder, std::string loginUser);

    sqlite3* Db() const { return m_db; }
    const std::string& LoginUser() const { return m_loginUser; }

    // USER$."USER#" of a user or role; ORA-01918 when there is none.
    std::int64_t UserNo(const std::string& user) const;
    // The owner a name stands for: its schema, else the login user.
    std::string OwnerOf(const TObjectName& name) const;
    bool IsAttached(const std::string& schema) const;
    // Attaches <folder>/<SCHEMA>.sqlite under the schema's name when it is not attached yet,
    // creating the file when missing. Must not run inside a transaction.
    void Attach(const std::string& schema);
    // Detaches the schema's file when it is attached. Must not run inside a transaction.
    void Detach(const std::string& schema);
    // <folder>/<SCHEMA>.sqlite, the file of a schema.
    std::string SchemaPath(const std::string& schema) const;

    std::optional<TDictionaryObject> Find(std::int64_t ownerNo, std::string_view name,
                                          std::initializer_list<int> types) const;
    // An object of the owner sharing the name's namespace (the namespace of `type`).
    bool NameUsed(std::int64_t ownerNo, std::string_view name, int type) const;
    // A new OBJ$ row, valid or not, dated now; returns its number.
    std::int64_t AddObject(std::int64_t ownerNo, std::string_view name, int type, int status);
    // A new CON$ and CDEF$ row, enabled; an empty name gets a system name SYS_Cnnnnnn.
    // ORA-02264 when the owner already has a constraint of that name.
    TDictionaryConstraint AddConstraint(std::int64_t ownerNo, std::string name, std::int64_t objNo,
                                        int type, int columns,
                                        const std::optional<std::string>& condition);
    // A CCOL$ row: the constraint's column at a position (none for check constraints).
    void AddConstraintColumn(std::int64_t conNo, std::int64_t objNo, std::int64_t colNo,
                             std::optional<int> position);
    void SetStatus(std::int64_t objNo, int status);
    // An object replaced by CREATE OR REPLACE: changed now (MTIME, STIME), with its new status.
    void SetReplaced(std::int64_t objNo, int status);
    // Removes everything the dictionary holds under the object number, the object's own
    // constraints included.
    void Purge(std::int64_t objNo);
    void PurgeConstraint(std::int64_t conNo);

    // An object of SQLite's schema table ("table", "view", "index", "trigger") in a schema file.
    bool SqliteObjectExists(const std::string& schema, std::string_view name,
                            std::string_view type) const;

private:
    void SetCacheSize(const std::string& schema) const;

    sqlite3* m_db;
    std::string m_folder;
    std::string m_loginUser;
};

// Namespace of an object type: indexes, package bodies and triggers have their own.
int NamespaceOf(int type);

} // namespace quorvex::emulation
