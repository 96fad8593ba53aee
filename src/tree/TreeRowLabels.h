#pragma once

#include "device/PanelLayout.h"

// The words of the configuration tree: the labels of its rows, which the tree view and the
// traffic log's decoded blocks both show.
namespace TreeRowLabels {

inline constexpr const char* selfTest = "Self-Test Status = ";

// The failure rows under the self-test row, in the order shown (not the bit order).
struct StatusFailure {
    const char* label;
    int bit;
};
inline constexpr StatusFailure statusFailures[] = {
    {"ADC Failure", 1},  {"DAC Failure", 0},      {"EEPROM Failure", 2},
    {"SRAM Failure", 3}, {"Invalid Slave ID", 4},
};

// The identity strings of the unit; a digital panel has the first four.
inline constexpr const char* deviceStrings[] = {
    "Manufacturer = ", "Model Number = ", "Serial Number = ", "Firmware Revision = ",
    "Ethernet Board FW Rev = "};

inline constexpr const char* serialInterface = "Serial Interface = ";
inline constexpr const char* baudRate = "Baud Rate = ";
inline constexpr const char* parity = "Parity = ";
inline constexpr const char* slaveIdHigh = "Slave ID (upper 4-bits) = ";

inline constexpr const char* ipAddress = "IP Address = ";
inline constexpr const char* subnetMask = "Subnet Mask = ";
inline constexpr const char* gateway = "Gateway = ";
inline constexpr const char* keepalive = "Keepalive Timeout (ms) = ";
inline constexpr const char* tcpPort = "TCP Port = ";
inline constexpr const char* macAddress = "MAC Address = ";

inline constexpr const char* scanMode = "Scan Mode = ";
inline constexpr const char* scanInterval = "Scan Interval (ms) = ";
inline constexpr const char* scanCount = "Scan Count = ";
inline constexpr const char* scanList = "Scan List";

// The colons line up: one blank before the colon for channels 0 to 9.
inline constexpr const char* channels[PanelLayout::channelsPerPanel] = {
    "Channel 0 : ", "Channel 1 : ", "Channel 2 : ", "Channel 3 : ", "Channel 4 : ", "Channel 5 : ",
    "Channel 6 : ", "Channel 7 : ", "Channel 8 : ", "Channel 9 : ", "Channel 10: ", "Channel 11: ",
    "Channel 12: ", "Channel 13: ", "Channel 14: ", "Channel 15: ",
};

inline constexpr const char* analogPanels[PanelLayout::analogPanels] = {
    "Panel 0 (Base Unit)", "Expansion Panel 1", "Expansion Panel 2", "Expansion Panel 3"};

inline constexpr const char* digitalPanels[PanelLayout::digitalPanels] = {
    "Digital Panel 0", "Digital Panel 1", "Digital Panel 2", "Digital Panel 3",
    "Digital Panel 4", "Digital Panel 5", "Digital Panel 6", "Digital Panel 7"};

inline constexpr const char* averageWeight = "Average Weight = ";
inline constexpr const char* defaultOutput = "Default Output = ";

} // namespace TreeRowLabels
