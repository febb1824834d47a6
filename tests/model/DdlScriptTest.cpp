// The DDL script of a model: every statement kind in its section and order, names quoted where
// Oracle needs it, owners qualified when every owner is written, and the models no script can
// express refused with the item named.

#include "model/DdlScript.h"

#include "ModelBuilder.h"
#include "model/ObjectState.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace quorvex::test {
namespace {

constexpr int kDisabled = ObjectStates::Disabled;

std::string Script(const TDBNewOracle& model, std::optional<std::int32_t> ownerNo,
                   const TSynonymTargets& synonyms = {})
{
    TStringSink sink;
    WriteDdlScript(model.Objects(), model.Owners(), ownerNo, sink, synonyms);
    sink.Flush();
    return sink.Bytes();
}

TFieldItem* Column(SchemaBuilder& b, TObjectItem& table, const char* name, std::string_view props)
{
    TFieldItem* column = b.Column(table, name);
    SetProps(*column, props);
    return column;
}

// SCOTT's schema with one of each kind, in an order the script must not keep: the package
// body before its header, the view V_TOP before V_EMP, which it uses, the table with the
// foreign key before its parent; and a table of another owner.
void BuildScott(SchemaBuilder& b)
{
    b.Owner(1, "SCOTT");
    b.Owner(2, "HR");
    const char* number2 = "FieldType=2|Length=22|Precision=2|Scale=0";
    TObjectItem* body = b.Object(ObjectTypes::PackageBody, "PKG");
    body->ObjectText = "CREATE OR REPLACE PACKAGE BODY PKG AS\nEND;\n";
    TObjectItem* top = b.Object(ObjectTypes::View, "V_TOP");
    top->ObjectText = "CREATE OR REPLACE VIEW V_TOP AS SELECT * FROM v_emp -- V_NONE\n"
                      "WHERE \"sal\" > 1000";
    b.Object(ObjectTypes::Table, "OTHER", 0, 2)->ObjectText = "never written";

    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    emp->CommentText = "Who's employed";
    Column(b, *emp, "EMPNO", "FieldType=2|Length=22|Precision=4|Scale=0|Null=1");
    Column(b, *emp, "ENAME", "CommentText=Name, as 'signed'");
    Column(b, *emp, "sal", "FieldType=2|Length=22|Precision=7|Scale=2");
    Column(b, *emp, "HIREDATE", "FieldType=12|Length=7|Null=1|DefaultVal=SYSDATE\n");
    Column(b, *emp, "DEPTNO", "FieldType=2|Length=22|Precision=-1|Scale=-1");
    Column(b, *emp, "RATE", "FieldType=2|Length=22|Precision=126|Scale=-1");
    Column(b, *emp, "GRADE", "FieldType=2|Length=22|Precision=-1|Scale=0");
    Column(b, *emp, "CODE", "FieldType=23|Length=16");
    Column(b, *emp, "STAMP", "FieldType=180|Length=11|Scale=3");
    SetProps(*b.Constraint(*emp, "PK_EMP"), "ConstNo=21|RefFields=EMPNO");
    SetProps(*b.Constraint(*emp, "emp_uk", 3), "ConstNo=22|RefFields=ENAME,sal");
    SetProps(*b.Constraint(*emp, "SAL_POSITIVE", 1), "Condition=\"sal\" > 0");
    SetProps(*b.Constraint(*emp, "SYS_C0042", 1), "Condition=\"HIREDATE\" IS NOT NULL");
    SetProps(*b.Constraint(*emp, "SYS_C0043", 7, kDisabled), "RefFields=ENAME");
    SetProps(*b.Constraint(*emp, "HIRED_NN", 7), "RefFields=HIREDATE");
    TConstraintItem* fk = b.Constraint(*emp, "FK_DEPTNO", 4, kDisabled);
    SetProps(*b.Index(*emp, "PK_EMP"), "IndexFields=EMPNO");
    SetProps(*b.Index(*emp, "EMP_SAL_IX"), "IndexFields=sal DESC,ENAME");
    b.Trigger(*emp, "EMP_BI")->ObjectText = "EMP_BI BEFORE INSERT ON EMP\nBEGIN\n  NULL;\nEND;\n";

    TObjectItem* dept = b.Object(ObjectTypes::Table, "DEPT");
    Column(b, *dept, "DEPTNO", number2)->Null = 1;
    Column(b, *dept, "SELECT", "FieldType=96|Length=1|DefaultVal='Y'");
    // The key's columns come from its index.
    b.Constraint(*dept, "PK_DEPT")->ConstNo = 11;
    SetProps(*b.Index(*dept, "PK_DEPT"), "IndexFields=DEPTNO");
    SetProps(*fk, "RefFields=DEPTNO|RefConstNo=11|RefAct=1|RefObjectNo=" +
                      std::to_string(dept->ObjectNo));

    b.Object(ObjectTypes::Sequence, "EMP_SEQ")->ObjectText =
        "CREATE SEQUENCE \"EMP_SEQ\"\r\n START WITH 10\r\n INCREMENT BY 1\r\n NOMINVALUE\r\n"
        " NOMAXVALUE\r\n NOCYCLE\r\n CACHE 20\r\n NOORDER;";
    TObjectItem* view = b.Object(ObjectTypes::View, "V_EMP");
    view->ObjectText = "SELECT EMPNO, 'V_TOP' NOTE FROM EMP";
    view->CommentText = "Employees' numbers";
    b.Constraint(*view, "SYS_C0050", 6);
    b.Object(ObjectTypes::PackageHeader, "PKG")->ObjectText = "PACKAGE PKG AS\n  X NUMBER;\nEND;";
    b.Object(ObjectTypes::Function, "F_NONE");
    b.Object(ObjectTypes::Synonym, "STAFF");
}

const char* const kScottScript = R"sql(-- Sequences
CREATE SEQUENCE EMP_SEQ
 START WITH 10
 INCREMENT BY 1
 NOMINVALUE
 NOMAXVALUE
 NOCYCLE
 CACHE 20
 NOORDER;

-- Tables
CREATE TABLE EMP (
  EMPNO NUMBER(4),
  ENAME VARCHAR2(10),
  "sal" NUMBER(7,2),
  HIREDATE DATE DEFAULT SYSDATE CONSTRAINT HIRED_NN NOT NULL,
  DEPTNO NUMBER,
  RATE FLOAT(126),
  GRADE NUMBER(*,0),
  CODE RAW(16),
  STAMP TIMESTAMP(3)
);
CREATE TABLE DEPT (
  DEPTNO NUMBER(2),
  "SELECT" CHAR(1) DEFAULT 'Y'
);

-- Primary and unique keys
ALTER TABLE EMP ADD CONSTRAINT PK_EMP PRIMARY KEY (EMPNO);
ALTER TABLE EMP ADD CONSTRAINT "emp_uk" UNIQUE (ENAME, "sal");
ALTER TABLE DEPT ADD CONSTRAINT PK_DEPT PRIMARY KEY (DEPTNO);

-- Indexes
CREATE INDEX EMP_SAL_IX ON EMP ("sal" DESC, ENAME);

-- Check constraints
ALTER TABLE EMP ADD CONSTRAINT SAL_POSITIVE CHECK ("sal" > 0);
ALTER TABLE EMP MODIFY (ENAME CONSTRAINT SYS_C0043 NOT NULL DISABLE);

-- Foreign keys
ALTER TABLE EMP ADD CONSTRAINT FK_DEPTNO FOREIGN KEY (DEPTNO) REFERENCES DEPT (DEPTNO) ON DELETE CASCADE DISABLE;

-- Comments
COMMENT ON TABLE EMP IS 'Who''s employed';
COMMENT ON COLUMN EMP.ENAME IS 'Name, as ''signed''';

-- Views
CREATE OR REPLACE VIEW V_EMP AS
SELECT EMPNO, 'V_TOP' NOTE FROM EMP
WITH READ ONLY CONSTRAINT SYS_C0050;
CREATE OR REPLACE VIEW V_TOP AS
SELECT * FROM v_emp -- V_NONE
WHERE "sal" > 1000;

-- Comments on views
COMMENT ON TABLE V_EMP IS 'Employees'' numbers';

-- Package headers
CREATE OR REPLACE PACKAGE PKG AS
  X NUMBER;
END;
/

-- Functions
-- Function F_NONE: the model holds no source (read without it)

-- Package bodies
CREATE OR REPLACE PACKAGE BODY PKG AS
END;
/

-- Triggers
CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP
BEGIN
  NULL;
END;
/

-- Synonyms
-- CREATE SYNONYM STAFF FOR ...; the model does not hold what it stands for
)sql";

