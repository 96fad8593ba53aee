#pragma once

#include "modbus/SerialPortResult.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct termios;

// A serial device opened exclusively, in raw mode, with timed reads and writes of an exact
// number of bytes. Every operating-system call is turned into a SerialPortResult.
//
// The device is opened non-blocking so that open never waits for a modem line, and every
// read and write waits with poll. A time-out of 0 (or below) waits without limit.
// Pseudo-terminals accept the line settings but ignore parity and have no modem lines; the
// port copes with both (settings are never read back, RTS failures are only reported).
class SerialPort {
public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens a device by path or COM name (see ComPortName.h) at 9600 baud 8N1 without flow
    // control, DTR on and RTS off. The settings found are restored by close().
    SerialPortResult open(const char* portName);
    // dataBits 7 or 8, stopBits 1 or 2, parity 0 none, 1 odd, 2 even; any standard baud rate.
    SerialPortResult configure(int baudRate, int dataBits, int stopBits, int parity);
    SerialPortResult read(uint8_t* buffer, size_t count, int timeoutMs);
    SerialPortResult write(const uint8_t* buffer, size_t count, int timeoutMs);
    // Discards what was received but not read and what was written but not sent.
    SerialPortResult purge();
    // Waits until every written byte has left the port.
    SerialPortResult drain();
    SerialPortResult setRts();
    SerialPortResult clearRts();
    void close();
    bool isOpen() const { return fd_ >= 0; }

    static constexpr int defaultBaudRate = 9600;

private:
    SerialPortResult openDevice(const char* path);
    SerialPortResult setModemLine(unsigned long request, int line);
    void closeDevice();

    int fd_ = -1;
    // The line settings found at open, restored by close. Held apart so that users of this
    // header need no terminal headers.
    std::unique_ptr<termios> savedSettings_;
};
