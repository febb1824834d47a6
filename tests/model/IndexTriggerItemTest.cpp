#include "model/IndexItem.h"
#include "model/TriggerItem.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

TEST(IndexItem, Texts)
{
    struct {
        const char* name;
        const char* table;
        const char* fields;
        const char* creating;
    } const cases[] = {
        {"EMP_I1", "EMP", "ENAME", "CREATE INDEX EMP_I1 ON EMP (ENAME);"},
        {"EMP_I2", "EMP", "DEPTNO,SAL DESC", "CREATE INDEX EMP_I2 ON EMP (DEPTNO,SAL DESC);"},
        {"EMP_I3", "EMP", "", "CREATE INDEX EMP_I3 ON EMP ();"},
        {"", "", "", "CREATE INDEX  ON  ();"},
    };
    for (const auto& c : cases) {
        TIndexItem index;
        index.ObjectName = c.name;
        index.TableName = c.table;
        index.IndexFields = c.fields;
        index.ObjectText = "stored";
        index.ObjectNo = 42;
        EXPECT_EQ(index.GetCreatingText(), c.creating);
        EXPECT_EQ(index.GetDisplayText(), c.creating);
        EXPECT_EQ(index.GetKey(), std::string("Index : ") + c.name);
    }
}

TEST(TriggerItem, Texts)
{
    struct {
        const char* name;
        const char* text;
        const char* display;
    } const cases[] = {
        {"EMP_BI", "EMP_BI BEFORE INSERT ON EMP\r\nBEGIN\r\n  NULL;\r\nEND;",
         "CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\nBEGIN\r\n  NULL;\r\nEND;"},
        {"T", "", "CREATE OR REPLACE TRIGGER "},
        {"", " x ", "CREATE OR REPLACE TRIGGER  x "},
    };
    for (const auto& c : cases) {
        TTriggerItem trigger;
        trigger.ObjectName = c.name;
        trigger.ObjectText = c.text;
        trigger.ObjectNo = 42;
        EXPECT_EQ(trigger.GetDisplayText(), c.display);
        EXPECT_EQ(trigger.GetCreatingText(), c.display);
        EXPECT_EQ(trigger.GetKey(), std::string("Trigger : ") + c.name);
    }
}

} // namespace
} // namespace quorvex
