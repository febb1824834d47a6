#include "DumpModel.h"

#include "model/DefaultItem.h"
#include "model/OwnerItem.h"
#include "model/TextLines.h"
#include "persistence/CleanList.h"

#include <string_view>

namespace quorvex::test {
namespace {

// Lines at CR LF, CR or LF, each behind the indent and the prefix.
void AppendLines(std::string& out, std::string_view text, const std::string& indent,
                 std::string_view prefix)
{
    for (const std::string_view line : SplitLines(text)) {
        out += indent;
        out += prefix;
        out += line;
        out += '\n';
    }
}

void Dump(const TStreamed& object, int depth, std::string& out);

void DumpNested(const TStreamed& object, int depth, std::string& out)
{
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        if (prop.Kind != TPropKind::Object || prop.GetObject == nullptr)
            continue;
        const TStreamed* nested = prop.GetObject(object);
        if (nested == nullptr)
            continue;
        const auto* list = dynamic_cast<const TCleanList*>(nested);
        if (list != nullptr && list->Count() == 0)
            continue;
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + std::string(prop.Name) + ":\n";
        Dump(*nested, depth + 1, out);
    }
    if (const auto* list = dynamic_cast<const TCleanList*>(&object)) {
        for (int i = 0; i < list->Count(); ++i)
            Dump(*list->Items(i), depth, out);
    }
}

void Dump(const TStreamed& object, int depth, std::string& out)
{
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    if (const auto* item = dynamic_cast<const TDefaultItem*>(&object)) {
        out += indent + object.ClassName() + " " + item->GetKey() + " [" +
               std::to_string(item->ObjectState) + "]\n";
        AppendLines(out, item->GetCreatingText(), indent + "    ", "| ");
        AppendLines(out, item->ComparisonText(), indent + "    ", "~ ");
        DumpNested(object, depth + 1, out);
        return;
    }
    if (dynamic_cast<const TCleanList*>(&object) == nullptr) {
        const auto* owner = dynamic_cast<const TOwnerItem*>(&object);
        out += indent + object.ClassName() + (owner ? " " + owner->GetName() : "") + "\n";
        AppendLines(out, object.GetCreatingText(), indent + "    ", "| ");
        DumpNested(object, depth + 1, out);
        return;
    }
    DumpNested(object, depth, out);
}

} // namespace

std::string DumpModel(const TStreamed& root)
{
    std::string out;
    Dump(root, 0, out);
    return out;
}

} // namespace quorvex::test
