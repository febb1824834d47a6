#include "DiskFull.h"

#include "TestSupport.h"

#include <algorithm>
#include <csignal>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace quorvex::test {

TDiskFull::TDiskFull(rlim_t bytes)
    : m_set(bytes != 0)
{
    if (!m_set)
        return;
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
    if (!m_set)
        return;
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_handler);
}

std::string FolderContents(const std::filesystem::path& folder)
{
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string bytes = entry.is_directory() ? "" : ReadFileBytes(entry.path());
        lines.push_back(fs::relative(entry.path(), folder).string() +
                        (entry.is_directory() ? "/"
                         : bytes.size() < 100 ? " " + bytes
                                              : " " + std::to_string(bytes.size()) + " bytes"));
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace quorvex::test
