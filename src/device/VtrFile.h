#pragma once

#include "device/DocumentSettings.h"

#include <cstdint>

class CArchive;

// The .vtr document file: fixed-width little-endian fields, no header and nothing after them.
//
//   0  i32  format version (2)     14  u8   COM port         20  server, a CArchive string
//   4  i32  hexadecimal display    15  u8   slave id         ..  u16  TCP port
//   8  i32  auto connect           16  u16  baud index
//  12  u16  protocol               18  u16  parity index
//
// The server is stored in the archive's code page (Windows-1252); see CArchive for its length
// prefix and for the UTF-16 form that the reader also takes.
class VtrFile {
public:
    static constexpr int32_t formatVersion = 2;

    enum class ReadResult {
        read,         // all fields read into the settings
        otherVersion, // a format this program does not know: the settings are left unchanged
        failed,       // the archive failed: the settings are left unchanged
    };

    // Fails the archive when the server cannot be stored in the archive's code page.
    static void write(const DocumentSettings& settings, CArchive& ar);

    // `version` receives the first field whenever the file holds one.
    static ReadResult read(CArchive& ar, int32_t& version, DocumentSettings& settings);
};
