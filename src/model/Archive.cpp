#include "model/Archive.h"

#include "model/Utf8.h"
#include "model/Windows1252.h"

namespace {

constexpr unsigned char kLongLength = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLength32 = 0xFFFF;
// The longest length that still fits the 16-bit form; 0xFFFE and 0xFFFF are the markers.
constexpr std::size_t kMaxLength16 = 0xFFFD;

void AppendUInt16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void AppendUInt32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

std::uint32_t LittleEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// UTF-16LE to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string FromUtf16(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(LittleEndian(bytes.substr(i * 2, 2)));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
            const char32_t low = unitAt(++i);
            Utf8::Append(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            Utf8::Append(text, unit);
        }
    }
    return text;
}

} // namespace

CArchive CArchive::ForLoading(std::string_view bytes) {
    CArchive ar(false);
    ar.m_input = bytes;
    return ar;
}

CArchive CArchive::ForStoring() {
    return CArchive(true);
}

void CArchive::WriteInt32(std::int32_t value) {
    AppendUInt32(m_output, static_cast<std::uint32_t>(value));
}

void CArchive::WriteUInt32(std::uint32_t value) {
    AppendUInt32(m_output, value);
}

void CArchive::WriteLength(std::size_t length) {
    if (length < kLongLength) {
        m_output.push_back(static_cast<char>(length));
        return;
    }
    m_output.push_back(static_cast<char>(kLongLength));
    if (length <= kMaxLength16) {
        AppendUInt16(m_output, static_cast<std::uint16_t>(length));
        return;
    }
    AppendUInt16(m_output, kLength32);
    AppendUInt32(m_output, static_cast<std::uint32_t>(length));
}

void CArchive::WriteText(std::string_view utf8) {
    if (Utf8::IsAscii(utf8)) {
        WriteLength(utf8.size());
        m_output.append(utf8);
        return;
    }
    m_scratch.clear();
    if (!Windows1252::Encode(utf8, m_scratch)) {
        WriteWideText(utf8);
        return;
    }
    WriteLength(m_scratch.size());
    m_output.append(m_scratch);
}

void CArchive::WriteWideText(std::string_view utf8) {
    m_scratch.clear();
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t codePoint = Utf8::DecodeNext(utf8, pos);
        if (codePoint < 0x10000) {
            AppendUInt16(m_scratch, static_cast<std::uint16_t>(codePoint));
        } else {
            const char32_t offset = codePoint - 0x10000;
            AppendUInt16(m_scratch, static_cast<std::uint16_t>(0xD800 + (offset >> 10)));
            AppendUInt16(m_scratch, static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF)));
        }
    }
    m_output.push_back(static_cast<char>(kLongLength));
    AppendUInt16(m_output, kWideMarker);
    WriteLength(m_scratch.size() / 2);
    m_output.append(m_scratch);
}

std::string_view CArchive::Take(std::size_t count) {
    if (count > Remaining()) {
        throw CArchiveException();
    }
    const std::string_view bytes = m_input.substr(m_nPos, count);
    m_nPos += count;
    return bytes;
}

std::int32_t CArchive::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

std::uint32_t CArchive::ReadUInt32() {
    return LittleEndian(Take(4));
}

std::size_t CArchive::ReadLength(bool& bWide) {
    const auto readByte = [this] {
        return static_cast<unsigned char>(Take(1)[0]);
    };
    const auto readUInt16 = [this] {
        return static_cast<std::uint16_t>(LittleEndian(Take(2)));
    };
    bWide = false;
    std::size_t length = readByte();
    if (length < kLongLength) {
        return length;
    }
    std::uint16_t length16 = readUInt16();
    // The wide marker stands where a 16-bit length would; a length prefix counting 16-bit
    // units follows it.
    if (length16 == kWideMarker) {
        bWide = true;
        length = readByte();
        if (length < kLongLength) {
            return length;
        }
        length16 = readUInt16();
    }
    if (length16 != kLength32) {
        return length16;
    }
    return LittleEndian(Take(4));
}

std::string CArchive::ReadText() {
    bool bWide = false;
    const std::size_t length = ReadLength(bWide);
    if (!bWide) {
        return Windows1252::Decode(Take(length));
    }
    // Compared in units, so a huge count cannot overflow before it is refused.
    if (length > Remaining() / 2) {
        throw CArchiveException();
    }
    return FromUtf16(Take(length * 2));
}
