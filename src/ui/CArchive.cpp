#include "ui/CArchive.h"

#include "ui/AnsiCodePage.h"
#include "ui/Utf8.h"

namespace {

constexpr uint8_t kWidePrefix = 0xFF;
constexpr uint16_t kWideLength = 0xFFFF;
constexpr uint16_t kUtf16Marker = 0xFFFE;
constexpr uint32_t kLongestShort = 254;
constexpr uint32_t kLongestMedium = 65533;

// A lone surrogate becomes U+FFFD rather than an invalid UTF-8 sequence.
std::string utf16ToUtf8(const uint8_t* bytes, uint32_t units) {
    constexpr uint32_t kReplacement = 0xFFFD;
    std::string text;
    for (uint32_t i = 0; i < units; ++i) {
        const uint32_t unit = bytes[2 * i] | (bytes[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
            const uint32_t low = bytes[2 * i + 2] | (bytes[2 * i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                Utf8::append(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        Utf8::append(text, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
    return text;
}

} // namespace

void CArchive::writeU8(uint8_t value) {
    m_output.push_back(value);
}

void CArchive::writeU16(uint16_t value) {
    writeU8(static_cast<uint8_t>(value));
    writeU8(static_cast<uint8_t>(value >> 8));
}

void CArchive::writeU32(uint32_t value) {
    writeU16(static_cast<uint16_t>(value));
    writeU16(static_cast<uint16_t>(value >> 16));
}

void CArchive::writeI32(int32_t value) {
    writeU32(static_cast<uint32_t>(value));
}

void CArchive::writeString(const std::string& text) {
    std::string bytes;
    size_t badOffset = 0;
    if (m_failed || !AnsiCodePage::fromUtf8(text, bytes, badOffset)) {
        if (!m_failed) {
            m_failureReason = "\"" + text + "\" has a character at byte " +
                              std::to_string(badOffset) +
                              " that cannot be stored in the file (Windows-1252)";
        }
        fail();
        return;
    }
    const size_t count = bytes.size();
    if (count <= kLongestShort) {
        writeU8(static_cast<uint8_t>(count));
    } else if (count <= kLongestMedium) {
        writeU8(kWidePrefix);
        writeU16(static_cast<uint16_t>(count));
    } else {
        writeU8(kWidePrefix);
        writeU16(kWideLength);
        writeU32(static_cast<uint32_t>(count));
    }
    m_output.insert(m_output.end(), bytes.begin(), bytes.end());
}

bool CArchive::fail() {
    m_failed = true;
    return false;
}

bool CArchive::take(size_t count, const uint8_t*& bytes) {
    if (m_failed || !m_loading || count > remaining()) {
        return fail();
    }
    bytes = m_input.data() + m_at;
    m_at += count;
    return true;
}

bool CArchive::readU8(uint8_t& value) {
    const uint8_t* bytes = nullptr;
    if (!take(1, bytes)) {
        return false;
    }
    value = bytes[0];
    return true;
}

bool CArchive::readU16(uint16_t& value) {
    const uint8_t* bytes = nullptr;
    if (!take(2, bytes)) {
        return false;
    }
    value = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

bool CArchive::readU32(uint32_t& value) {
    const uint8_t* bytes = nullptr;
    if (!take(4, bytes)) {
        return false;
    }
    value = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
            (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

bool CArchive::readI32(int32_t& value) {
    uint32_t raw = 0;
    if (!readU32(raw)) {
        return false;
    }
    value = static_cast<int32_t>(raw);
    return true;
}

bool CArchive::readLength(uint32_t& count, bool& utf16) {
    uint8_t shortCount = 0;
    if (!readU8(shortCount)) {
        return false;
    }
    if (shortCount != kWidePrefix) {
        count = shortCount;
        return true;
    }
    uint16_t mediumCount = 0;
    if (!readU16(mediumCount)) {
        return false;
    }
    if (mediumCount == kUtf16Marker) {
        if (utf16) {
            return fail(); // the marker does not repeat inside its own prefix
        }
        utf16 = true;
        return readLength(count, utf16);
    }
    if (mediumCount != kWideLength) {
        count = mediumCount;
        return true;
    }
    return readU32(count);
}

bool CArchive::readString(std::string& text) {
    uint32_t count = 0;
    bool utf16 = false;
    if (!readLength(count, utf16)) {
        return false;
    }
    // Checked against what remains before anything is allocated: a damaged prefix must not
    // ask for gigabytes.
    const uint64_t size = utf16 ? 2ull * count : count;
    const uint8_t* bytes = nullptr;
    if (size > remaining() || !take(static_cast<size_t>(size), bytes)) {
        return fail();
    }
    text = utf16 ? utf16ToUtf8(bytes, count)
                 : AnsiCodePage::toUtf8({reinterpret_cast<const char*>(bytes), count});
    return true;
}
