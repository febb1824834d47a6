#include "DBOraClass.h"

#include "model/ModelClasses.h"
#include "persistence/ClassRegistry.h"

namespace quorvex {

TDBNewOracle::TDBNewOracle()
{
    Initialize();
}

TDBNewOracle::~TDBNewOracle()
{
    m_objects.reset();
    m_owners.reset();
}

const TClassInfo& TDBNewOracle::StaticClass()
{
    static const TClassInfo info = [] {
        using T = TDBNewOracle;
        TPropInfo owners{"Owners", TPropKind::Object};
        owners.GetObject = [](const TStreamed& o) -> const TStreamed* {
            return static_cast<const T&>(o).OwnersIfAny();
        };
        owners.ObtainObject = [](TStreamed& o) -> TStreamed* { return &static_cast<T&>(o).Owners(); };
        owners.ObjectClass = [] { return &TOwnerList::StaticClass(); };
        TPropInfo objects{"Objects", TPropKind::Object};
        objects.GetObject = [](const TStreamed& o) -> const TStreamed* {
            return static_cast<const T&>(o).ObjectsIfAny();
        };
        objects.ObtainObject = [](TStreamed& o) -> TStreamed* {
            return &static_cast<T&>(o).Objects();
        };
        objects.ObjectClass = [] { return &TObjectList::StaticClass(); };
        return MakeClassInfo("TDBNewOracle", &TStreamed::StaticClass(), &CreateInstance<T>,
                             {TextProp<&T::UserNo>("UserNo"), BooleanProp<&T::UseRule>("UseRule"),
                              BooleanProp<&T::UseOrdered>("UseOrdered"),
                              BooleanProp<&T::IncludeSys>("IncludeSys"),
                              DateTimeProp<&T::SchemaLoaded>("SchemaLoaded"),
                              DateTimeProp<&T::SourceLoaded>("SourceLoaded"), owners, objects,
                              TextProp<&T::UserName>("UserName")});
    }();
    return info;
}

void TDBNewOracle::Initialize()
{
    UserName.clear();
    m_objects.reset();
    m_owners.reset();
    m_owners = std::make_unique<TOwnerList>();
    m_objects = std::make_unique<TObjectList>();
    SchemaLoaded = 0;
    SourceLoaded = 0;
}

void TDBNewOracle::Clear()
{
    m_owners->Clear();
    m_objects->Clear();
    SchemaLoaded = 0;
    SourceLoaded = 0;
}

void RegisterDictionaryClasses()
{
    RegisterModelClasses();
    RegisterClass(TDBNewOracle::StaticClass());
}

} // namespace quorvex
