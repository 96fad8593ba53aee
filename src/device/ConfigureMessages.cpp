#include "device/ConfigureMessages.h"

#include "device/ConnectOptions.h"

namespace ConfigureMessages {

namespace {

// Indexed by the interface edited, then by the protocol of the open link.
constexpr const char* kConfirmations[2][2] = {
    {"Changes to the Modbus RTU interface will take affect immediately.\n\nThe current "
     "connection will be closed.\n\nYou will have to connect again if further configuration is "
     "desired.",
     "Changes to the Modbus RTU interface will take place the next time the system is booted in "
     "Modbus RTU mode.\n\nThe current connection will NOT be closed."},
    {"Changes to the Modbus TCP interface will take place the next time the system is booted in "
     "Modbus TCP mode.\n\nThe current connection will NOT be closed.",
     "Changes to the Modbus TCP interface will take affect on the next power-cycle or reset of "
     "the Vantrel.\n\nThe current connection will NOT be closed."},
};

} // namespace

const char* interfaceConfirmation(Interface edited, uint16_t protocol) {
    if (protocol != ConnectOptions::modbusRtu && protocol != ConnectOptions::modbusTcp) {
        return nullptr;
    }
    return kConfirmations[static_cast<int>(edited)][protocol];
}

std::string configureFailed(const char* label, int code, const std::string& errorText) {
    return "Failed to configure " + std::string(label) +
           "!\n\nError code: " + std::to_string(code) + ", " + errorText;
}

std::string resetFailed(int code, const std::string& errorText) {
    return "Reset Failed!\n\nError code: " + std::to_string(code) + ", " + errorText;
}

} // namespace ConfigureMessages
