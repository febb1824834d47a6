#pragma once

#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace quorvex::test {

// Replays a fuzzer's seed corpus (and the reproducers of fixed findings) through its entry
// point: `load` returns true when the input loaded and false when it was refused. Files named
// ok-* must load, bad-* must be refused; any other file may do either. Nothing may throw, and
// `check` runs after each file (for leak counters). The corpus needs seeds of both kinds.
inline void ReplayCorpus(
    const std::string& folder, const std::function<bool(std::string_view)>& load,
    const std::function<void()>& check = [] {})
{
    const std::set<std::filesystem::path> files(std::filesystem::directory_iterator(folder), {});
    int seeds[2] = {0, 0}; // refused, loaded
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        bool loaded = false;
        EXPECT_NO_THROW(loaded = load(ReadFileBytes(file.string()))) << name;
        check();
        const bool ok = name.starts_with("ok-");
        if (ok || name.starts_with("bad-")) {
            EXPECT_EQ(loaded, ok) << name;
            ++seeds[ok];
        }
    }
    EXPECT_GE(std::min(seeds[0], seeds[1]), 2) << folder;
}

} // namespace quorvex::test
