#pragma once

#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "persistence/ClassRegistry.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex::test {

// The message of the E that `action` throws, or "nothing thrown"; other exceptions escape.
template <class E, class F>
std::string ErrorOf(F&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.what();
    }
    return "nothing thrown";
}

// Snapshot bytes from a short notation: hex byte pairs ("07 0A"), 'raw text', and <text> for
// the text behind its one-byte length, so "06<OID>" is 06 03 4F 49 44. Blanks are ignored.
std::string B(std::string_view notation);

// The property every record ends with; it is always written as 1.
inline const std::string kVersionBytes = B("06<Version> 02 01");

// One item record: 07, the class name, the encoded properties and the closing 00.
std::string ItemRecord(const std::string& properties, std::string_view className = "TOwnerItem");
// A whole file holding an owner list with the given item records.
std::string OwnerListFile(const std::string& items);

// The registered class named by the root record of snapshot `bytes`.
const TClassInfo& RootClassOf(std::string_view bytes);

// Hex of what the writer writes for the objects `bytes` read as (their root class named in them).
std::string ReadBack(std::string_view bytes);

// `bytes` with its single occurrence of `from` replaced; fails the test when `from` does not
// occur exactly once.
std::string ReplaceOnce(std::string bytes, std::string_view from, std::string_view to);

// Loads `bytes` as a `root` from an exactly sized heap block (so the sanitizer sees any read
// past the end) and returns "<exception class>: <message>", or "loaded"; fails the current
// test when model objects are left behind.
std::string Refusal(std::string_view bytes, const TClassInfo& root = TDBNewOracle::StaticClass());

// A model with owners, objects of several kinds, columns, constraints (cascading, plain and
// disabled), an index, a trigger, numbers of every integer width and sign, 8-bit text and texts
// longer than 255 bytes (one over 70000).
std::unique_ptr<TDBNewOracle> BuildSampleModel();

// A fixture for tests that read snapshots: the model classes are registered before each test
// (registering again is harmless).
class SnapshotClassesTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterDictionaryClasses(); }
};

} // namespace quorvex::test
