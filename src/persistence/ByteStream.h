#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// Buffered input of a snapshot: from a file or from memory. Knows how many bytes remain, so a
// length field larger than the rest of the input is refused before anything is allocated.
class TByteSource {
public:
    virtual ~TByteSource() = default;

    std::uint8_t ReadByte()
    {
        if (m_pos == m_end)
            Refill();
        return static_cast<std::uint8_t>(*m_pos++);
    }
    std::uint8_t PeekByte()
    {
        if (m_pos == m_end)
            Refill();
        return static_cast<std::uint8_t>(*m_pos);
    }
    void Read(void* target, size_t count)
    {
        // Inline when the buffer holds the bytes: values are short and read by the million.
        if (count <= static_cast<size_t>(m_end - m_pos)) {
            std::memcpy(target, m_pos, count);
            m_pos += count;
            return;
        }
        ReadAcross(target, count);
    }
    // Replaces `text` by the next `count` bytes; refuses a count beyond the input before
    // allocating anything.
    void ReadInto(std::string& text, size_t count)
    {
        if (count <= static_cast<size_t>(m_end - m_pos)) {
            text.assign(m_pos, count);
            m_pos += count;
            return;
        }
        ReadIntoAcross(text, count);
    }
    std::string ReadString(size_t count);
    std::uint64_t Remaining() const noexcept { return m_remaining + (m_end - m_pos); }

protected:
    // Fills `buffer` with up to `capacity` bytes and returns how many; 0 at the end.
    virtual size_t Fill(char* buffer, size_t capacity) = 0;
    void SetTotal(std::uint64_t total) noexcept { m_remaining = total; }
    void UseBuffer(const char* data, size_t size) noexcept; // for sources that hold all bytes

private:
    void Refill();
    void ReadAcross(void* target, size_t count);
    void ReadIntoAcross(std::string& text, size_t count);

    std::vector<char> m_buffer;
    const char* m_pos = nullptr;
    const char* m_end = nullptr;
    std::uint64_t m_remaining = 0; // not yet in the buffer
};

class TMemorySource final : public TByteSource {
public:
    explicit TMemorySource(std::string_view bytes);

protected:
    size_t Fill(char*, size_t) override { return 0; }
};

// Opens the file for reading; EFOpenError ("Cannot open file %s") when it cannot.
class TFileSource final : public TByteSource {
public:
    explicit TFileSource(const std::string& fileName);
    ~TFileSource() override;
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

protected:
    size_t Fill(char* buffer, size_t capacity) override;

private:
    std::FILE* m_file = nullptr;
};

// Buffered output of a snapshot or text report.
class TByteSink {
public:
    virtual ~TByteSink() = default;

    void WriteByte(std::uint8_t b)
    {
        if (m_buffer.size() == m_buffer.capacity())
            Flush();
        m_buffer.push_back(static_cast<char>(b));
    }
    void Write(const void* data, size_t count);
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    void Flush();

protected:
    TByteSink();
    virtual void Emit(const char* data, size_t count) = 0;

private:
    std::vector<char> m_buffer;
};

class TStringSink final : public TByteSink {
public:
    std::string& Bytes()
    {
        Flush();
        return m_bytes;
    }

protected:
    void Emit(const char* data, size_t count) override { m_bytes.append(data, count); }

private:
    std::string m_bytes;
};

// Writes to a temporary file beside the target and renames it into place on Commit, so a
// failed save never destroys the previous file. Without Commit the temporary is removed.
class TSafeFileSink final : public TByteSink {
public:
    explicit TSafeFileSink(const std::string& fileName); // EFCreateError when it cannot
    ~TSafeFileSink() override;
    TSafeFileSink(const TSafeFileSink&) = delete;
    TSafeFileSink& operator=(const TSafeFileSink&) = delete;

    void Commit(); // EWriteError when the data cannot be written or the rename fails

protected:
    void Emit(const char* data, size_t count) override;

private:
    std::string m_fileName;
    std::string m_tempName;
    std::FILE* m_file = nullptr;
};

} // namespace quorvex
