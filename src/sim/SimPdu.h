#pragma once

#include <cstddef>
#include <cstdint>

// Modbus protocol data unit constants as the slave sees them: function codes, exception
// codes, the quantity limits of each function and the field offsets of the requests.
namespace SimPdu {

constexpr uint8_t readCoils = 0x01;
constexpr uint8_t readInputRegisters = 0x04;
constexpr uint8_t writeSingleCoil = 0x05;
constexpr uint8_t writeSingleRegister = 0x06;
constexpr uint8_t writeMultipleCoils = 0x0F;
constexpr uint8_t writeMultipleRegisters = 0x10;
constexpr uint8_t exceptionFlag = 0x80;

constexpr uint8_t illegalFunction = 1;
constexpr uint8_t illegalDataAddress = 2;
constexpr uint8_t illegalDataValue = 3;
constexpr uint8_t slaveDeviceFailure = 4;

constexpr unsigned maxReadCoils = 2000;
constexpr unsigned maxReadRegisters = 125;
constexpr unsigned maxWriteCoils = 1968;
constexpr unsigned maxWriteRegisters = 123;

constexpr uint16_t coilOn = 0xFF00;
constexpr uint16_t coilOff = 0x0000;

// A PDU is the function code and at most 252 data bytes (a 256-byte RTU frame less address
// and CRC; the MBAP length field allows the same).
constexpr size_t maxSize = 253;

// Request fields, offsets from the function code.
constexpr size_t functionOffset = 0;
constexpr size_t addressOffset = 1;
constexpr size_t quantityOffset = 3; // count of a read or multiple write, value of a single write
constexpr size_t byteCountOffset = 5;
constexpr size_t valuesOffset = 6;
constexpr size_t fixedRequestSize = 5; // function, address, quantity or value

// Reply fields.
constexpr size_t replyByteCountOffset = 1;
constexpr size_t replyValuesOffset = 2;
constexpr size_t exceptionCodeOffset = 1;
constexpr size_t exceptionSize = 2;

} // namespace SimPdu
