// Writes an embedded database folder with a large generated dictionary, for benchmarks:
//   quorvex-generate-dictionary --output <folder> [--scale 100k] [--owners N] [--tables N] ...
#include "generate-dictionary-writer.h"
#include "persistence/Exceptions.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using quorvex::tools::DictionarySize;

namespace {

void Usage()
{
    std::fputs(
        "Usage: quorvex-generate-dictionary --output FOLDER [--force] [--scale 100k]\n"
        "         [--owners N] [--tables N] [--columns-per-table N] [--constraints N]\n"
        "         [--indexes N] [--triggers N] [--views N] [--sequences N] [--code N]\n"
        "         [--source-lines N] [--comments N]\n"
        "Writes FOLDER/SYS.sqlite, an embedded dictionary of the given size. Counts are totals\n"
        "over all owners. --scale 100k: 100,000 objects, 1,000,000 columns, 150,000\n"
        "constraints, 50,000 indexes, 20,000 triggers; later options change single counts.\n"
        "--force replaces an existing FOLDER.\n",
        stderr);
}

bool ParseCount(const char* text, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    DictionarySize size;
    std::string output;
    bool force = false;
    const std::pair<const char*, long long DictionarySize::*> counts[] = {
        {"--owners", &DictionarySize::owners},
        {"--tables", &DictionarySize::tables},
        {"--columns-per-table", &DictionarySize::columnsPerTable},
        {"--constraints", &DictionarySize::constraints},
        {"--indexes", &DictionarySize::indexes},
        {"--triggers", &DictionarySize::triggers},
        {"--views", &DictionarySize::views},
        {"--sequences", &DictionarySize::sequences},
        {"--code", &DictionarySize::code},
        {"--source-lines", &DictionarySize::sourceLines},
        {"--comments", &DictionarySize::comments},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            Usage();
            return 0;
        }
        if (option == "--force") {
            force = true;
            continue;
        }
        if (i + 1 >= argc) {
            Usage();
            return 2;
        }
        const char* value = argv[++i];
        if (option == "--output" || option == "-o") {
            output = value;
            continue;
        }
        if (option == "--scale") {
            if (std::string(value) != "100k") {
                std::fprintf(stderr, "Unknown scale %s (known: 100k)\n", value);
                return 2;
            }
            size = quorvex::tools::Scale100k();
            continue;
        }
        bool known = false;
        for (const auto& [name, member] : counts) {
            if (option == name) {
                known = true;
                if (!ParseCount(value, size.*member)) {
                    std::fprintf(stderr, "%s needs a count, not %s\n", name, value);
                    return 2;
                }
            }
        }
        if (!known) {
            std::fprintf(stderr, "Unknown option %s\n", option.c_str());
            Usage();
            return 2;
        }
    }
    if (output.empty()) {
        Usage();
        return 2;
    }

    std::error_code error;
    if (fs::exists(output, error) && !fs::is_empty(output, error)) {
        if (!force) {
            std::fprintf(stderr, "%s exists; --force replaces it\n", output.c_str());
            return 1;
        }
        fs::remove_all(output, error);
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        const auto written = quorvex::tools::GenerateDictionary(output, size);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        long long objects = 0;
        for (const auto& [name, count] : written) {
            if (name.starts_with("TYPE ")) {
                objects += count;
            }
        }
        std::printf("%s: %lld objects in %.2f s, SYS.sqlite %.1f MB\n", output.c_str(), objects,
                    seconds,
                    static_cast<double>(fs::file_size(fs::path(output) / "SYS.sqlite")) / 1e6);
        for (const auto& [name, count] : written) {
            std::printf("  %-10s %lld\n", name.c_str(), count);
        }
    } catch (const quorvex::Exception& e) {
        fs::remove_all(output, error); // no half database is left behind
        std::fprintf(stderr, "quorvex-generate-dictionary: %s\n", e.what());
        return 1;
    }
    return 0;
}
