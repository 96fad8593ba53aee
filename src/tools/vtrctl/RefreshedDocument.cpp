#include "tools/vtrctl/RefreshedDocument.h"

#include "modbus/MbusError.h"

namespace {

using Read = int (CVtrConfigDoc::*)();

// The blocks in the order a refresh reads them. The first two identify the unit: without them
// nothing else is worth reading.
constexpr Read identifyingReads[] = {&CVtrConfigDoc::checkCommunication,
                                     &CVtrConfigDoc::readDeviceInformation};
constexpr Read configurationReads[] = {
    &CVtrConfigDoc::readStatusRegister,       &CVtrConfigDoc::readDigitalPanelBypass,
    &CVtrConfigDoc::readRtuConfiguration,     &CVtrConfigDoc::readScanMode,
    &CVtrConfigDoc::readAnalogChannelStates,  &CVtrConfigDoc::readAnalogInputOptions,
    &CVtrConfigDoc::readAnalogOutputOptions,  &CVtrConfigDoc::readDigitalDeviceInformation,
    &CVtrConfigDoc::readDigitalChannelStates, &CVtrConfigDoc::readDigitalOutputOptions,
};

void printReadError(std::ostream& err, int code) {
    err << "Read Error: " << errorText(code) << '\n';
}

} // namespace

RefreshedDocument::RefreshedDocument(MbusMasterFunctions& master, bool tcp, int slave,
                                     std::ostream& err)
    : m_scope(m_messages) {
    ConnectOptions options;
    options.protocol = tcp ? ConnectOptions::modbusTcp : ConnectOptions::modbusRtu;
    options.slaveId = static_cast<uint8_t>(slave);
    m_doc.setConnectOptions(options);
    m_doc.useOpenLink(&master);
    for (const Read read : identifyingReads) {
        if (const int result = (m_doc.*read)(); result != MBUS_SUCCESS) {
            printReadError(err, result);
            m_doc.useOpenLink(nullptr);
            return;
        }
    }
    for (const Read read : configurationReads) {
        if (const int result = (m_doc.*read)(); result != MBUS_SUCCESS) {
            printReadError(err, result);
        }
    }
}

// The link belongs to vtrctl, which closes it.
RefreshedDocument::~RefreshedDocument() {
    m_doc.useOpenLink(nullptr);
}
