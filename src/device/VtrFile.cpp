#include "device/VtrFile.h"

#include "ui/CArchive.h"

#include <algorithm>

namespace {

// One field either way, by the archive's direction.
void transfer(CArchive& ar, int32_t& value) {
    ar.IsStoring() ? ar.writeI32(value) : static_cast<void>(ar.readI32(value));
}
void transfer(CArchive& ar, uint16_t& value) {
    ar.IsStoring() ? ar.writeU16(value) : static_cast<void>(ar.readU16(value));
}
void transfer(CArchive& ar, uint8_t& value) {
    ar.IsStoring() ? ar.writeU8(value) : static_cast<void>(ar.readU8(value));
}
void transfer(CArchive& ar, std::string& text) {
    ar.IsStoring() ? ar.writeString(text) : static_cast<void>(ar.readString(text));
}

// The fields after the format version, in file order. A loading archive fails for good at the
// first field it no longer holds, so one look at the end is enough.
void transferSettings(CArchive& ar, DocumentSettings& settings) {
    ConnectOptions& connect = settings.connect;
    transfer(ar, settings.hexDisplay);
    transfer(ar, settings.autoConnect);
    transfer(ar, connect.protocol);
    transfer(ar, connect.comPort);
    transfer(ar, connect.slaveId);
    transfer(ar, connect.baudIndex);
    transfer(ar, connect.parityIndex);
    transfer(ar, connect.server);
    transfer(ar, connect.tcpPort);
}

} // namespace

void VtrFile::write(const DocumentSettings& settings, CArchive& ar) {
    ar.writeI32(formatVersion);
    DocumentSettings stored = settings;
    transferSettings(ar, stored);
}

VtrFile::ReadResult VtrFile::read(CArchive& ar, int32_t& version, DocumentSettings& settings) {
    int32_t firstField = 0;
    if (!ar.readI32(firstField)) {
        return ReadResult::failed;
    }
    version = firstField;
    if (version != formatVersion) {
        return ReadResult::otherVersion;
    }
    DocumentSettings read;
    transferSettings(ar, read);
    if (ar.failed()) {
        return ReadResult::failed;
    }
    // A name reaches the resolver as a C string, which ends at the first NUL: keep what is
    // used for connecting, so that the tree and a saved copy show that very name.
    std::string& server = read.connect.server;
    server.resize(std::min(server.find('\0'), server.size()));
    settings = read;
    return ReadResult::read;
}
