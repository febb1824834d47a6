#include "DBOraClass.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "ReadPhase.h"
#include "SchemaReader.h"
#include "SourceReader.h"
#include "TextReader.h"
#include "model/ModelClasses.h"
#include "persistence/ClassRegistry.h"
#include "persistence/Exceptions.h"

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
        owners.ObtainObject = [](TStreamed& o) -> TStreamed* {
            return &static_cast<T&>(o).Owners();
        };
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

namespace {
TQuery& RequireQuery(TQuery* query)
{
    if (query == nullptr)
        throw Exception("The schema model has no database query to read through");
    return *query;
}
} // namespace

std::string TDBNewOracle::HintPrefix() const
{
    if (UseRule)
        return "SELECT /*+RULE*/ ";
    if (UseOrdered)
        return "SELECT /*+ORDERED*/ ";
    return "SELECT ";
}

void TDBNewOracle::FindUserNo()
{
    UserNo.clear();
    if (IncludeSys)
        return;
    TQuery& query = RequireQuery(m_query);
    TReadPhase phase(query, {}, {});
    phase.SetText(queries::kAllUsers);
    phase.Open();
    const int name = query.FieldIndex("NAME");
    const int number = query.FieldIndex("USER#");
    if (name < 0 || number < 0)
        return;
    for (; !query.Eof(); query.Next()) {
        if (query.AsText(name) == UserName) {
            UserNo = query.AsText(number);
            return;
        }
    }
}

double TDBNewOracle::DatabaseTime()
{
    TQuery& query = RequireQuery(m_query);
    TReadPhase phase(query, {}, {});
    phase.SetText(queries::kDatabaseTime);
    phase.Open();
    return query.AsDateTime(0);
}

void TDBNewOracle::LoadSchema(const TProgress& progress)
{
    TQuery& query = RequireQuery(m_query);
    FindUserNo();
    TSchemaReader structure(*this, query, progress);
    TTextReader texts(*this, query, progress);
    Clear();
    structure.ReadOwners();
    structure.ReadObjects();
    texts.ReadTriggers();
    texts.ReadViews();
    structure.ReadFields();
    structure.ReadComments();
    structure.ReadConstraints();
    texts.ReadSequences();
    structure.AttachComments();
    structure.AttachFields();
    structure.AttachConstraints();
    texts.ReadIndexes();
    SchemaLoaded = DatabaseTime();
}

void TDBNewOracle::LoadSource(const TProgress& progress)
{
    TQuery& query = RequireQuery(m_query);
    FindUserNo();
    TSourceReader(*this, query, progress).ReadAndAttach();
    SourceLoaded = DatabaseTime();
}

void RegisterDictionaryClasses()
{
    RegisterModelClasses();
    RegisterClass(TDBNewOracle::StaticClass());
}

} // namespace quorvex
