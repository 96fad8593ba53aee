// Feeds arbitrary text to the unit profile loader: it must answer with a message, never crash
// or throw, and a profile it accepts must be servable.

#include "sim/SimProfileLoader.h"
#include "sim/SimUnit.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SimProfile profile = SimProfile::minimal();
    std::string message;
    if (SimProfileLoader::loadText(text, "fuzz.json", profile, message) == SimProfileLoader::ok) {
        SimUnit unit(profile);
        unit.freezeLiveValues(0);
        uint16_t values[125];
        for (unsigned address = 0; address < 0x10000; address += 125) {
            unit.readRegisters(static_cast<uint16_t>(address), 125, values);
        }
    } else if (message.empty()) {
        __builtin_trap();
    }
    return 0;
}
