#pragma once

#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"
#include "engine/QtSession.h"
#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvex::test {

// A TQuery that forwards every call to an engine query and records what each Open sends: the
// text (every line followed by CR LF), then the text parameters bound by name since the previous
// Open (NAME='text'). It can fail Next, to follow the path an error takes through a reader.
class TRecordingQuery final : public TQuery {
public:
    explicit TRecordingQuery(std::unique_ptr<TQuery> inner)
        : m_inner(std::move(inner))
    {
    }

    std::vector<std::string> Opened;
    // Next fails on its n-th call after an Open (1-based) of a statement containing `In`, with
    // an Exception, or with a std::runtime_error for `Other`.
    struct {
        int Next = 0;
        std::string In;
        bool Other = false;
    } Fail;

    void SetSQL(std::string_view text) override { m_inner->SetSQL(text); }
    void ClearSQL() override { m_inner->ClearSQL(); }
    void AddSQL(std::string_view line) override { m_inner->AddSQL(line); }
    std::string SQLText() const override { return m_inner->SQLText(); }
    void SetParam(std::string_view name, std::string_view text) override
    {
        m_params += std::string(name) + "='" + std::string(text) + "'";
        m_inner->SetParam(name, text);
    }
    void SetParam(std::string_view name, std::int64_t v) override { m_inner->SetParam(name, v); }
    void SetParam(int index, std::string_view text) override { m_inner->SetParam(index, text); }
    void SetParam(int index, std::int64_t value) override { m_inner->SetParam(index, value); }
    void Open() override
    {
        // Recorded before forwarding, so that an opening that fails is seen too.
        Opened.push_back(m_inner->SQLText() + m_params);
        m_params.clear();
        m_nextCalls = 0;
        m_failThis = Opened.back().find(Fail.In) != std::string::npos;
        m_inner->Open();
    }
    bool IsOpen() const override { return m_inner->IsOpen(); }
    bool Eof() const override { return m_inner->Eof(); }
    void First() override { m_inner->First(); }
    void Next() override
    {
        if (++m_nextCalls == Fail.Next && m_failThis)
            Fail.Other ? throw std::runtime_error("injected") : throw Exception("injected");
        m_inner->Next();
    }
    void Close() override { m_inner->Close(); }
    void ExecSQL() override { m_inner->ExecSQL(); }
    int FieldCount() const override { return m_inner->FieldCount(); }
    std::string FieldName(int index) const override { return m_inner->FieldName(index); }
    int FieldIndex(std::string_view name) const override { return m_inner->FieldIndex(name); }
    bool IsNull(int index) const override { return m_inner->IsNull(index); }
    std::string AsText(int index) const override { return m_inner->AsText(index); }
    std::int64_t AsInteger(int index) const override { return m_inner->AsInteger(index); }
    double AsDateTime(int index) const override { return m_inner->AsDateTime(index); }
    double AsFloat(int index) const override { return m_inner->AsFloat(index); }

private:
    std::unique_ptr<TQuery> m_inner;
    std::string m_params;
    bool m_failThis = false;
    int m_nextCalls = 0;
};

// The users SCOTT (59, password tiger), HR (46) and the role APP_ROLE (71).
inline const std::string kUsers = R"(
INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD") VALUES
    (59, 'SCOTT', 1, 'f15c16b99f82d8201767d3a841ff40849c8a1b812ffbfd2e393d2b6aa6682a6e'),
    (46, 'HR', 1, '1b52f3a2e15148731314bf167145c54565ed2385a862b5eb7771eaf719e4f82e'),
    (71, 'APP_ROLE', 0, '');
)";

