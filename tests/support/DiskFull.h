#pragma once

#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace quorvex::test {

// While alive, no file of this process may grow beyond `bytes` (0: no limit is set): writes
// past the limit fail with EFBIG as on a full disk (SIGXFSZ is ignored meanwhile). Unlike
// folder permissions, the limit holds for root too.
class TDiskFull {
public:
    explicit TDiskFull(rlim_t bytes);
    ~TDiskFull();
    TDiskFull(const TDiskFull&) = delete;
    TDiskFull& operator=(const TDiskFull&) = delete;

private:
    bool m_set = false;
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

// Every entry under `folder`, one per line in name order: folders end in "/", files show their
// bytes (their size when long). Compared before and after a failed save, it shows that the old
// file is intact and no temporary file stayed behind.
std::string FolderContents(const std::filesystem::path& folder);

} // namespace quorvex::test
