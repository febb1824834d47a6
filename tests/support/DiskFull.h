#pragma once

#include <sys/resource.h>

namespace quorvex::test {

// While alive, no file of this process may grow beyond `bytes`: writes past the limit fail
// with EFBIG as on a full disk (SIGXFSZ is ignored meanwhile). Unlike folder permissions, the
// limit holds for root too.
class TDiskFull {
public:
    explicit TDiskFull(rlim_t bytes);
    ~TDiskFull();
    TDiskFull(const TDiskFull&) = delete;
    TDiskFull& operator=(const TDiskFull&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

} // namespace quorvex::test
