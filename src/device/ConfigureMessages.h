#pragma once

#include <cstdint>
#include <string>

// The texts that writing the unit's configuration shows: the confirmations before an
// interface changes and the messages of a write or reset the unit refused.
namespace ConfigureMessages {

inline constexpr const char* configureCaption = "Configure Error";
inline constexpr const char* resetCaption = "Reset Error";

// Failure labels of the interface blocks (the other blocks use their register map labels).
inline constexpr const char* rtuLabel = "Modbus RTU Parameters";
inline constexpr const char* tcpLabel = "Modbus TCP Parameters";

enum class Interface { rtu, tcp };

// What the user is told before the unit's interface `edited` changes, by the protocol of the
// open link; null when the protocol is neither (then nothing is asked).
const char* interfaceConfirmation(Interface edited, uint16_t protocol);

std::string configureFailed(const char* label, int code, const std::string& errorText);
std::string resetFailed(int code, const std::string& errorText);

} // namespace ConfigureMessages
