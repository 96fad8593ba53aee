#pragma once

#include "device/DocumentSettings.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The .vtr document file: fixed-width little-endian fields, no header and nothing after them.
//
//   0  i32  format version (2)     14  u8   COM port         20  length prefix of server
//   4  i32  hexadecimal display    15  u8   slave id         ..  server, one byte per character
//   8  i32  auto connect           16  u16  baud index       ..  u16  TCP port
//  12  u16  protocol               18  u16  parity index
//
// A length prefix is one byte for 0..254 characters, 0xFF and a u16 for 255..65533, and 0xFF,
// 0xFFFF and a u32 beyond. The reader also takes the UTF-16 form that other writers produce:
// 0xFF, 0xFFFE, then a second prefix of the same kind counting 16-bit characters.
class VtrFile {
public:
    static constexpr int32_t formatVersion = 2;

    enum class ReadResult {
        read,         // all fields read into the settings
        otherVersion, // a format this program does not know: the settings are left unchanged
        failed,       // the file is not a document: the settings are left unchanged
    };

    // The whole file. Fails, with a one-line reason in `problem`, when `server` holds a
    // character that Windows-1252 cannot store; nothing is then to be written.
    static bool write(const DocumentSettings& settings, std::vector<uint8_t>& bytes,
                      std::string& problem);

    // Reads a whole file. Every length is checked against the bytes that are left, so a
    // truncated file or an absurd length fails cleanly with a one-line reason in `problem`.
    // `version` receives the first field whenever the file holds one.
    static ReadResult read(std::span<const uint8_t> bytes, int32_t& version,
                           DocumentSettings& settings, std::string& problem);
};
