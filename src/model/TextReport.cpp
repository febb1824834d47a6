#include "TextReport.h"

#include "TextLines.h"
#include "persistence/ByteStream.h"
#include "persistence/CleanList.h"

namespace quorvex {

namespace {

void Visit(const TStreamed& object, TByteSink& sink)
{
    if (object.InheritsFrom(TCleanItem::StaticClass())) {
        const std::string text = NormalizeLineBreaks(object.GetCreatingText());
        if (!text.empty()) {
            sink.Write(text);
            sink.Write("\r\n");
        }
    }
    // An absent nested list would be created empty by reading it, and would write nothing.
    for (const TPropInfo& p : object.ClassInfo().Props) {
        if (p.Kind != TPropKind::Object)
            continue;
        if (const TStreamed* nested = p.GetObject(object))
            Visit(*nested, sink);
    }
    if (object.ClassInfo().IsList()) {
        const auto& list = static_cast<const TCleanList&>(object);
        for (int i = 0; i < list.Count(); ++i)
            Visit(*list.Items(i), sink);
    }
}

} // namespace

void WriteTextReport(const TStreamed& root, TByteSink& sink)
{
    Visit(root, sink);
    sink.Flush();
}

void SaveAsText(const TStreamed& root, const std::string& fileName)
{
    TSafeFileSink sink(fileName);
    WriteTextReport(root, sink);
    sink.Commit();
}

} // namespace quorvex
