#pragma once

#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::test {

// Replays a fuzzer's seed corpus (and the reproducers of fixed findings) through its entry
// point: `load` returns true when the input loaded and false when it was refused. Files named
// ok-* must load, bad-* must be refused; any other file may do either. Nothing may throw, and
// `check` runs after each file (for leak counters). The corpus needs seeds of both kinds.
inline void ReplayCorpus(const std::string& folder,
                         const std::function<bool(std::string_view)>& load,
                         const std::function<void()>& check = {})
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    int good = 0;
    int bad = 0;
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const std::string bytes = ReadFileBytes(file.string());
        bool loaded = false;
        EXPECT_NO_THROW(loaded = load(bytes));
        if (check)
            check();
        if (name.rfind("ok-", 0) == 0) {
            ++good;
            EXPECT_TRUE(loaded);
        } else if (name.rfind("bad-", 0) == 0) {
            ++bad;
            EXPECT_FALSE(loaded);
        }
    }
    EXPECT_GE(good, 2) << folder;
    EXPECT_GE(bad, 2) << folder;
}

} // namespace quorvex::test
