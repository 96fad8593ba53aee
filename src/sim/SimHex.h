#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Formats frames for the trace: "01 04 10 00 00 50".
class SimHex {
public:
    static std::string format(const uint8_t* bytes, size_t size);
};
