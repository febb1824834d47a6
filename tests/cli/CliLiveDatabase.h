#pragma once

#include "TestSupport.h"

#include <string>

namespace quorvex::test {

// The demo database built in a temporary folder and an aliases file that names it DEMO (an
// embedded alias of its own, so the built-in DEMO in the user's folder is never used), plus
// PROD (OCI), REPORTS (ODBC) and LEGACY (another driver). Built once per process.
class TLiveDemo {
public:
    static const TLiveDemo& Get();

    const std::string& AliasFile() const { return m_aliasFile; }

private:
    TLiveDemo();

    TempDir m_dir;
    std::string m_aliasFile;
};

// The alias lines "aliases" prints for that file.
inline constexpr const char* kLiveDemoAliasList = "DEMO\tORACLE\tEMBEDDED\n"
                                                  "PROD\tORACLE\tOCI\n"
                                                  "REPORTS\tORACLE\tODBC\n"
                                                  "LEGACY\tSYBASE\tEMBEDDED\n";

// The captions of reading structure, then source, one a line.
std::string ReadingCaptions(bool withSource);

} // namespace quorvex::test
