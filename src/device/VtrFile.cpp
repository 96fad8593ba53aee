#include "device/VtrFile.h"

#include "ui/CArchive.h"

void VtrFile::write(const DocumentSettings& settings, CArchive& ar) {
    const ConnectOptions& connect = settings.connect;
    ar.writeI32(formatVersion);
    ar.writeI32(settings.hexDisplay);
    ar.writeI32(settings.autoConnect);
    ar.writeU16(connect.protocol);
    ar.writeU8(connect.comPort);
    ar.writeU8(connect.slaveId);
    ar.writeU16(connect.baudIndex);
    ar.writeU16(connect.parityIndex);
    ar.writeString(connect.server);
    ar.writeU16(connect.tcpPort);
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
    ConnectOptions& connect = read.connect;
    // The archive fails for good at the first field it no longer holds; one look at the end.
    ar.readI32(read.hexDisplay);
    ar.readI32(read.autoConnect);
    ar.readU16(connect.protocol);
    ar.readU8(connect.comPort);
    ar.readU8(connect.slaveId);
    ar.readU16(connect.baudIndex);
    ar.readU16(connect.parityIndex);
    ar.readString(connect.server);
    ar.readU16(connect.tcpPort);
    if (ar.failed()) {
        return ReadResult::failed;
    }
    settings = read;
    return ReadResult::read;
}
