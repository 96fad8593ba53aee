#include "device/DocumentSettings.h"

bool DocumentSettings::differsFrom(const DocumentSettings& reference) const {
    const ConnectOptions& was = reference.connect;
    if (hexDisplay != reference.hexDisplay || autoConnect != reference.autoConnect ||
        connect.protocol != was.protocol) {
        return true;
    }
    switch (connect.protocol) {
    case ConnectOptions::modbusRtu:
        return connect.comPort != was.comPort || connect.slaveId != was.slaveId ||
               connect.baudIndex != was.baudIndex || connect.parityIndex != was.parityIndex;
    case ConnectOptions::modbusTcp:
        return connect.server != was.server || connect.tcpPort != was.tcpPort;
    default:
        return false;
    }
}
