#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvex::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::string ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, std::string_view bytes);

// Hex dump "54 50 46 30" of bytes, for readable failure messages and expectations.
std::string Hex(std::string_view bytes);
// Bytes from a hex text such as "07 0A 54 4F"; blanks are ignored.
std::string FromHex(std::string_view hex);

} // namespace quorvex::test