TEST(DdlScript, OneOwnersSchemaInCreationOrder)
{
    SchemaBuilder b;
    BuildScott(b);
    EXPECT_EQ(Script(b.Schema(), 1), kScottScript);
}

// Without an owner of its own, every owner's objects, each qualified; a foreign key to a table
// the model lacks names the table as read and lets Oracle take its primary key.
TEST(DdlScript, EveryOwnerQualified)
{
    SchemaBuilder b;
    b.Owner(1, "SCOTT");
    b.Owner(2, "hr");
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Column(*emp, "DEPTNO");
    SetProps(*b.Constraint(*emp, "SYS_C7", 4), "RefFields=DEPTNO|RefObjName=DEPT|RefObjectNo=9");
    SetProps(*b.Index(*emp, "EMP_IX"), "IndexFields=DEPTNO");
    b.Object(ObjectTypes::View, "V", 0, 2)->ObjectText = "SELECT 1 X FROM DUAL";
    EXPECT_EQ(Script(b.Schema(), std::nullopt),
              "-- Tables\nCREATE TABLE SCOTT.EMP (\n  DEPTNO VARCHAR2(10)\n);\n\n"
              "-- Indexes\nCREATE INDEX SCOTT.EMP_IX ON SCOTT.EMP (DEPTNO);\n\n"
              "-- Foreign keys\nALTER TABLE SCOTT.EMP ADD CONSTRAINT SYS_C7 FOREIGN KEY (DEPTNO) "
              "REFERENCES DEPT;\n\n"
              "-- Views\nCREATE OR REPLACE VIEW \"hr\".V AS\nSELECT 1 X FROM DUAL;\n");
}

