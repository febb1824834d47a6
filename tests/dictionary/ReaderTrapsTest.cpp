// The reader's traps: 32-bit keys that overflow or collide, stored source in no particular order,
// failures inside the reading phases, cancelled logins, and the refresh of one object.
#include "ReaderHarness.h"
#include "dictionary/ObjectRefresh.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The keys object × 256 + column and object × 65536 + line overflow for T40K and P40K (above
// 32767), and for T9M and P9M (above 8388607); WIDE has column numbers from 255 on (object × 256
// + 256 is the key of NEXT's column 0); P_LOW and P_HIGH differ by 2^16, T_LOW and T_HIGH by
// 2^24, so they get equal keys in 32-bit arithmetic. SOURCE$ has no primary key and its rows
// come out of order, interleaved, with line 1 of P_HIGH given twice. The stored code is of each
// kind: function, package, package body and procedure.
constexpr std::string_view kKeys = R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#") VALUES
    (40000, 59, 'T40K', 2), (40001, 59, 'P40K', 8), (9000000, 59, 'T9M', 2),
    (9000001, 59, 'P9M', 9), (9000002, 59, 'I9M', 1), (50000, 59, 'WIDE', 2), (50001, 59, 'NEXT', 2),
    (50010, 59, 'P_LOW', 11), (115546, 59, 'P_HIGH', 7), (60000, 59, 'T_LOW', 2),
    (16837216, 59, 'T_HIGH', 2);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH")
SELECT column1, column2, column2, column2, column3, 1, 10 FROM (VALUES (9000000, 3, 'C3'),
    (9000000, 1, 'C1'), (9000000, 2, 'C2'), (40000, 2, 'B'), (40000, 1, 'A'), (50000, 257, 'W257'),
    (50000, 1, 'W1'), (50000, 256, 'W256'), (50000, 255, 'W255'), (50001, 1, 'N1'),
    (60000, 1, 'LOW1'), (60000, 2, 'LOW2'), (16837216, 1, 'HIGH1'), (16837216, 2, 'HIGH2'));
INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (9000000, NULL, 'table 9M'), (9000000, 2, 'column 9M.2'), (40000, 2, 'column 40K.2'),
    (50000, 255, 'wide 255'), (50000, 256, 'wide 256'), (50000, 257, 'wide 257'),
    (50001, NULL, 'next table'), (50001, 1, 'next 1'), (60000, 2, 'low 2'), (16837216, 1, 'high 1');
INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES (59, 'PK_9M', 7001);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ENABLED") VALUES (7001, 9000000, 2, 1);
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#") VALUES
    (7001, 9000000, 2, 2, 2), (7001, 9000000, 1, 1, 1);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "INTCOL#") VALUES
    (9000002, 9000000, 3, 1, 3), (9000002, 9000000, 1, 2, 1);
DROP TABLE "SOURCE$";
CREATE TABLE "SOURCE$" ("OBJ#" INTEGER NOT NULL, "LINE" INTEGER NOT NULL, "SOURCE" TEXT);
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES
    (9000001, 2, 'END;'), (50010, 3, 'l3;'), (115546, 1, 'h1;'), (50010, 1, 'l1;'),
    (40001, 1, 'k1;'), (50010, 2, 'l2;'), (40001, 2, 'k2;'), (9000001, 1, 'P9M;'),
    (115546, 2, 'h2;'), (50010, 10, 'l10;'), (115546, 1, 'h1 again;'), (40001, 3, 'k3;');
)";

class ReaderKeysTest : public ::testing::TestWithParam<bool> {};

