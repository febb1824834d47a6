#pragma once

#include <string>
#include <vector>

namespace quorvex {

// An embedded database is a folder: SYS.sqlite holds the dictionary tables (named and laid
// out as Oracle's SYS tables), and <USER>.sqlite, for each user with data tables, holds that
// user's tables and views.

// One SQL script and the database file it runs in: "SYS" for the dictionary, else the user
// name of the data file <USER>.sqlite.
struct EmbeddedScript {
    std::string database;
    std::string sql;
};

// Name of the file in a demo folder that holds the version it was built with.
inline constexpr const char* kDemoVersionFile = "DEMO_VERSION";
// Version of the demo scripts; raise it whenever a script changes, so that existing demo
// folders are rebuilt.
inline constexpr int kDemoDatabaseVersion = 2;

// The schema of the dictionary tables, with SYS, PUBLIC and DUAL (data/dictionary.sql).
std::string DictionarySchemaSql();

// The demo database's scripts (users SYSTEM, SCOTT and HR) in running order.
std::vector<EmbeddedScript> DemoScripts();

// Creates `folder` (it must not exist, or be empty), runs the dictionary schema in SYS.sqlite,
// then every script in order, each in one transaction. Throws Exception on failure, leaving
// whatever was built so far (EnsureEmbeddedDatabase builds aside and renames).
void BuildEmbeddedDatabase(const std::string& folder, const std::vector<EmbeddedScript>& scripts);

// Returns `folder` once it holds a database built from `scripts` whose version marker is at
// least `version`. Otherwise builds it into a temporary folder beside it and renames that into
// place (replacing an older one), so a failed or interrupted build never leaves a half
// database under the name. Throws Exception on failure.
std::string EnsureEmbeddedDatabase(const std::string& folder,
                                   const std::vector<EmbeddedScript>& scripts, int version);

// EnsureEmbeddedDatabase with the demo scripts and kDemoDatabaseVersion.
std::string EnsureDemoDatabase(const std::string& folder);

} // namespace quorvex
