#include "DiskFull.h"

#include <csignal>
#include <stdexcept>

namespace quorvex::test {

TDiskFull::TDiskFull(rlim_t bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
        throw std::runtime_error("cannot read the file size limit");
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        std::signal(SIGXFSZ, m_handler);
        throw std::runtime_error("cannot limit the file size");
    }
}

TDiskFull::~TDiskFull()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_handler);
}

} // namespace quorvex::test
