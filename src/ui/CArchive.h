#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A document's bytes on their way to or from a file: little-endian integers and
// length-prefixed strings, written in the order the document stores its members.
//
// A string's prefix is one byte for up to 254 characters, 0xFF and a u16 up to 65533, and
// 0xFF 0xFFFF and a u32 beyond. Its characters are stored one byte each in the ANSI code page
// (AnsiCodePage); text in memory is UTF-8. On reading, 0xFF 0xFFFE announces UTF-16 text: a
// second prefix of the same form counts its 16-bit units.
//
// Every read checks what remains of the bytes. A read that does not fit fails the archive,
// leaves its target unchanged, and makes every later read fail too, so a document can read
// all its fields and look at failed() once.
class CArchive {
public:
    // An archive that stores into memory.
    CArchive() = default;
    // An archive that loads from these bytes, which must outlive it.
    explicit CArchive(std::span<const uint8_t> bytes) : m_loading(true), m_input(bytes) {}

    bool IsStoring() const { return !m_loading; }
    bool IsLoading() const { return m_loading; }

    void writeU8(uint8_t value);
    void writeU16(uint16_t value);
    void writeU32(uint32_t value);
    void writeI32(int32_t value);
    // Text with a character the code page cannot hold fails the archive rather than being
    // stored with a stand-in: a document that cannot be written whole is not written at all.
    void writeString(const std::string& text);

    bool readU8(uint8_t& value);
    bool readU16(uint16_t& value);
    bool readU32(uint32_t& value);
    bool readI32(int32_t& value);
    bool readString(std::string& text);

    // A read ran past the end of the bytes or met a malformed string, or a write met text it
    // cannot store.
    bool failed() const { return m_failed; }
    // Why a storing archive failed, worded for the user; empty otherwise.
    const std::string& failureReason() const { return m_failureReason; }
    size_t remaining() const { return m_input.size() - m_at; }
    // What a storing archive holds.
    const std::vector<uint8_t>& storedBytes() const { return m_output; }

private:
    bool take(size_t count, const uint8_t*& bytes);
    bool readLength(uint32_t& count, bool& utf16);
    bool fail();

    bool m_loading = false;
    bool m_failed = false;
    std::string m_failureReason;
    std::span<const uint8_t> m_input;
    size_t m_at = 0;
    std::vector<uint8_t> m_output;
};
