#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Thrown by a loading archive when the bytes end before the field being read is complete, or
// a length prefix promises more than remains; the open then fails as "Unexpected file format.".
class CArchiveException : public std::runtime_error {
public:
    CArchiveException() : std::runtime_error("Unexpected file format.") {}
};

// The serialisation stream of the *.bod format: little-endian integers and length-prefixed
// texts. Texts are UTF-8 in memory and Windows-1252 on disk; a text that Windows-1252 cannot
// hold is written in the wide form (FF FE FF, length, UTF-16LE) that the reader also accepts.
// A loading archive checks every length against the bytes that remain before it allocates.
class CArchive {
public:
    static CArchive ForLoading(std::string_view bytes);
    static CArchive ForStoring();

    bool IsStoring() const { return m_bStoring; }

    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteText(std::string_view utf8);

    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    std::string ReadText();

    std::size_t Remaining() const { return m_input.size() - m_nPos; }
    // The bytes written so far (storing archives).
    const std::string& Bytes() const { return m_output; }
    void Reserve(std::size_t count) { m_output.reserve(count); }
    std::string TakeBytes() { return std::move(m_output); }

private:
    explicit CArchive(bool bStoring) : m_bStoring(bStoring) {}

    std::string_view Take(std::size_t count);
    // Reads a length prefix; bWide tells whether it followed the wide-text marker.
    std::size_t ReadLength(bool& bWide);
    void WriteLength(std::size_t length);
    void WriteWideText(std::string_view utf8);

    bool m_bStoring;
    std::string_view m_input;
    std::size_t m_nPos = 0;
    std::string m_output;
    // Reused between texts so that encoding a non-ASCII text does not allocate each time.
    std::string m_scratch;
};
