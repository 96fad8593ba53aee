// Arbitrary bytes as a document file: the reader must stay inside them whatever lengths they
// announce, and whatever it accepts must survive a write and a second read unchanged (or be
// refused by the writer, for a server that Windows-1252 cannot hold).
#include "device/VtrFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DocumentSettings settings;
    int32_t version = 0;
    std::string problem;
    if (VtrFile::read({data, size}, version, settings, problem) != VtrFile::ReadResult::read) {
        return 0;
    }
    std::vector<uint8_t> written;
    if (!VtrFile::write(settings, written, problem)) {
        return 0;
    }
    DocumentSettings again;
    if (VtrFile::read(written, version, again, problem) != VtrFile::ReadResult::read ||
        !(again == settings)) {
        __builtin_trap();
    }
    return 0;
}
