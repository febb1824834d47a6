// A schema script on the embedded engine: N tables of 12 columns, each with a primary key, a
// foreign key to the table before it and two comments, written as SQL*Plus scripts are and run
// through the script runner as SCOTT on a fresh demo database in a temporary folder.
//
//   quorvex-bench-script [--tables N]        (default 10000; target 30 s for 10000)

#include "BenchMeasures.h"
#include "dictionary/ScriptRunner.h"
#include "engine/QtSession.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

std::string Script(int tables)
{
    std::string text = "REM generated schema\nSET ECHO OFF\n";
    for (int i = 0; i < tables; ++i) {
        const std::string t = "T" + std::to_string(i);
        text += "CREATE TABLE " + t + "\n  ( ID NUMBER(10) NOT NULL\n  , PARENT_ID NUMBER(10)\n";
        for (int c = 1; c <= 10; ++c)
            text += "  , C" + std::to_string(c) + (c % 2 ? " VARCHAR2(40)\n" : " NUMBER(12,2)\n");
        text += "  , CONSTRAINT " + t + "_PK PRIMARY KEY (ID)\n  );\n";
        const std::string parent = i == 0 ? t : "T" + std::to_string(i - 1);
        text += "ALTER TABLE " + t + " ADD ( CONSTRAINT " + t + "_FK FOREIGN KEY (PARENT_ID)\n" +
                "  REFERENCES " + parent + " (ID) );\n";
        text += "COMMENT ON TABLE " + t + " IS 'Table number " + std::to_string(i) + "';\n";
        text += "COMMENT ON COLUMN " + t + ".C1 IS 'The first column''s comment';\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    int tables = 10000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--tables")
            tables = std::atoi(argv[i + 1]);
    }
    QTemporaryDir home;
    // The built-in DEMO alias builds its database in the data folder on first use.
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("QUORVEX_ALIASES", (home.path() + "/aliases.ini").toUtf8());
    QCoreApplication app(argc, argv);

    const std::string fileName = (home.path() + "/schema.sql").toStdString();
    std::ofstream(fileName, std::ios::binary) << Script(tables);

    TQtSession session;
    session.SetAlias("DEMO");
    session.SetLoginCallback([](TLoginParams& login) {
        login.UserName = "SCOTT";
        login.Password = "tiger";
    });
    session.Open();

    TScriptRunner runner(session);
    runner.SetFailureReport(
        [](const std::string& report) { std::fprintf(stderr, "%s\n", report.c_str()); });
    const TStopwatch watch;
    runner.Run(fileName);
    const TTime time = watch.Elapsed();
    std::printf("%d tables, %d statements, %d failed\n", tables, runner.StatementsRun(),
                runner.Failures());
    const bool pass = PrintTime("script run", time, 30000.0 * tables / 10000);
    return pass && runner.Failures() == 0 ? 0 : 1;
}
