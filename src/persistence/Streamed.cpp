#include "Streamed.h"

#include "Exceptions.h"
#include "LiveObjects.h"

namespace quorvex {

TStreamed::TStreamed() noexcept
{
    detail::AddLiveObject();
}

TStreamed::~TStreamed()
{
    detail::RemoveLiveObject();
}

const TClassInfo& TStreamed::StaticClass()
{
    static const TClassInfo info = [] {
        TPropInfo version{"Version", TPropKind::Integer};
        version.GetInt = [](const TStreamed& o) { return o.GetVersion(); };
        return MakeClassInfo("TStreamed", nullptr, &CreateInstance<TStreamed>, {version});
    }();
    return info;
}

void TStreamed::Assign(const TStreamed& source)
{
    throw EAbort(messages::CannotAssign(source.ClassName(), ClassName()));
}

std::string TStreamed::GetCreatingText() const
{
    return {};
}

bool TStreamed::CopyPropertyByName(const TStreamed& source, std::string_view name)
{
    const TPropInfo* from = source.ClassInfo().FindProp(name);
    const TPropInfo* to = ClassInfo().FindProp(name);
    if (from == nullptr || to == nullptr || from->Kind != to->Kind || !to->Writable())
        return false;
    switch (to->Kind) {
    case TPropKind::Text:
        to->SetText(*this, std::string(from->GetText(source)));
        return true;
    case TPropKind::DateTime:
        to->SetFloat(*this, from->GetFloat(source));
        return true;
    case TPropKind::Object:
        return false; // nested objects are copied by the classes that own them
    default:
        to->SetInt(*this, from->GetInt(source));
        return true;
    }
}

} // namespace quorvex
