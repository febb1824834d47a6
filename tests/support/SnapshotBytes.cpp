#include "SnapshotBytes.h"

#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/IndexItem.h"
#include "model/ObjectItem.h"
#include "model/ObjectState.h"
#include "model/TriggerItem.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"

#include <climits>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>

namespace quorvex::test {

namespace {
std::string Repeat(std::string_view unit, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += unit;
    return text;
}
} // namespace

std::string B(std::string_view notation)
{
    std::string bytes;
    for (size_t i = 0; i < notation.size();) {
        if (notation[i] == ' ') {
            ++i;
        } else if (notation[i] == '\'' || notation[i] == '<') {
            const size_t end = notation.find(notation[i] == '<' ? '>' : '\'', i + 1);
            if (end == std::string_view::npos)
                throw std::invalid_argument("unclosed text in " + std::string(notation));
            if (notation[i] == '<')
                bytes += static_cast<char>(end - i - 1);
            bytes += notation.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            bytes += FromHex(notation.substr(i, 2));
            i += 2;
        }
    }
    return bytes;
}

std::string ItemRecord(const std::string& properties, std::string_view className)
{
    return B("07<" + std::string(className) + ">") + properties + B("00");
}

std::string OwnerListFile(const std::string& items)
{
    return B("'TPF0' 07<TOwnerList>") + kVersionBytes + B("06<Items> 01 01") + items + B("00 00");
}

const TClassInfo& RootClassOf(std::string_view bytes)
{
    const TClassInfo* info = FindClass(bytes.substr(6, static_cast<std::uint8_t>(bytes.at(5))));
    if (info == nullptr)
        throw std::invalid_argument("no class for the root record of " + Hex(bytes.substr(0, 40)));
    return *info;
}

std::string ReadBack(std::string_view bytes)
{
    return Hex(SaveToString(*CreateFromString(RootClassOf(bytes), bytes)));
}

std::string ReplaceOnce(std::string bytes, std::string_view from, std::string_view to)
{
    const size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << "not found: " << Hex(from);
    if (at == std::string::npos)
        return bytes;
    EXPECT_EQ(bytes.find(from, at + 1), std::string::npos) << "found twice: " << Hex(from);
    return bytes.replace(at, from.size(), to);
}

std::string Refusal(std::string_view bytes, const TClassInfo& root)
{
    const auto block = std::make_unique<char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.get());
    const auto before = LiveObjectCount();
    std::string refusal = "loaded";
    try {
        CreateFromString(root, std::string_view(block.get(), bytes.size()));
    } catch (const EReadError& e) {
        refusal = "EReadError: " + std::string(e.what());
    } catch (const ELoadClassFailed& e) {
        refusal = "ELoadClassFailed: " + std::string(e.what());
    } catch (const EClassNotFound& e) {
        refusal = "EClassNotFound: " + std::string(e.what());
    }
    EXPECT_EQ(LiveObjectCount(), before) << refusal;
    return refusal;
}

std::unique_ptr<TDBNewOracle> BuildSampleModel()
{
    auto model = std::make_unique<TDBNewOracle>();
    model->UserName = "SCOTT";
    model->UserNo = "57";
    model->IncludeSys = model->UseOrdered = true;
    model->SchemaLoaded = 45000.5;
    model->SourceLoaded = 45000.123456789012345;
    for (const auto& [oid, name, number] : {std::tuple{0, "SYS", 0}, std::tuple{5, "SCOTT", 5},
                                            std::tuple{INT32_MAX, "\xC4RGER", -1}}) {
        TOwnerItem& owner = *model->Owners().NewItem();
        owner.OID = oid;
        owner.OwnerName = name;
        owner.OwnerNo = number;
    }
    const auto object = [&](std::int32_t number, int type, const char* name) -> TObjectItem& {
        TObjectItem& item = *model->Objects().NewItem();
        item.OID = item.ObjectNo = number;
        item.OwnerNo = 5;
        item.ObjectType = type;
        item.ObjectName = name;
        return item;
    };
    TObjectItem& emp = object(70000, ObjectTypes::Table, "EMP");
    emp.CommentText = "Employees of the company";
    for (const auto& [name, precision, scale] :
         {std::tuple{"EMPNO", 4, 0}, std::tuple{"ENAME", -1, -1},
          std::tuple{"HIREDATE", -129, -32769}}) {
        TFieldItem& field = *emp.ObjectFields().NewItem();
        field.FieldNo = emp.ObjectFields().Count();
        field.OID = 70000 * 256 + field.FieldNo;
        field.FieldName = name;
        field.Precision = precision;
        field.Scale = scale;
        field.Length = 22;
    }
    emp.ObjectFields().Items(0)->Null = 1;
    emp.ObjectFields().Items(1)->DefaultVal = "'NONE'";
    for (const auto& [number, type, name] :
         {std::tuple{4001, 2, "PK_EMP"}, std::tuple{4002, 4, "FK_DEPT"},
          std::tuple{4003, 1, "CK_EMP"}}) {
        TConstraintItem& constraint = *emp.ObjectConstraints().NewItem();
        constraint.OID = constraint.ConstNo = number;
        constraint.ConstType = type;
        constraint.ObjectName = name;
        constraint.TableName = "EMP";
    }
    TConstraintItem& fk = *emp.ObjectConstraints().Items(1);
    fk.RefAct = true;
    fk.RefObjectNo = 69999;
    fk.RefFields = "DEPTNO";
    fk.RefRules = "CASCADE";
    fk.Match = -1;
    TConstraintItem& check = *emp.ObjectConstraints().Items(2);
    check.ObjectState = ObjectStates::Disabled;
    check.Condition = "ENAME IN (" + Repeat("'NAME', ", 300) + "'LAST')";
    emp.ObjectIndexes().NewItem()->IndexFields = "ENAME DESC,HIREDATE";
    emp.ObjectTriggers().NewItem()->ObjectText =
        "EMP_TRG BEFORE INSERT ON EMP\r\nBEGIN\r\n" + Repeat("  NULL;\r\n", 1000) + "END;";

    TObjectItem& view = object(70020, ObjectTypes::View, "V_EMP");
    view.ObjectText = "SELECT " + Repeat("ENAME, ", 50) + "EMPNO FROM EMP";
    view.ObjectState = ObjectStates::Invalid;
    object(-5, ObjectTypes::Sequence, "EMP_SEQ").OwnerNo = -129;
    object(70030, ObjectTypes::PackageBody, "EMP_PKG").ObjectText =
        "PACKAGE BODY EMP_PKG IS\n" + Repeat("-- a comment line\n", 4000) + "END;";
    // A synonym whose column list was asked for but stayed empty.
    object(70040, ObjectTypes::Synonym, "EMPLOYEES").ObjectFields();
    return model;
}

} // namespace quorvex::test