// Object names sort in another order than their numbers, and rows come out of order. SCOTT's
// T and T2 each have a trigger and an index; V is a view with view constraints; CL (cluster)
// and TY (type) are not read; TRG_DB is a database trigger; TRG_HR, I_HR and ON_HR are
// SCOTT's, on HR's table EMP. B is the descending key of I.
inline const std::string kSchema = kUsers + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (50001, 59, 'T', 2, 0), (50002, 59, 'T2', 2, 1), (50003, 59, 'TRG', 12, 1),
    (50004, 59, 'TRG2', 12, 1), (50005, 59, 'I', 1, 1), (50006, 59, 'I2', 1, 1),
    (50007, 59, 'V', 4, 1), (50008, 59, 'S', 6, 1), (50009, 59, 'P', 7, 5),
    (50010, 59, 'SYN', 5, 1), (50011, 59, 'CL', 3, 1), (50012, 59, 'TY', 13, 1),
    (50013, 59, 'TRG_DB', 12, 1), (50014, 59, 'TRG_HR', 12, 1), (50015, 59, 'I_HR', 1, 1),
    (50100, 46, 'EMP', 2, 1), (50101, 46, 'HR_SEQ', 6, 1);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH",
                    "PRECISION#", "SCALE", "NULL$", "DEFAULT$", "PROPERTY") VALUES
    (50001, 2, 2, 2, 'B', 1, 10, NULL, NULL, 0, NULL, 131072),
    (50001, 1, 1, 1, 'A', 2, 22, 4, 0, 1, NULL, 0),
    (50002, 1, 1, 1, 'C', 2, 22, NULL, NULL, 0, '0', 0),
    (50002, 2, 2, 2, 'D', 2, 22, 5, NULL, 0, NULL, 0),
    (50007, 1, 1, 1, 'A', 2, 22, 4, 0, 0, NULL, 0),
    (50100, 1, 1, 1, 'EMPNO', 2, 22, 4, 0, 1, NULL, 0);
INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (50001, 2, 'Column B'), (50001, NULL, 'Table T'), (50007, NULL, 'View V'),
    (50009, 0, 'Procedure P');
INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES (59, 'CK_A', 7002), (59, 'FK_T', 7003),
    (59, 'V_RO', 7004), (59, 'V_CK', 7005), (59, 'PK_T2', 7006), (59, 'ON_HR', 7007);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ENABLED", "CONDITION") VALUES
    (7002, 50001, 1, NULL, 'A > 0'), (7004, 50007, 6, NULL, NULL), (7005, 50007, 5, NULL, NULL),
    (7006, 50002, 2, 1, NULL), (7007, 50100, 1, 1, 'EMPNO > 0');
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ROBJ#", "RCON#", "REFACT", "ENABLED", "RRULES",
                     "MATCH#") VALUES (7003, 50001, 4, 50002, 7006, 1, 1, 'RULES', 2);
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#") VALUES (7002, 50001, 1, NULL, 1),
    (7003, 50001, 2, 2, 2), (7003, 50001, 1, 1, 1), (7006, 50002, 1, 1, 1), (7007, 50100, 1, 1, 1);
INSERT INTO "TRIGGER$" ("OBJ#", "BASEOBJECT", "DEFINITION", "ACTION#") VALUES
    (50003, 50001, 'TRG BEFORE INSERT ON T ', 'BEGIN NULL; END;'), (50004, 50002, 'TRG2 ', 'x;'),
    (50013, 0, 'TRG_DB AFTER LOGON ON DATABASE ', 'y;'), (50014, 50100, 'TRG_HR ', 'z;');
INSERT INTO "VIEW$" ("OBJ#", "TEXT") VALUES (50007, 'SELECT A FROM T');
INSERT INTO "SEQ$" ("OBJ#", "HIGHWATER", "INCREMENT$", "MINVALUE", "MAXVALUE", "CYCLE#", "CACHE",
    "ORDER$") VALUES (50008, 1, 1, NULL, 999999999999999999999999999, NULL, 20, NULL),
    (50101, 100, 5, 1, NULL, 1, NULL, 1);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "INTCOL#") VALUES
    (50005, 50001, 2, 1, 2), (50006, 50002, 2, 2, 2), (50006, 50002, 1, 1, 1),
    (50015, 50100, 1, 1, 1);
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES
    (50009, 2, 'BEGIN NULL; END;'), (50009, 10, ' -- 10'), (50009, 1, 'PROCEDURE P IS '),
    (50010, 1, '-- not code');
)";

