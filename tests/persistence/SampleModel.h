#pragma once

#include "dictionary/DBOraClass.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvex::test {

// A model with owners, objects of several kinds, columns, constraints (cascading, plain and
// disabled), an index, a trigger, texts longer than 255 bytes and negative numbers.
std::unique_ptr<TDBNewOracle> BuildSampleModel();

// Fails the current test (with the path of the first difference) unless both trees hold the
// same classes, property values and items. An absent nested list equals an empty one.
void ExpectSameTree(const TStreamed& expected, const TStreamed& actual,
                    const std::string& path = "root");

// Short-hand for snapshot bytes in tests: hex digits, blanks ignored.
std::string B(std::string_view hex);

// `bytes` with its single occurrence of `from` replaced; fails the test when `from` does not
// occur exactly once.
std::string ReplaceOnce(std::string bytes, std::string_view from, std::string_view to);

} // namespace quorvex::test
