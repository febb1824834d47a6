#include "DemoDatabase.h"

#include "SqliteFile.h"
#include "persistence/Exceptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvex {

namespace {

std::string ReadResource(const char* name)
{
    QFile file(QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(std::string("The built-in script ") + name + " is missing");
    }
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The version written into a demo folder, 0 when there is none or it cannot be read.
int MarkerVersion(const fs::path& folder)
{
    std::ifstream in(folder / kDemoVersionFile);
    int version = 0;
    if (!(in >> version)) {
        return 0;
    }
    return version;
}

void WriteMarker(const fs::path& folder, int version)
{
    std::ofstream out(folder / kDemoVersionFile, std::ios::trunc);
    out << version << '\n';
    out.close();
    if (!out) {
        throw Exception("Cannot write " + (folder / kDemoVersionFile).string());
    }
}

// A name beside `folder` that no other build uses: folder name + tag + process + random.
fs::path SiblingName(const fs::path& folder, const char* tag)
{
    const auto unique = std::to_string(QCoreApplication::applicationPid()) + "-" +
                        std::to_string(QRandomGenerator::global()->generate());
    return folder.parent_path() / (folder.filename().string() + tag + unique);
}

// Removes what interrupted builds left beside `folder` more than an hour ago; a build still
// running elsewhere is younger and stays.
void RemoveStaleSiblings(const fs::path& folder)
{
    std::error_code error;
    const auto prefixBuilding = folder.filename().string() + ".building-";
    const auto prefixOld = folder.filename().string() + ".old-";
    const auto limit = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::directory_iterator(folder.parent_path(), error)) {
        const auto name = entry.path().filename().string();
        if ((name.starts_with(prefixBuilding) || name.starts_with(prefixOld)) &&
            entry.last_write_time(error) < limit && !error) {
            fs::remove_all(entry.path(), error);
        }
    }
}

fs::path Normalized(const std::string& folder)
{
    fs::path path = fs::absolute(fs::path(folder)).lexically_normal();
    if (!path.has_filename()) {
        path = path.parent_path(); // a trailing separator
    }
    return path;
}

} // namespace

std::string DictionarySchemaSql()
{
    return ReadResource(":/data/dictionary.sql");
}

std::vector<EmbeddedScript> DemoScripts()
{
    return {
        {"SYS", ReadResource(":/data/demo/users.sql")},
        {"SYS", ReadResource(":/data/demo/system-dictionary.sql")},
        {"SYSTEM", ReadResource(":/data/demo/system-data.sql")},
        {"SYS", ReadResource(":/data/demo/scott-dictionary.sql")},
        {"SCOTT", ReadResource(":/data/demo/scott-data.sql")},
        {"SYS", ReadResource(":/data/demo/hr-dictionary.sql")},
        {"HR", ReadResource(":/data/demo/hr-data.sql")},
    };
}

void BuildEmbeddedDatabase(const std::string& folder, const std::vector<EmbeddedScript>& scripts)
{
    const fs::path path(folder);
    std::error_code error;
    fs::create_directories(path, error);
    if (error) {
        throw Exception("Cannot create the folder " + folder + ": " + error.message());
    }
    if (!fs::is_empty(path, error)) {
        throw Exception("Cannot build an embedded database in " + folder +
                        ": the folder is not empty");
    }
    try {
        SqliteFile((path / "SYS.sqlite").string()).ExecuteInTransaction(DictionarySchemaSql());
        for (const auto& script : scripts) {
            SqliteFile((path / (script.database + ".sqlite")).string())
                .ExecuteInTransaction(script.sql);
        }
    } catch (const Exception& e) {
        throw Exception("Cannot build the embedded database in " + folder + ": " + e.what());
    }
}

std::string EnsureEmbeddedDatabase(const std::string& folder,
                                   const std::vector<EmbeddedScript>& scripts, int version)
{
    const fs::path target = Normalized(folder);
    if (MarkerVersion(target) >= version) {
        return folder;
    }
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    if (error) {
        throw Exception("Cannot create the folder " + target.parent_path().string() + ": " +
                        error.message());
    }
    RemoveStaleSiblings(target);

    // The marker is written last: a folder that has it is complete.
    const fs::path building = SiblingName(target, ".building-");
    try {
        BuildEmbeddedDatabase(building.string(), scripts);
        WriteMarker(building, version);
    } catch (...) {
        fs::remove_all(building, error);
        throw;
    }

    // Move an outdated database aside, then put the new one in its place.
    fs::path outdated;
    if (fs::exists(target, error)) {
        outdated = SiblingName(target, ".old-");
        fs::rename(target, outdated, error);
        if (error) {
            fs::remove_all(building, error);
            throw Exception("Cannot replace the embedded database in " + folder + ": " +
                            error.message());
        }
    }
    fs::rename(building, target, error);
    if (error) {
        // Another process may have put its own build in place meanwhile; it is as good.
        const std::string reason = error.message();
        fs::remove_all(building, error);
        if (MarkerVersion(target) < version) {
            if (!outdated.empty()) {
                fs::rename(outdated, target, error); // give the old one back
            }
            throw Exception("Cannot create the embedded database in " + folder + ": " + reason);
        }
    }
    if (!outdated.empty()) {
        fs::remove_all(outdated, error);
    }
    return folder;
}

std::string EnsureDemoDatabase(const std::string& folder)
{
    return EnsureEmbeddedDatabase(folder, DemoScripts(), kDemoDatabaseVersion);
}

} // namespace quorvex
