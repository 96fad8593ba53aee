#include "tools/vtrctl/ModbusCommand.h"

#include "tools/vtrctl/NumberArgument.h"

#include <cstdio>

namespace {

// A register holds 16 bits; negative values are taken as their two's complement.
constexpr int64_t lowestRegisterValue = -32768;
constexpr int64_t highestRegisterValue = 0xFFFF;

bool parseNumber(const char* what, const std::string& text, int64_t& value, std::string& problem) {
    if (!NumberArgument::parse(text, value)) {
        problem = std::string(what) + " '" + text + "' is not a decimal or 0x-hexadecimal number";
        return false;
    }
    return true;
}

} // namespace

// In the order of Kind, which indexes it.
const std::array<ModbusCommand::Description, 6>& ModbusCommand::descriptions() {
    static const std::array<Description, 6> table = {{
        {Kind::readCoils, "read-coils", Arguments::refCount,
         "Read COUNT coils from REF on; prints 0 or 1 for each"},
        {Kind::readInputRegisters, "read-input-registers", Arguments::refCount,
         "Read COUNT input registers from REF on; prints each in decimal (0x%04X with --hex)"},
        {Kind::writeSingleCoil, "write-single-coil", Arguments::refValue,
         "Switch the coil REF on (VALUE not 0) or off (VALUE 0)"},
        {Kind::writeSingleRegister, "write-single-register", Arguments::refValue,
         "Write VALUE (-32768 to 0xFFFF) to the holding register REF"},
        {Kind::writeMultipleCoils, "write-multiple-coils", Arguments::refValues,
         "Set the coils from REF on, one VALUE each (not 0 is on)"},
        {Kind::writeMultipleRegisters, "write-multiple-registers", Arguments::refValues,
         "Write the holding registers from REF on, one VALUE each (-32768 to 0xFFFF)"},
    }};
    return table;
}

bool ModbusCommand::set(Kind kind, const std::string& ref, const std::vector<std::string>& values,
                        std::string& problem) {
    kind_ = kind;
    const Arguments arguments = descriptions()[static_cast<size_t>(kind)].arguments;
    if (values.empty() || (arguments != Arguments::refValues && values.size() != 1)) {
        problem = "wrong number of arguments";
        return false;
    }
    int64_t wideRef = 0;
    if (!parseNumber("REF", ref, wideRef, problem)) {
        return false;
    }
    ref_ = NumberArgument::saturateToInt(wideRef);
    switch (kind) {
    case Kind::readCoils:
    case Kind::readInputRegisters:
        return setCount(values.front(), problem);
    case Kind::writeSingleCoil:
    case Kind::writeMultipleCoils:
        return setCoilValues(values, problem);
    case Kind::writeSingleRegister:
    case Kind::writeMultipleRegisters:
        return setRegisterValues(values, problem);
    }
    return false;
}

bool ModbusCommand::setCount(const std::string& text, std::string& problem) {
    int64_t count = 0;
    if (!parseNumber("COUNT", text, count, problem)) {
        return false;
    }
    const int64_t most = kind_ == Kind::readCoils ? MbusMasterFunctions::maxReadBits
                                                  : MbusMasterFunctions::maxReadRegisters;
    if (count < 1 || count > most) {
        problem = "COUNT '" + text + "' is not from 1 to " + std::to_string(most);
        return false;
    }
    count_ = static_cast<int>(count);
    const size_t entries = static_cast<size_t>(count_);
    if (kind_ == Kind::readCoils) {
        coils_.assign(entries, 0);
    } else {
        registers_.assign(entries, 0);
    }
    return true;
}

bool ModbusCommand::setCoilValues(const std::vector<std::string>& texts, std::string& problem) {
    coils_.clear();
    for (const auto& text : texts) {
        int64_t value = 0;
        if (!parseNumber("VALUE", text, value, problem)) {
            return false;
        }
        coils_.push_back(NumberArgument::saturateToInt(value));
    }
    count_ = static_cast<int>(coils_.size());
    return true;
}

bool ModbusCommand::setRegisterValues(const std::vector<std::string>& texts, std::string& problem) {
    registers_.clear();
    for (const auto& text : texts) {
        int64_t value = 0;
        if (!parseNumber("VALUE", text, value, problem)) {
            return false;
        }
        if (value < lowestRegisterValue || value > highestRegisterValue) {
            problem = "VALUE '" + text + "' does not fit a 16-bit register";
            return false;
        }
        registers_.push_back(static_cast<uint16_t>(value));
    }
    count_ = static_cast<int>(registers_.size());
    return true;
}

int ModbusCommand::run(MbusMasterFunctions& master, int slave) {
    switch (kind_) {
    case Kind::readCoils:
        return master.readCoils(slave, ref_, coils_.data(), count_);
    case Kind::readInputRegisters:
        return master.readInputRegisters(slave, ref_, registers_.data(), count_);
    case Kind::writeSingleCoil:
        return master.writeSingleCoil(slave, ref_, coils_.front());
    case Kind::writeSingleRegister:
        return master.writeSingleRegister(slave, ref_, registers_.front());
    case Kind::writeMultipleCoils:
        return master.writeMultipleCoils(slave, ref_, coils_.data(), count_);
    case Kind::writeMultipleRegisters:
        return master.writeMultipleRegisters(slave, ref_, registers_.data(), count_);
    }
    return 0;
}

std::string ModbusCommand::formatValues(bool hex) const {
    std::string line;
    char field[16];
    const size_t entries = kind_ == Kind::readCoils ? coils_.size() : registers_.size();
    for (size_t index = 0; index < entries && index < static_cast<size_t>(count_); ++index) {
        if (kind_ == Kind::readCoils) {
            std::snprintf(field, sizeof field, "%d", coils_[index] != 0 ? 1 : 0);
        } else {
            std::snprintf(field, sizeof field, hex ? "0x%04X" : "%u",
                          static_cast<unsigned>(registers_[index]));
        }
        if (index != 0) {
            line += ' ';
        }
        line += field;
    }
    return line;
}
