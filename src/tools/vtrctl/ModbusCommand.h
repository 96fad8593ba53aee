#pragma once

#include "modbus/MbusMasterFunctions.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One of the six Modbus operations of vtrctl with its arguments, ready to be run any number of
// times on an open master. A read COUNT must lie within what the function allows; REF and coil
// values go to the master as typed (saturated to int), so that its own checks answer arguments
// out of range.
class ModbusCommand {
public:
    enum class Kind {
        readCoils,
        readInputRegisters,
        writeSingleCoil,
        writeSingleRegister,
        writeMultipleCoils,
        writeMultipleRegisters,
    };
    enum class Arguments { refCount, refValue, refValues };

    struct Description {
        Kind kind;
        const char* name;
        Arguments arguments;
        const char* help;
    };
    static const std::array<Description, 6>& descriptions();

    // Takes the arguments as typed; returns false with a one-line problem for text that is not
    // a number, a read count the function does not allow, or a register value that does not
    // fit 16 bits.
    bool set(Kind kind, const std::string& ref, const std::vector<std::string>& values,
             std::string& problem);

    // One operation; returns the master's error code.
    int run(MbusMasterFunctions& master, int slave);

    bool isRead() const { return kind_ == Kind::readCoils || kind_ == Kind::readInputRegisters; }
    // The values of the last read on one line, blank separated: coils as 0 or 1, registers in
    // decimal or as 0x%04X.
    std::string formatValues(bool hex) const;

private:
    bool setCount(const std::string& text, std::string& problem);
    bool setCoilValues(const std::vector<std::string>& texts, std::string& problem);
    bool setRegisterValues(const std::vector<std::string>& texts, std::string& problem);

    Kind kind_ = Kind::readCoils;
    int ref_ = 0;
    int count_ = 0;
    std::vector<int> coils_;
    std::vector<uint16_t> registers_;
};
