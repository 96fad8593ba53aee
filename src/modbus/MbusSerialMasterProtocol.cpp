#include "modbus/MbusSerialMasterProtocol.h"

#include "modbus/MbusError.h"

namespace {

constexpr int defaultDataBits = 8;
constexpr int defaultStopBits = 1;

bool isRetried(int result) {
    return result == MBUS_CHECKSUM_ERROR || result == MBUS_INVALID_FRAME ||
           result == MBUS_REPLY_TIMEOUT;
}

} // namespace

MbusSerialMasterProtocol::~MbusSerialMasterProtocol() {
    port_.close();
}

int MbusSerialMasterProtocol::isLinkOpen() {
    return port_.isOpen() ? 1 : 0;
}

void MbusSerialMasterProtocol::closeLink() {
    port_.close();
}

int MbusSerialMasterProtocol::transact(int slave, int functionCode, const uint8_t* request,
                                       int requestLength, uint8_t* reply, int replyLength) {
    int retriesLeft = retryCount;
    if (!isLinkOpen()) {
        return MBUS_ILLEGAL_STATE;
    }
    for (;;) {
        const int result =
            transactOnce(slave, functionCode, request, requestLength, reply, replyLength);
        if (!isRetried(result) || retriesLeft <= 0) {
            return result;
        }
        --retriesLeft;
    }
}

int MbusSerialMasterProtocol::openPort(const char* portName, int baudRate) {
    return openPort(portName, baudRate, defaultDataBits, defaultStopBits, parityEven);
}

int MbusSerialMasterProtocol::openPort(const char* portName, int baudRate, int dataBits,
                                       int stopBits, int parity) {
    if (isLinkOpen()) {
        return MBUS_ILLEGAL_STATE;
    }
    if (dataBits != 7 && dataBits != 8) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    const SerialPortResult opened = port_.open(portName);
    if (opened == SerialPortResult::PortAccessDenied) {
        return MBUS_PORT_ALREADY_OPEN;
    }
    if (opened != SerialPortResult::PortOk) {
        return MBUS_OPEN_ERROR;
    }
    // Closed again so that the owner can simply try other settings.
    if (port_.configure(baudRate, dataBits, stopBits, parity) != SerialPortResult::PortOk) {
        port_.close();
        return MBUS_ILLEGAL_ARGUMENT;
    }
    // In RS-485 mode the transmitter stays off until a request is sent. Lines without modem
    // control (pseudo-terminals, some adapters) refuse this, which does not matter.
    if (rs485Mode) {
        port_.clearRts();
    } else {
        port_.setRts();
    }
    return MBUS_SUCCESS;
}

int MbusSerialMasterProtocol::setRs485Mode(int delayMs) {
    const unsigned delay = static_cast<unsigned>(delayMs);
    if (delay > maxRs485DelayMs) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    if (isLinkOpen()) {
        return MBUS_ILLEGAL_STATE;
    }
    rs485Delay = delay;
    rs485Mode = delay != 0;
    return MBUS_SUCCESS;
}
