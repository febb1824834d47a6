#include "CliLiveDatabase.h"

#include "engine/demo/DemoDatabase.h"

namespace quorvex::test {

const TLiveDemo& TLiveDemo::Get()
{
    static const TLiveDemo demo;
    return demo;
}

TLiveDemo::TLiveDemo()
{
    const std::string folder = EnsureDemoDatabase(m_dir.File("demo"));
    m_aliasFile = m_dir.File("aliases.ini");
    WriteFileBytes(m_aliasFile, "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + folder +
                                    "\nUSER NAME=SCOTT\n"
                                    "[PROD]\nDRIVER=ORACLE\nHOST=db.example.com\nPORT=1521\n"
                                    "SERVICE NAME=ORCL\n"
                                    "[REPORTS]\nDRIVER=ORACLE\nDSN=reports\n"
                                    "[LEGACY]\nDRIVER=SYBASE\nPATH=/nowhere\n");
}

std::string ReadingCaptions(bool withSource)
{
    std::string text = "Reading Owners...\nSorting Owners...\nReading Objects...\n"
                       "Sorting Objects...\nReading Triggers...\nReading Views...\n"
                       "Reading Fields...\nSorting Fields...\nReading Comments...\n"
                       "Sorting Comments...\nReading Constraints...\nReading Sequences...\n"
                       "Attaching Comments...\nAttaching Fields...\nAttaching Constraints...\n"
                       "Reading Indexes...\n";
    if (withSource)
        text += "Reading Source...\nSorting Source...\nAttaching Source...\n";
    return text;
}

} // namespace quorvex::test
