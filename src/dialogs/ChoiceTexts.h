#pragma once

#include <span>

// The entries of the dialogs' choice lists, position = stored code. The texts are those the
// configuration tree shows for the same codes.
namespace ChoiceTexts {

inline constexpr const char* serialInterface[] = {"RS232", "RS485 2-wire", "RS485 4-wire"};
inline constexpr const char* protocol[] = {"Modbus RTU", "Modbus TCP"};
inline constexpr const char* baudRate[] = {"1200",  "2400",  "4800",  "9600",
                                           "19200", "38400", "57600", "115200"};
inline constexpr const char* parity[] = {"None", "Odd", "Even"};
// The upper four bits of the slave ID, written in base 2.
inline constexpr const char* slaveIdHigh[] = {"0000", "0001", "0010", "0011", "0100", "0101",
                                              "0110", "0111", "1000", "1001", "1010", "1011",
                                              "1100", "1101", "1110", "1111"};
inline constexpr const char* scanMode[] = {"Continuous", "User-Defined"};
inline constexpr const char* channelState[] = {"Vacant", "Input", "Output"};
inline constexpr const char* digitalOutput[] = {"0", "1"};
// Shown in a panel dialog's list for a channel whose role has no such setting.
inline constexpr const char* notApplicable[] = {"N/A"};

// Average weight 2^index, position = index, in the form of the display setting.
std::span<const char* const> averageWeights(bool hexDisplay);

} // namespace ChoiceTexts
