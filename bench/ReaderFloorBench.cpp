// The floor under a dictionary read (see README.md): every statement LoadSchema and LoadSource
// send, run through the engine's TQuery with every column of every row read once (as an integer
// or a text, the way the reader reads it) and nothing built. The reader cannot be faster than
// this; quorvex-bench-reader reports how close it comes.
//
//   quorvex-bench-reader-floor FOLDER [--user NAME --password TEXT] [--restricted] [--runs N]

#include "BenchMeasures.h"
#include "dictionary/DictionaryQueries.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvex;
using namespace quorvex::bench;
namespace q = quorvex::queries;

// One statement and how each of its columns is read: I integer, T text, D date-time.
struct TStatement {
    std::string Name;
    std::string Sql;
    std::string Columns; // empty: every column as text (SELECT *)
    bool BindsUser = false;
};

std::vector<TStatement> ReaderStatements(bool restricted, const std::string& userNo)
{
    const std::string h = "SELECT "; // the reader's default: no hint
    std::vector<TStatement> list;
    if (restricted)
        list.push_back({"Users", std::string(q::kAllUsers), ""});
    list.push_back({"Owners",
                    std::string(q::kOwners) +
                        (restricted ? "\r\n" + std::string(q::kOwnersRestriction) + userNo : ""),
                    "IT"});
    list.push_back({"Objects",
                    h + std::string(q::kObjects) +
                        (restricted ? "\r\n" + std::string(q::kObjectsRestriction) + userNo : "") +
                        "\r\n" + std::string(q::kObjectsOrder),
                    "ITIII"});
    const auto pick = [&](std::string_view all, std::string_view one) {
        return h + std::string(restricted ? one : all);
    };
    list.push_back({"Triggers", pick(q::kTriggersAll, q::kTriggersRestricted), "IITT", restricted});
    list.push_back({"Views", pick(q::kViewsAll, q::kViewsRestricted), "IT", restricted});
    list.push_back({"Fields", pick(q::kFieldsAll, q::kFieldsRestricted), "IITIIIIIT", restricted});
    list.push_back({"Comments", pick(q::kCommentsAll, q::kCommentsRestricted), "IIT", restricted});
    list.push_back({"Constraints", pick(q::kConstraintsAll, q::kConstraintsRestricted),
                    "IITITIIIIITITT", restricted});
    list.push_back({"Sequences", h + std::string(q::kSequences), "ITTTTITI"});
    list.push_back({"Indexes", pick(q::kIndexesAll, q::kIndexesRestricted), "IITII", restricted});
    list.push_back({"SchemaTime", std::string(q::kDatabaseTime), "D"});
    if (restricted)
        list.push_back({"Users", std::string(q::kAllUsers), ""});
    list.push_back({"Source", pick(q::kSourceAll, q::kSourceRestricted), "IIT", restricted});
    list.push_back({"SourceTime", std::string(q::kDatabaseTime), "D"});
    return list;
}

struct TStepResult {
    long long Rows = 0;
    double Seconds = 0;
};

// Reads every value; the sum keeps the compiler from dropping the reads.
TStepResult Step(TQuery& query, const TStatement& statement, const std::string& userNo,
                 std::size_t& checksum)
{
    TStepResult result;
    const double start = CpuSeconds();
    query.SetSQL(statement.Sql);
    if (statement.BindsUser)
        query.SetParam("USER_NO", userNo);
    query.Open();
    const int count = query.FieldCount();
    for (; !query.Eof(); query.Next()) {
        for (int i = 0; i < count; ++i) {
            const char kind = statement.Columns.empty() ? 'T' : statement.Columns[i];
            if (kind == 'I')
                checksum += static_cast<std::size_t>(query.AsInteger(i));
            else if (kind == 'D')
                checksum += static_cast<std::size_t>(query.AsDateTime(i));
            else
                checksum += query.AsText(i).size();
        }
        ++result.Rows;
    }
    query.Close();
    result.Seconds = CpuSeconds() - start;
    return result;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: quorvex-bench-reader-floor FOLDER [--user NAME --password TEXT]\n"
                 "         [--restricted] [--runs N]\n"
                 "  FOLDER   an embedded database (quorvex-generate-dictionary --scale 100k)\n"
                 "  --user   login (default OWNER001, password owner001)\n"
                 "  --restricted  the statements for the user's schema only; default: all owners\n"
                 "  --runs   how many times the whole sequence runs (default 5)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::string folder;
    std::string user = "OWNER001";
    std::string password = "owner001";
    bool restricted = false;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--restricted")
            restricted = true;
        else if (arg == "--user" && i + 1 < argc)
            user = argv[++i];
        else if (arg == "--password" && i + 1 < argc)
            password = argv[++i];
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!arg.starts_with("-") && folder.empty())
            folder = arg;
        else
            return Usage();
    }
    if (folder.empty())
        return Usage();
    try {
        QTemporaryDir dir;
        const std::string aliases = dir.filePath("aliases.ini").toStdString();
        std::ofstream(aliases) << "[BENCH]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" << folder
                               << "\n";
        TQtSession session(aliases);
        session.SetAlias("BENCH");
        session.SetLoginCallback([&](TLoginParams& login) {
            login.UserName = user;
            login.Password = password;
        });
        auto query = session.CreateQuery();
        // The user number the restricted statements use, found as the reader finds it.
        std::string userNo;
        query->SetSQL(q::kAllUsers);
        query->Open(); // logs in: not part of the timed reads
        for (; !query->Eof(); query->Next())
            if (query->AsText(query->FieldIndex("NAME")) == user)
                userNo = query->AsText(query->FieldIndex("USER#"));
        query->Close();
        if (restricted && userNo.empty())
            throw Exception("User " + user + " not found");

        const auto statements = ReaderStatements(restricted, userNo);
        std::vector<std::vector<double>> times(statements.size());
        std::vector<double> totals;
        std::vector<long long> rows(statements.size());
        std::size_t checksum = 0;
        for (int run = 0; run < runs; ++run) {
            double total = 0;
            const double wallStart = WallSeconds();
            for (std::size_t s = 0; s < statements.size(); ++s) {
                const TStepResult step = Step(*query, statements[s], userNo, checksum);
                times[s].push_back(step.Seconds);
                rows[s] = step.Rows;
                total += step.Seconds;
            }
            totals.push_back(total);
            std::printf("run %d: CPU %.3f s, wall %.3f s\n", run + 1, total,
                        WallSeconds() - wallStart);
        }
        std::printf("\nfloor, %s, %d runs (CPU seconds: min / median)\n",
                    restricted ? ("restricted to " + user).c_str() : "all owners", runs);
        const auto report = [](std::vector<double> values) {
            std::sort(values.begin(), values.end());
            return std::pair{values.front(), values[values.size() / 2]};
        };
        for (std::size_t s = 0; s < statements.size(); ++s) {
            const auto [low, median] = report(times[s]);
            std::printf("  %-12s %9lld rows  %7.3f  %7.3f\n", statements[s].Name.c_str(), rows[s],
                        low, median);
        }
        const auto [low, median] = report(totals);
        std::printf("  %-12s %15s  %7.3f  %7.3f\n", "total", "", low, median);
        std::printf("(checksum %zu)\n", checksum);
        query.reset();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