// A target in the schema being written goes unqualified, as the synonym does.
TEST(DdlScript, SynonymsStandForWhatTheDictionarySays)
{
    SchemaBuilder b;
    b.Owner(1, "SCOTT");
    b.Owner(2, "HR");
    b.Owner(3, "PUBLIC");
    for (const char* name : {"STAFF", "REMOTE", "odd", "LOST"})
        b.Object(ObjectTypes::Synonym, name);
    b.Object(ObjectTypes::Synonym, "DUAL2", 0, 3);
    const TSynonymTargets targets = {{{1, "STAFF"}, {"SCOTT", "EMP", ""}},
                                     {{1, "REMOTE"}, {"HR", "JOBS", "HQ.WORLD"}},
                                     {{1, "odd"}, {"HR", "jobs", ""}},
                                     {{3, "DUAL2"}, {"SYS", "DUAL", ""}}};
    const std::string lost = " FOR ...; the model does not hold what it stands for\n";
    EXPECT_EQ(Script(b.Schema(), 1, targets),
              "-- Synonyms\nCREATE SYNONYM STAFF FOR EMP;\n"
              "CREATE SYNONYM REMOTE FOR HR.JOBS@HQ.WORLD;\n"
              "CREATE SYNONYM \"odd\" FOR HR.\"jobs\";\n-- CREATE SYNONYM LOST" +
                  lost);
    EXPECT_EQ(Script(b.Schema(), std::nullopt, targets),
              "-- Synonyms\nCREATE SYNONYM SCOTT.STAFF FOR SCOTT.EMP;\n"
              "CREATE SYNONYM SCOTT.REMOTE FOR HR.JOBS@HQ.WORLD;\n"
              "CREATE SYNONYM SCOTT.\"odd\" FOR HR.\"jobs\";\n-- CREATE SYNONYM SCOTT.LOST" +
                  lost + "CREATE PUBLIC SYNONYM DUAL2 FOR SYS.DUAL;\n");
}

TEST(DdlScript, WhatNoStatementExpressesIsRefused)
{
    const std::pair<std::function<void(SchemaBuilder&, TObjectItem&)>, const char*> cases[] = {
        {[](SchemaBuilder&, TObjectItem&) {}, "The table T has no columns in the model"},
        {[](SchemaBuilder& b, TObjectItem& t) { b.Column(t, "C")->FieldType = 58; },
         "The column C has the data type number 58, which no script can create"},
        {[](SchemaBuilder& b, TObjectItem& t) {
             b.Column(t, "C");
             b.Constraint(t, "PK_T");
         },
         "The key PK_T of table T has no columns in the model"},
        {[](SchemaBuilder& b, TObjectItem& t) {
             b.Column(t, "C");
             b.Constraint(t, "FK_T", 4);
         },
         "The foreign key FK_T of table T has no columns in the model"},
    };
    for (const auto& [build, message] : cases) {
        SchemaBuilder b;
        build(b, *b.Object(ObjectTypes::Table, "T"));
        try {
            Script(b.Schema(), 1);
            ADD_FAILURE() << "no exception: " << message;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

} // namespace
} // namespace quorvex::test
