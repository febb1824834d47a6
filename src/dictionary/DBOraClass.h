#pragma once

#include "model/ObjectList.h"
#include "model/OwnerList.h"
#include "persistence/Streamed.h"

#include <memory>
#include <string>

namespace quorvex {

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

    std::unique_ptr<TOwnerList> m_owners;
    std::unique_ptr<TObjectList> m_objects;
};

// Registers the model classes and TDBNewOracle.
void RegisterDictionaryClasses();

} // namespace quorvex
