#pragma once

#include "modbus/MbusSerialMasterProtocol.h"
#include "modbus/RtuFrame.h"

#include <cstdint>

// The Modbus RTU master: each request is framed with slave address and CRC-16, sent only after
// the line has been quiet for the inter-frame silence, and the reply is read by the counts the
// request implies.
class MbusRtuMasterProtocol : public MbusSerialMasterProtocol {
public:
    using MbusSerialMasterProtocol::openPort;
    // RTU needs 8 data bits: 7 is refused with MBUS_ILLEGAL_ARGUMENT before the port is touched.
    int openPort(const char* portName, int baudRate, int dataBits, int stopBits,
                 int parity) override;

    // The inter-frame silence: four 11-bit characters at the baud rate of the last openPort,
    // at least 1 ms.
    int getCharTimeout() const { return charTimeoutMs; }

    // The silence for a baud rate, rounded up from half a millisecond on.
    static int charTimeoutFor(int baudRate);

    // How long a reply that missed its time-out may take to start before the next request
    // goes out (-1, the default: one more time-out). A search that asks each slave address
    // once can take 0: a late frame then meets a request to another address, whose reply
    // check refuses it, instead of doubling the cost of every silent address.
    void setLateReplyWait(int milliseconds) { lateReplyWaitMs = milliseconds; }

protected:
    int transactOnce(int slave, int functionCode, const uint8_t* request, int requestLength,
                     uint8_t* reply, int replyLength) override;

private:
    int waitForSilence();
    bool dropUntilQuiet(int64_t deadlineTicks);
    void discardLateReply(bool replyUnderway);
    int sendRequest();
    int receiveReply(int slave, int functionCode, uint8_t* reply, int replyLength);

    int charTimeoutMs = 1;
    int lateReplyWaitMs = -1;
    RtuFrame frame_;
};
