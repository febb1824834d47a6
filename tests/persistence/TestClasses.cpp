#include "TestClasses.h"

#include "dictionary/DBOraClass.h"
#include "persistence/ClassRegistry.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace quorvex::test {

namespace {
constexpr std::array<std::string_view, 4> kStyleNames{"Bold", "Italic", "Underline", "StrikeOut"};
} // namespace

const TClassInfo& TSampleObject::StaticClass()
{
    using T = TSampleObject;
    static const TClassInfo info =
        MakeClassInfo("TSampleObject", &TStreamed::StaticClass(), &CreateInstance<T>,
                      {CharProp<&T::Letter>("Letter"), SetProp<&T::Styles>("Styles", kStyleNames),
                       IntegerProp<&T::Number>("Number"), TextProp<&T::Caption>("Caption"),
                       BooleanProp<&T::Enabled>("Enabled"), DateTimeProp<&T::Stamp>("Stamp")});
    return info;
}

const TClassInfo& TExplodingObject::StaticClass()
{
    using T = TExplodingObject;
    static const TClassInfo info = [] {
        TPropInfo trap{"Trap", TPropKind::Text};
        trap.GetText = [](const TStreamed& o) -> std::string_view {
            if (static_cast<const T&>(o).Explode)
                throw std::runtime_error("trap sprung");
            return "quiet";
        };
        return MakeClassInfo("TExplodingObject", &TStreamed::StaticClass(), &CreateInstance<T>,
                             {TextProp<&T::Payload>("Payload"), trap});
    }();
    return info;
}

TRecordingItem::~TRecordingItem()
{
    DestroyedOIDs().push_back(OID);
}

const TClassInfo& TRecordingItem::StaticClass()
{
    static const TClassInfo info = MakeClassInfo("TRecordingItem", &TCleanItem::StaticClass(),
                                                 &CreateInstance<TRecordingItem>, {});
    return info;
}

std::vector<std::int32_t>& TRecordingItem::DestroyedOIDs()
{
    static std::vector<std::int32_t> oids;
    return oids;
}

void RegisterAllTestClasses()
{
    RegisterDictionaryClasses();
    RegisterClass(TSampleObject::StaticClass());
    RegisterClass(TExplodingObject::StaticClass());
    RegisterClass(TRecordingItem::StaticClass());
}

} // namespace quorvex::test
