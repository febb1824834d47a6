#pragma once

#include "model/ObjectList.h"
#include "model/OwnerList.h"
#include "persistence/Streamed.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex {

class TQuery;

// Called with each reading caption ("Reading Objects...") before the work it names.
using TProgress = std::function<void(std::string_view caption)>;

// The root of the schema model: every owner and every object read, the reading switches,
// and when structure and source were last read. It is what a snapshot file stores.
class TDBNewOracle : public TStreamed {
public:
    TDBNewOracle();
    ~TDBNewOracle() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    // Resets to a new, empty model: no user name, empty lists, never read.
    void Initialize();
    // Frees every object and owner; structure and source count as never read.
    void Clear();

    // The query every reading phase runs through; not owned.
    void SetQuery(TQuery* query) noexcept { m_query = query; }
    TQuery* Query() const noexcept { return m_query; }

    // Reads the structure from the data dictionary, one query per phase: owners, objects,
    // triggers, views, columns, comments, constraints, sequences, then attaches comments,
    // columns and constraints to their objects and reads the indexes. Phases that fail leave
    // their part of the model empty; finding the user and the database time pass errors on.
    void LoadSchema(const TProgress& progress);
    // Reads the stored source of procedures, functions and packages; passes errors on.
    void LoadSource(const TProgress& progress);

    // "SELECT /*+RULE*/ ", "SELECT /*+ORDERED*/ " or "SELECT "; the rule hint wins.
    std::string HintPrefix() const;
    // Looks the logged-in user's number up in SYS."USER$" (not when IncludeSys is set).
    void FindUserNo();
    // The database's current time as a day number.
    double DatabaseTime();
    // Whether the phases read only the logged-in user's schema.
    bool Restricted() const noexcept { return !IncludeSys && !UserNo.empty(); }

    TOwnerList& Owners() noexcept { return *m_owners; }
    const TOwnerList& Owners() const noexcept { return *m_owners; }
    TObjectList& Objects() noexcept { return *m_objects; }
    const TObjectList& Objects() const noexcept { return *m_objects; }

    std::string UserNo; // decimal user number of the logged-in user, or empty
    bool UseRule = false;
    bool UseOrdered = false;
    bool IncludeSys = false;
    double SchemaLoaded = 0; // database time of the last structure read; 0 = never
    double SourceLoaded = 0; // database time of the last source read; 0 = never
    std::string UserName;

    // Where the model came from: alias + "." + user after a login, or a snapshot file name.
    // Not stored.
    std::string SourceName;

private:
    const TOwnerList* OwnersIfAny() const noexcept { return m_owners.get(); }
    const TObjectList* ObjectsIfAny() const noexcept { return m_objects.get(); }

    TQuery* m_query = nullptr;
    std::unique_ptr<TOwnerList> m_owners;
    std::unique_ptr<TObjectList> m_objects;
};

// Registers the model classes and TDBNewOracle.
void RegisterDictionaryClasses();

} // namespace quorvex
