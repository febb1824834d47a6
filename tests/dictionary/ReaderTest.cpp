// LoadSchema and LoadSource end to end: the statements each phase sends in order, with each
// optimizer hint, and the model read for SCOTT alone and for all owners.
#include "DumpModel.h"
#include "ReaderHarness.h"
#include "dictionary/DictionaryQueries.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// What LoadSchema and then LoadSource send: each statement's text as sent (every line followed
// by CR LF), then its bound parameters. The user is looked up unless all owners are read, and
// the phases are restricted to SCOTT (59) when he was found.
std::vector<std::string> Statements(const std::string& h, bool restricted, bool lookup)
{
    using namespace queries;
    const auto line = [](std::string_view text) { return std::string(text) + "\r\n"; };
    const auto user = [&](std::string_view clause) { return restricted ? line(clause) : ""; };
    const auto bound = [&](std::string_view all, std::string_view one) {
        return h + (restricted && !one.empty() ? line(one) + "USER_NO='59'" : line(all));
    };
    const std::string users = lookup ? line(kAllUsers) : "";
    std::vector<std::string> sent = {
        users, line(kOwners) + user(std::string(kOwnersRestriction) + "59"),
        h + line(kObjects) + user(std::string(kObjectsRestriction) + "59") + line(kObjectsOrder)};
    const std::pair<std::string_view, std::string_view> phases[] = {
        {kTriggersAll, kTriggersRestricted},       {kViewsAll, kViewsRestricted},
        {kFieldsAll, kFieldsRestricted},           {kCommentsAll, kCommentsRestricted},
        {kConstraintsAll, kConstraintsRestricted}, {kSequences, {}},
        {kIndexesAll, kIndexesRestricted}};
    for (const auto& [all, one] : phases)
        sent.push_back(bound(all, one));
    sent.insert(sent.end(), {line(kDatabaseTime), users, bound(kSourceAll, kSourceRestricted),
                             line(kDatabaseTime)});
    std::erase(sent, "");
    return sent;
}

// SCOTT alone: only tables get columns; triggers and indexes move under their tables, but those
// on HR's table stay (the index without a text) and SCOTT's constraint on it goes. All owners:
// users only (no roles) by number, and HR's table gets what belongs to it.
const std::string kScottAlone =
    "T'Table T'(A,B'Column B'){CK_A*2,FK_T}[TRG]<I>\nT2(C,D){PK_T2}[TRG2]<I2>\n"
    "V'View V'{V_CK,V_RO}\nS\nP*1'Procedure P'\nSYN\nTRG_DB\nTRG_HR\nI_HR\nTOwnerItem SCOTT\n";
const std::string kAllOwners =
    "DUAL(DUMMY)\nDUAL\nT'Table T'(A,B'Column B'){CK_A*2,FK_T}[TRG]<I>\nT2(C,D){PK_T2}[TRG2]<I2>\n"
    "V'View V'{V_CK,V_RO}\nS\nP*1'Procedure P'\nSYN\nTRG_DB\nEMP(EMPNO){ON_HR}[TRG_HR]<I_HR>\n"
    "HR_SEQ\nTOwnerItem SYS\nTOwnerItem HR\nTOwnerItem SCOTT\n";

TEST(ReaderTest, EveryPhaseInOrderWithEachHint)
{
    // The rule hint wins over the ordered one. SCOTT is found; all owners are read with the
    // system schema (a stale user number is dropped unread); "scott" is not found, as the
    // lookup is case-sensitive, so all owners are read.
    for (const auto& [rule, ordered, prefix] :
         {std::tuple{false, false, "SELECT "}, std::tuple{true, false, "SELECT /*+RULE*/ "},
          std::tuple{false, true, "SELECT /*+ORDERED*/ "},
          std::tuple{true, true, "SELECT /*+RULE*/ "}}) {
        for (const std::string user : {"SCOTT", "", "scott"}) {
            SCOPED_TRACE(prefix + user);
            TReaderHarness h;
            h.Root.UseRule = rule;
            h.Root.UseOrdered = ordered;
            h.Root.IncludeSys = user.empty();
            h.Root.UserNo = "59";
            h.Root.UserName = user;
            h.Root.LoadSchema(h.Progress);
            h.Root.LoadSource(h.Progress);
            const bool restricted = user == "SCOTT";
            EXPECT_EQ(h.Query->Opened, Statements(prefix, restricted, !user.empty()));
            EXPECT_EQ(h.Root.UserNo, restricted ? "59" : "");
            EXPECT_EQ(Outline(h.Root) + DumpModel(h.Root.Owners()),
                      restricted ? kScottAlone : kAllOwners);
            EXPECT_EQ(h.Captions,
                      kSchemaCaptions + "Reading Source...Sorting Source...Attaching Source...");
        }
    }
}

