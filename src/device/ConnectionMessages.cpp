#include "device/ConnectionMessages.h"

#include "device/ConnectOptions.h"

#include <cstdio>

namespace ConnectionMessages {

namespace {

// Likely causes, one line each, by the protocol the options name.
constexpr const char* connectCausesRtu = "  * Serial port already in use.\n"
                                         "  * Invalid serial port.\n";
constexpr const char* connectCausesTcp = "  * Invalid Server/IP Address\n"
                                         "  * Power not applied to Vantrel.\n"
                                         "  * Maximum socket connections exceeded.\n"
                                         "  * Faulty Ethernet cable.\n";
constexpr const char* communicationCausesRtu =
    "  * Invalid Modbus RTU Slave ID.\n"
    "  * Incorrect serial communication parameters (port, baud, or parity).\n"
    "  * Power not applied to Vantrel.\n"
    "  * Device not an Vantrel\n"
    "  * Faulty cable.\n";
// Over TCP the connection itself proves power and cabling.
constexpr const char* communicationCausesTcp = "  * Device not an Vantrel\n";
constexpr const char* unknownProtocolCause = "  * Unknown protocol.\n";

const char* causes(uint16_t protocol, const char* rtu, const char* tcp) {
    switch (protocol) {
    case ConnectOptions::modbusRtu:
        return rtu;
    case ConnectOptions::modbusTcp:
        return tcp;
    default:
        return unknownProtocolCause;
    }
}

std::string withCode(const char* format, int code) {
    char text[160];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

} // namespace

std::string connectFailed(uint16_t protocol, int code, const std::string& errorText) {
    return withCode("Failed to connect to Vantrel!\n\nError code: %d, ", code) + errorText +
           "\n\nPossible Causes:\n\n" + causes(protocol, connectCausesRtu, connectCausesTcp);
}

std::string communicationFailed(uint16_t protocol, int code, const std::string& errorText) {
    return withCode("Failed to communicate with Vantrel!  The current connection will be "
                    "closed.\n\nError Code: %d, ",
                    code) +
           errorText + "\n\nPossible Causes:\n\n" +
           causes(protocol, communicationCausesRtu, communicationCausesTcp);
}

std::string fatalReadFailed(const char* label, int code, const std::string& errorText) {
    return "Failed to read " + std::string(label) +
           withCode(" data!  The current connection will be closed.\n\nError Code: %d, ", code) +
           errorText;
}

std::string partialRefresh(const std::vector<Failure>& failures,
                           std::string (*describe)(int code)) {
    std::string text = "Refresh failed to read the following data: \n\n";
    for (const Failure& failure : failures) {
        text += "\t" + std::string(failure.label) + withCode(":    %d, ", failure.code) +
                describe(failure.code) + "\n";
    }
    return text + "\nThe current connection will remain open.";
}

} // namespace ConnectionMessages
