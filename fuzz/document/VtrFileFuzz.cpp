// Arbitrary bytes as a document file: the reader must stay inside them whatever lengths they
// announce, and whatever it accepts must survive a write and a second read unchanged (or be
// refused by the writer, for a server that Windows-1252 cannot hold).
#include "device/VtrFile.h"
#include "ui/CArchive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CArchive file({data, size});
    DocumentSettings settings;
    int32_t version = 0;
    if (VtrFile::read(file, version, settings) != VtrFile::ReadResult::read) {
        return 0;
    }
    CArchive written;
    VtrFile::write(settings, written);
    if (written.failed()) {
        return 0;
    }
    CArchive again(written.storedBytes());
    DocumentSettings reread;
    if (VtrFile::read(again, version, reread) != VtrFile::ReadResult::read ||
        !(reread == settings)) {
        __builtin_trap();
    }
    return 0;
}
