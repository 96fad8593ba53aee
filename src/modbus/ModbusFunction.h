#pragma once

// Modbus function codes used by the master and by the unit.
namespace ModbusFunction {
constexpr int readCoils = 0x01;
constexpr int readInputRegisters = 0x04;
constexpr int writeSingleCoil = 0x05;
constexpr int writeSingleRegister = 0x06;
constexpr int writeMultipleCoils = 0x0F;
constexpr int writeMultipleRegisters = 0x10;

// Bit 7 of the function code marks an exception reply.
constexpr int exceptionFlag = 0x80;
} // namespace ModbusFunction