TEST_P(ReaderKeysTest, ColumnsCommentsAndSourceLandWhereTheyBelong)
{
    TReaderHarness h({{"SYS", kUsers + std::string(kKeys)}});
    h.Root.IncludeSys = GetParam();
    h.Root.LoadSchema(h.Progress);
    h.Root.LoadSource(h.Progress);
    EXPECT_EQ(Outline(h.Root),
              std::string(GetParam() ? "DUAL(DUMMY)\nDUAL\n" : "") +
                  "T40K(A,B'column 40K.2')\nP40K\n"
                  "WIDE(W1,W255'wide 255',W256'wide 256',W257'wide 257')\n"
                  "NEXT'next table'(N1'next 1')\nP_LOW\nT_LOW(LOW1,LOW2'low 2')\nP_HIGH\n"
                  "T9M'table 9M'(C1,C2'column 9M.2',C3){PK_9M}<I9M>\nP9M\n"
                  "T_HIGH(HIGH1'high 1',HIGH2)\n");
    EXPECT_EQ(h.Object(9000000).ObjectConstraints().Items(0)->RefFields, "C1,C2");
    EXPECT_EQ(h.Object(9000000).ObjectIndexes().Items(0)->ObjectText,
              "CREATE INDEX I9M ON T9M (C3,C1)");
    // The stored column keys: object × 256 + column where it fits (even where WIDE's collide
    // with NEXT's), 0 where it does not.
    const auto key = [&](int o, int i) { return h.Object(o).ObjectFields().Items(i)->OID; };
    EXPECT_EQ((std::vector{key(9000000, 0), key(9000000, 2), key(40000, 1), key(50000, 2),
                           key(50001, 0)}),
              (std::vector{0, 0, 40000 * 256 + 2, 50000 * 256 + 256, 50001 * 256 + 1}));
    // Lines in object and line order; lines of equal number keep the order they came in.
    for (int read = 0; read < 2; ++read) {
        EXPECT_EQ(h.Object(40001).ObjectText, "CREATE OR REPLACE k1;k2;k3;");
        EXPECT_EQ(h.Object(9000001).ObjectText, "CREATE OR REPLACE P9M;END;");
        EXPECT_EQ(h.Object(50010).ObjectText, "CREATE OR REPLACE l1;l2;l3;l10;");
        EXPECT_EQ(h.Object(115546).ObjectText, "CREATE OR REPLACE h1;h1 again;h2;");
        h.Root.LoadSource(h.Progress);
    }
}

INSTANTIATE_TEST_SUITE_P(OneOrAllOwners, ReaderKeysTest, ::testing::Bool());

// A failure inside a phase: a structure phase empties its part, a text phase keeps what it did,
// an object moved under its table never stays in the object list too, the read goes on, and
// every query is closed. Other errors than the database's pass on and the read is not done.
TEST(ReaderFailureTest, APhaseFailsHalfway)
{
    const std::string t = "T'Table T'(A,B'Column B'){CK_A*2,FK_T}[TRG]";
    const std::string rest =
        "V'View V'{V_CK,V_RO}\nS\nP*1'Procedure P'\nSYN\nTRG_DB\nTRG_HR\nI_HR\n";
    // The n-th Next fails after opening the statement containing a text, with a database error
    // or another; then the model's outline.
    const std::tuple<int, const char*, bool, std::string> cases[] = {
        // TRG moved before the error; TRG2 was never read and stays.
        {1, "TRIGGER$", false, t + "<I>\nT2(C,D){PK_T2}<I2>\nTRG2\n" + rest},
        {1, "TRIGGER$", true, "T[TRG]\nT2\nTRG2\nI\nI2\nV\nS\nP*1\nSYN\nTRG_DB\nTRG_HR\nI_HR\n"},
        // The second Next fails inside I2 (the first one ended I): I2 stays, T2 gets no half
        // index. The first fails inside I: I is not moved.
        {2, "ICOL$", false, t + "<I>\nT2(C,D){PK_T2}[TRG2]\nI2\n" + rest},
        {1, "ICOL$", false, t + "\nT2(C,D){PK_T2}[TRG2]\nI\nI2\n" + rest},
        {1, "COL$\" c WHERE", false,
         "T'Table T'{CK_A*2,FK_T}[TRG]<I>\nT2{PK_T2}[TRG2]<I2>\n" + rest},
        {3, "FROM SYS.\"OBJ$\"\r\n", false, ""},
    };
    for (const auto& [next, statement, other, outline] : cases) {
        SCOPED_TRACE(std::string(statement) + " " + std::to_string(next));
        TReaderHarness h;
        h.Query->Fail = {next, statement, other};
        if (other)
            EXPECT_THROW(h.Root.LoadSchema(h.Progress), std::runtime_error);
        else
            h.Root.LoadSchema(h.Progress);
        EXPECT_EQ(Outline(h.Root), outline);
        EXPECT_EQ(h.Root.SchemaLoaded > 0, !other);
        EXPECT_EQ(h.Root.Owners().Count(), 1);
        EXPECT_FALSE(h.Query->IsOpen());
    }
}

