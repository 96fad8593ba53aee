#pragma once

#include "modbus/MbusMasterFunctions.h"
#include "modbus/SerialPort.h"

#include <cstdint>

// The Modbus master on a serial line: owns the port, its line settings, the retry rule and the
// optional RS-485 direction control through RTS. The framing is the subclass's (RTU).
class MbusSerialMasterProtocol : public MbusMasterFunctions {
public:
    static constexpr int parityNone = 0;
    static constexpr int parityOdd = 1;
    static constexpr int parityEven = 2;
    static constexpr unsigned maxRs485DelayMs = 100000;

    MbusSerialMasterProtocol() = default;
    ~MbusSerialMasterProtocol() override;

    int isLinkOpen() override;
    void closeLink() override;
    // Retries a CRC error, a wrong frame or a reply time-out up to retryCount times; the port
    // is never reopened.
    int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength) override;
    // 8 data bits, one stop bit, even parity.
    virtual int openPort(const char* portName, int baudRate);
    // portName: a device path, "COM<n>" or "\\.\COM<n>". A port whose settings are rejected is
    // closed again before the error is returned.
    virtual int openPort(const char* portName, int baudRate, int dataBits, int stopBits,
                         int parity);
    // A delay of 1..100000 ms switches RS-485 mode on: RTS is raised while sending and dropped
    // that long after the last byte has left; 0 switches it off. Only while closed.
    virtual int setRs485Mode(int delayMs);

    bool isRs485Mode() const { return rs485Mode; }
    int getRs485Delay() const { return static_cast<int>(rs485Delay); }

protected:
    // One attempt: request out, reply in and checked.
    virtual int transactOnce(int slave, int functionCode, const uint8_t* request, int requestLength,
                             uint8_t* reply, int replyLength) = 0;

    SerialPort& port() { return port_; }

    bool rs485Mode = false;
    unsigned rs485Delay = 0; // ms

private:
    SerialPort port_;
};
