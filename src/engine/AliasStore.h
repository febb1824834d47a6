#pragma once

#include "AliasConfig.h"
#include "persistence/IniFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The aliases the session offers, read once from an ini file with one section per alias (see
// alias_keys). The built-in alias DEMO (the embedded demo database in the user's data folder,
// logging in as SCOTT) is always listed first unless the file defines its own DEMO. Alias names
// compare without regard to case.
class TAliasStore {
public:
    static constexpr std::string_view kDemoAlias = "DEMO";

    explicit TAliasStore(std::string fileName);

    // $QUORVEX_ALIASES when set, else quorvex/aliases.ini in the user's configuration folder.
    static std::string DefaultFileName();
    // quorvex/demo in the user's data folder.
    static std::string DefaultDemoFolder();

    const std::string& FileName() const { return m_ini.FileName(); }

    std::vector<std::string> Names() const;
    std::optional<TAliasConfig> Find(std::string_view name) const;
    // Find, or an Exception "Alias <name> not found".
    TAliasConfig Get(std::string_view name) const;
    // DRIVER, "ORACLE" when the alias gives none.
    std::string Driver(std::string_view name) const;
    // Every entry but DRIVER as "key=value", in file order.
    std::vector<std::string> Params(std::string_view name) const;

private:
    bool FileDefinesDemo() const { return m_ini.SectionExists(kDemoAlias); }

    TIniFile m_ini;
};

} // namespace quorvex