// A cancelled login while the connection is closed: the user lookup passes it on at once; with
// the system schema every phase opens the connection, absorbs the cancellation and leaves the
// next phase to ask again, and the database time at the end passes it on.
TEST(ReaderLoginTest, ACancelledLoginEndsTheRead)
{
    TReaderHarness first;
    first.CancelLogins = true;
    EXPECT_THROW(first.Root.LoadSchema(first.Progress), EAbort);
    EXPECT_EQ(first.LoginPrompts, 1);
    EXPECT_EQ(first.Query->Opened.size(), 1u); // the users, then no phase
    EXPECT_EQ(first.Captions, "");

    TReaderHarness h;
    h.Root.IncludeSys = true;
    h.Root.LoadSchema(h.Progress);
    h.Root.LoadSource(h.Progress);
    const double sourceLoaded = h.Root.SourceLoaded;
    h.Session->Close();
    h.CancelLogins = true;
    h.Captions.clear();
    h.Query->Opened.clear();
    EXPECT_THROW(h.Root.LoadSource(h.Progress), EAbort);
    EXPECT_EQ(h.LoginPrompts, 1 + 1);
    EXPECT_EQ(h.Root.SourceLoaded, sourceLoaded);
    EXPECT_THROW(h.Root.LoadSchema(h.Progress), EAbort);
    EXPECT_EQ(h.LoginPrompts, 1 + 1 + 9 + 1); // nine phases, then the database time
    EXPECT_EQ(h.Query->Opened.size(), 1u + 10u);
    EXPECT_EQ(h.Captions, "Reading Source..." + kSchemaCaptions); // every phase still ran
    EXPECT_FALSE(h.Session->Connected());
    EXPECT_EQ(Outline(h.Root) + std::to_string(h.Root.Owners().Count()), "0");
    EXPECT_EQ(h.Root.SchemaLoaded, 0); // the read did not complete: never read
}

// RefreshFromDatabase of one object: name, state and comment, then its source in line order
// without a prefix; the query is closed on every path and what was read before an error stays.
TEST(ObjectRefreshTest, ReadsOneObject)
{
    // The object's number, the Next that fails, a table dropped; then what the refresh returned
    // (or that it failed), the object's outline and text, and how many statements it sent.
    const std::tuple<std::int32_t, int, const char*, const char*> cases[] = {
        {50009, 0, "", "true P*1'Procedure P' PROCEDURE P IS BEGIN NULL; END; -- 10 2"},
        {50001, 0, "", "true T'Table T'  2"},
        {59999, 0, "", "false OLD'old comment' old text 1"},
        {50009, 1, "", "error P*1'Procedure P' PROCEDURE P IS  2"},
        {50009, 0, "DROP TABLE \"SOURCE$\";", "error P*1'Procedure P'  2"},
    };
    for (const auto& [number, failNext, dropTable, expected] : cases) {
        SCOPED_TRACE(number);
        TReaderHarness h({{"SYS", kSchema + dropTable}});
        h.Query->Fail.Next = failNext;
        TObjectItem object;
        object.ObjectNo = number;
        object.ObjectName = "OLD";
        object.CommentText = "old comment";
        object.ObjectText = "old text";
        std::string result;
        try {
            result = RefreshFromDatabase(object, *h.Query) ? "true " : "false ";
        } catch (const Exception&) {
            result = "error ";
        }
        EXPECT_EQ(result + Outline(object) + " " + object.ObjectText + " " +
                      std::to_string(h.Query->Opened.size()),
                  expected);
        EXPECT_FALSE(h.Query->IsOpen());
    }
}

} // namespace
} // namespace quorvex::test
