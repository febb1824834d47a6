// libFuzzer entry point for the layout reader and the ini reader, also replayed over the seed
// corpus by a test.

#include "LayoutReaderFuzzer.h"

#include "diagram/DiagramDocument.h"
#include "diagram/LayoutFile.h"
#include "persistence/Exceptions.h"
#include "persistence/IniFile.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace quorvex::fuzz {

namespace {

// Tables measure their names: fonts need an application, here without a display.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "quorvex-layout-fuzzer";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication application(argc, argv);
    }
}

void ReadAsIni(std::string_view bytes)
{
    static QTemporaryDir folder;
    const std::string file = folder.filePath(QStringLiteral("fuzz.ini")).toStdString();
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    try {
        TIniFile ini(file);
        for (const std::string& section : ini.Sections())
            ini.Entries(section);
        // What was read must be written back readable.
        (void)ini.Text();
    } catch (const Exception&) {
    }
}

void CheckLines(const TDiagramDocument& document)
{
    for (const auto& component : document.Components()) {
        if (component->IsTable())
            continue;
        const auto& line = static_cast<const TGDBLine&>(*component);
        const TGDBComponent* ends[] = {line.FromTable(), line.ToTable()};
        for (const TGDBComponent* end : ends) {
            if (end == nullptr || !end->IsTable())
                throw std::logic_error("a loaded line ends on something that is not a table");
        }
    }
}

} // namespace

bool LoadLayoutBytes(std::string_view bytes)
{
    EnsureApplication();
    ReadAsIni(bytes);
    TDiagramDocument document;
    try {
        LoadLayoutText(document, bytes, "fuzz", {0, 0});
    } catch (const Exception&) {
        CheckLines(document);
        return false;
    }
    CheckLines(document);
    // Whatever was loaded saves, and the saved text loads back to the same diagram.
    const std::string saved = LayoutText(document);
    TDiagramDocument again;
    LoadLayoutText(again, saved, "saved", {0, 0});
    if (LayoutText(again) != saved)
        throw std::logic_error("a saved layout did not load back the same");
    return true;
}

} // namespace quorvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quorvex::fuzz::LoadLayoutBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
