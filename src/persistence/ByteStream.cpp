#include "ByteStream.h"

#include "Exceptions.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

namespace {
constexpr size_t kReadBufferSize = 256 * 1024;
constexpr size_t kWriteBufferSize = 1024 * 1024;

[[noreturn]] void ThrowReadError()
{
    throw EReadError(messages::kStreamReadError);
}
} // namespace

void TByteSource::UseBuffer(const char* data, size_t size) noexcept
{
    m_pos = data;
    m_end = data + size;
    m_remaining = 0;
}

void TByteSource::Refill()
{
    if (m_remaining == 0)
        ThrowReadError();
    if (m_buffer.empty())
        m_buffer.resize(kReadBufferSize);
    const size_t got = Fill(m_buffer.data(), m_buffer.size());
    if (got == 0 || got > m_remaining)
        ThrowReadError(); // the file shrank while we read it
    m_remaining -= got;
    m_pos = m_buffer.data();
    m_end = m_pos + got;
}

void TByteSource::ReadAcross(void* target, size_t count)
{
    if (count > Remaining())
        ThrowReadError();
    auto* out = static_cast<char*>(target);
    while (count > 0) {
        if (m_pos == m_end)
            Refill();
        const size_t chunk = std::min(count, static_cast<size_t>(m_end - m_pos));
        std::memcpy(out, m_pos, chunk);
        m_pos += chunk;
        out += chunk;
        count -= chunk;
    }
}

void TByteSource::ReadIntoAcross(std::string& text, size_t count)
{
    if (count > Remaining())
        ThrowReadError();
    text.resize(count);
    ReadAcross(text.data(), count);
}

std::string TByteSource::ReadString(size_t count)
{
    // Checked before allocating: a hostile length cannot make us reserve more than the input.
    if (count > Remaining())
        ThrowReadError();
    std::string text(count, '\0');
    Read(text.data(), count);
    return text;
}

TMemorySource::TMemorySource(std::string_view bytes)
{
    UseBuffer(bytes.data(), bytes.size());
}

TFileSource::TFileSource(const std::string& fileName)
{
    m_file = std::fopen(fileName.c_str(), "rb");
    struct stat info {};
    if (m_file == nullptr || fstat(fileno(m_file), &info) != 0 || !S_ISREG(info.st_mode)) {
        if (m_file != nullptr)
            std::fclose(m_file);
        m_file = nullptr;
        throw EFOpenError(messages::CannotOpenFile(fileName));
    }
    SetTotal(static_cast<std::uint64_t>(info.st_size));
}

TFileSource::~TFileSource()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

size_t TFileSource::Fill(char* buffer, size_t capacity)
{
    return std::fread(buffer, 1, capacity, m_file);
}

TByteSink::TByteSink()
{
    m_buffer.reserve(kWriteBufferSize);
}

void TByteSink::Write(const void* data, size_t count)
{
    const auto* bytes = static_cast<const char*>(data);
    if (count > m_buffer.capacity() - m_buffer.size()) {
        Flush();
        if (count >= m_buffer.capacity()) {
            Emit(bytes, count);
            return;
        }
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + count);
}

void TByteSink::Flush()
{
    if (!m_buffer.empty()) {
        Emit(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }
}

TSafeFileSink::TSafeFileSink(const std::string& fileName)
    : m_fileName(fileName)
{
    std::string pattern = fileName + ".tmp-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw EFCreateError(messages::CannotCreateFile(fileName));
    m_tempName = pattern;
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & umask.
    struct stat existing {};
    if (stat(fileName.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr) {
        close(fd);
        std::remove(m_tempName.c_str());
        throw EFCreateError(messages::CannotCreateFile(fileName));
    }
}

TSafeFileSink::~TSafeFileSink()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        std::remove(m_tempName.c_str());
    }
}

void TSafeFileSink::Emit(const char* data, size_t count)
{
    if (std::fwrite(data, 1, count, m_file) != count)
        throw EWriteError(messages::kStreamWriteError);
}

void TSafeFileSink::Commit()
{
    Flush();
    const bool written = std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!written || !closed) {
        std::remove(m_tempName.c_str());
        throw EWriteError(messages::kStreamWriteError);
    }
    if (std::rename(m_tempName.c_str(), m_fileName.c_str()) != 0) {
        std::remove(m_tempName.c_str());
        throw EFCreateError(messages::CannotCreateFile(m_fileName));
    }
}

} // namespace quorvex