// The progress captions of LoadSchema's phases.
inline const std::string kSchemaCaptions =
    "Reading Owners...Sorting Owners...Reading Objects...Sorting Objects...Reading Triggers..."
    "Reading Views...Reading Fields...Sorting Fields...Reading Comments...Sorting Comments..."
    "Reading Constraints...Reading Sequences...Attaching Comments...Attaching Fields..."
    "Attaching Constraints...Reading Indexes...";

// An embedded database built for one test case, an alias on it, a session whose login callback
// answers SCOTT/tiger (or cancels) and counts its calls, and a reader on a recording query.
// Members end in reverse order: the query before its session.
struct TReaderHarness {
    explicit TReaderHarness(const std::vector<EmbeddedScript>& scripts = {{"SYS", kSchema}})
    {
        BuildEmbeddedDatabase(Dir.File("db"), scripts);
        WriteFileBytes(Dir.File("aliases"),
                       "[TEST]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + Dir.File("db") + "\n");
        Session = std::make_unique<TQtSession>(Dir.File("aliases"));
        Session->SetAlias("TEST");
        Session->SetLoginCallback([this](TLoginParams& login) {
            ++LoginPrompts;
            if (CancelLogins)
                throw EAbort("login cancelled");
            login.UserName = "SCOTT";
            login.Password = "tiger";
        });
        Query = std::make_unique<TRecordingQuery>(Session->CreateQuery());
        Root.SetQuery(Query.get());
        Root.UserName = "SCOTT";
    }
    TObjectItem& Object(std::int32_t number)
    {
        TObjectItem* object = Root.Objects().FindByOID(number);
        return object ? *object : throw std::runtime_error("no object " + std::to_string(number));
    }

    TempDir Dir;
    std::unique_ptr<TQtSession> Session;
    std::unique_ptr<TRecordingQuery> Query;
    TDBNewOracle Root;
    bool CancelLogins = false; // the login callback raises EAbort
    int LoginPrompts = 0;      // calls of the login callback
    std::string Captions;      // the progress captions reported, one after the other
    const TProgress Progress = [this](std::string_view caption) { Captions += caption; };
};

// The shape of the read model, one line per object: name, then its columns in (), constraints
// in {}, triggers in [] and indexes in <>; each name followed by *state unless the state is
// normal, and by its 'comment' if it has one.
inline std::string Outline(const TObjectItem& o)
{
    const auto with = [](const std::string& text, const std::string& comment) {
        return comment.empty() ? text : text + "'" + comment + "'";
    };
    const auto named = [](const TNameStateItem& item) {
        return item.ObjectName + (item.ObjectState ? "*" + std::to_string(item.ObjectState) : "");
    };
    const auto names = [](const auto* list, const char* brackets, auto name) {
        std::string out;
        for (int i = 0; list != nullptr && i < list->Count(); ++i)
            out += (i > 0 ? std::string(",") : std::string(1, brackets[0])) + name(*list->Items(i));
        return out.empty() ? out : out + brackets[1];
    };
    return with(named(o), o.CommentText) +
           names(o.FieldsIfAny(), "()",
                 [&](const TFieldItem& f) { return with(f.FieldName, f.CommentText); }) +
           names(o.ConstraintsIfAny(), "{}", named) + names(o.TriggersIfAny(), "[]", named) +
           names(o.IndexesIfAny(), "<>", named);
}

inline std::string Outline(const TDBNewOracle& root)
{
    std::string out;
    for (int i = 0; i < root.Objects().Count(); ++i)
        out += Outline(*root.Objects().Items(i)) + "\n";
    return out;
}

} // namespace quorvex::test
