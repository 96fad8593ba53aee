#include "modbus/MbusRtuMasterProtocol.h"

#include "modbus/MbusError.h"

#include <cmath>

namespace {

constexpr int rtuDataBits = 8;
constexpr int broadcastSlave = 0;
constexpr double bitsPerCharacter = 11.0;
constexpr double silenceCharacters = 4.0;

int readError(SerialPortResult result) {
    return result == SerialPortResult::PortTimeout ? MBUS_REPLY_TIMEOUT : MBUS_IO_ERROR;
}

} // namespace

int MbusRtuMasterProtocol::charTimeoutFor(int baudRate) {
    if (baudRate <= 0) {
        return 1;
    }
    const double milliseconds = silenceCharacters * bitsPerCharacter * 1000.0 / baudRate;
    const long rounded = std::lround(milliseconds + 0.5);
    return rounded < 1 ? 1 : static_cast<int>(rounded);
}

int MbusRtuMasterProtocol::openPort(const char* portName, int baudRate, int dataBits, int stopBits,
                                    int parity) {
    charTimeoutMs = charTimeoutFor(baudRate);
    if (dataBits != rtuDataBits) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    return MbusSerialMasterProtocol::openPort(portName, baudRate, dataBits, stopBits, parity);
}

int MbusRtuMasterProtocol::transactOnce(int slave, int functionCode, const uint8_t* request,
                                        int requestLength, uint8_t* reply, int replyLength) {
    if (replyLength < 0 || replyLength > RtuFrame::maxDataLength) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    int result = frame_.buildRequest(slave, functionCode, request, requestLength);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    port().purge();
    waitPollDelay();
    result = waitForSilence();
    if (result != MBUS_SUCCESS) {
        return result;
    }
    result = sendRequest();
    if (result != MBUS_SUCCESS) {
        return result;
    }
    // Nobody answers a broadcast.
    if (slave == broadcastSlave || replyLength == 0) {
        return MBUS_SUCCESS;
    }
    result = receiveReply(slave, functionCode, reply, replyLength);
    if (result == MBUS_REPLY_TIMEOUT) {
        discardLateReply(false);
    } else if (result == MBUS_CHECKSUM_ERROR || result == MBUS_INVALID_FRAME) {
        discardLateReply(true);
    }
    return result;
}

// A frame may start only after the line has been quiet for charTimeoutMs; whatever another
// device is sending meanwhile is dropped. A line that never falls quiet ends the wait after
// timeoutMs so that the program cannot hang on it.
int MbusRtuMasterProtocol::waitForSilence() {
    const int64_t deadline =
        timeoutMs > 0 ? clock().nowTicks() + int64_t{timeoutMs} * Clock::ticksPerMs : 0;
    return dropUntilQuiet(deadline) ? MBUS_SUCCESS : MBUS_SEND_TIMEOUT;
}

// Drops bytes until none has come for charTimeoutMs; false when the deadline (0: none) passes
// first.
bool MbusRtuMasterProtocol::dropUntilQuiet(int64_t deadlineTicks) {
    uint8_t dropped = 0;
    while (port().read(&dropped, 1, charTimeoutMs) == SerialPortResult::PortOk) {
        if (deadlineTicks != 0 && clock().nowTicks() >= deadlineTicks) {
            return false;
        }
    }
    return true;
}

// RTU frames carry no transaction id: a reply that comes after its time-out, or the rest of a
// refused one, would be read as the answer to the next request. So the line is listened out
// for up to one more time-out, and the late frame dropped once the line falls quiet after it.
void MbusRtuMasterProtocol::discardLateReply(bool replyUnderway) {
    const int64_t deadline =
        timeoutMs > 0 ? clock().nowTicks() + int64_t{timeoutMs} * Clock::ticksPerMs : 0;
    const int startWaitMs = lateReplyWaitMs >= 0 ? lateReplyWaitMs : timeoutMs;
    uint8_t first = 0;
    if (!replyUnderway &&
        (startWaitMs <= 0 || port().read(&first, 1, startWaitMs) != SerialPortResult::PortOk)) {
        return;
    }
    dropUntilQuiet(deadline);
}

// In RS-485 mode RTS switches the converter's transmitter on for the request, and off again
// rs485Delay after the last byte has left so that the slave's answer is not cut off.
int MbusRtuMasterProtocol::sendRequest() {
    if (rs485Mode) {
        port().setRts();
    }
    const SerialPortResult written = port().write(frame_.bytes(), frame_.size(), timeoutMs);
    port().drain();
    if (rs485Mode) {
        clock().sleepMs(rs485Delay);
        port().clearRts();
    }
    if (written == SerialPortResult::PortTimeout) {
        return MBUS_SEND_TIMEOUT;
    }
    return written == SerialPortResult::PortOk ? MBUS_SUCCESS : MBUS_IO_ERROR;
}

int MbusRtuMasterProtocol::receiveReply(int slave, int functionCode, uint8_t* reply,
                                        int replyLength) {
    SerialPortResult result = port().read(frame_.bytes(), RtuFrame::replyHeadSize, timeoutMs);
    if (result != SerialPortResult::PortOk) {
        return readError(result);
    }
    const size_t size = frame_.replySize(replyLength);
    if (size == 0) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    if (size > RtuFrame::replyHeadSize) {
        result = port().read(frame_.bytes() + RtuFrame::replyHeadSize,
                             size - RtuFrame::replyHeadSize, timeoutMs);
        if (result != SerialPortResult::PortOk) {
            return readError(result);
        }
    }
    return frame_.checkReply(size, slave, functionCode, reply, replyLength);
}