TEST(ReaderTest, TextsOfScottAloneThenOfAllOwners)
{
    TReaderHarness h;
    h.Root.LoadSchema(h.Progress);
    h.Root.LoadSource(h.Progress);
    TObjectItem& t = h.Object(50001);
    const TConstraintItem& fk = *t.ObjectConstraints().Items(1);
    EXPECT_EQ(std::tuple(fk.RefObjectNo, fk.RefConstNo, fk.RefRules, fk.Match),
              std::tuple(50002, 7006, "RULES", 2));
    const std::pair<const TDefaultItem*, std::string> texts[] = {
        {&t, "CREATE TABLE T (\r\n A NUMBER(4,0) NOT NULL\r\n,B VARCHAR2(10));"},
        {t.ObjectConstraints().Items(0), "ALTER TABLE T ADD CONSTRAINT CK_A AS A > 0 DISABLE;"},
        {&fk, "ALTER TABLE T ADD CONSTRAINT FK_T REFERENCES T2 (A,B) ON DELETE CASCADE;"},
        {t.ObjectIndexes().Items(0), "CREATE INDEX I ON T (B DESC);"},
        {t.ObjectTriggers().Items(0),
         "CREATE OR REPLACE TRIGGER TRG BEFORE INSERT ON T BEGIN NULL; END;"},
        {&h.Object(50002), "CREATE TABLE T2 (\r\n C NUMBER(22) DEFAULT 0\r\n,D FLOAT(22,5));"},
        {&h.Object(50007), "CREATE OR REPLACE VIEW V AS SELECT A FROM T"},
        {&h.Object(50008),
         "CREATE SEQUENCE \"S\"\r\n START WITH 1\r\n INCREMENT BY 1\r\n NOMINVALUE"
         "\r\n MAXVALUE 1E27\r\n NOCYCLE\r\n CACHE 20\r\n NOORDER;"},
        {&h.Object(50009), "CREATE OR REPLACE PROCEDURE P IS BEGIN NULL; END; -- 10"},
        {&h.Object(50014), "TRG_HR z;"}};
    for (const auto& [item, text] : texts)
        EXPECT_EQ(item->GetCreatingText(), text);
    // A second source read replaces the texts; a schema read starts from empty.
    h.Root.LoadSource(h.Progress);
    EXPECT_EQ(h.Object(50009).ObjectText, texts[8].second);
    h.Root.LoadSchema(h.Progress);
    EXPECT_EQ(h.Object(50009).ObjectText, "");
    EXPECT_EQ(h.Root.SourceLoaded, 0);

    h.Root.IncludeSys = true;
    h.Root.LoadSchema(h.Progress);
    h.Root.LoadSource(h.Progress);
    EXPECT_EQ(h.Object(50101).ObjectText,
              "CREATE SEQUENCE \"HR_SEQ\"\r\n START WITH 100\r\n INCREMENT BY 5\r\n MINVALUE 1\r\n"
              " NOMAXVALUE\r\n CYCLE\r\n NOCACHE\r\n ORDER;");
    // Read for all owners, an object other than stored code gets its lines without the prefix.
    EXPECT_EQ(h.Object(50010).ObjectText, "-- not code");
}

} // namespace
} // namespace quorvex::test
