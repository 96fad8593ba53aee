#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The texts of the messages that connecting to and reading from the unit show. `errorText` is
// the document's description of `code`.
namespace ConnectionMessages {
inline constexpr const char* connectCaption = "Connect Error";
inline constexpr const char* readCaption = "Read Error";

struct Failure {
    const char* label;
    int code;
};

// The link could not be opened.
std::string connectFailed(uint16_t protocol, int code, const std::string& errorText);
// The link opened, but the unit does not answer.
std::string communicationFailed(uint16_t protocol, int code, const std::string& errorText);
// A block without which the unit cannot be identified could not be read.
std::string fatalReadFailed(const char* label, int code, const std::string& errorText);
// Blocks that could not be read while the rest were; `describe` gives each code's text.
std::string partialRefresh(const std::vector<Failure>& failures, std::string (*describe)(int code));
} // namespace ConnectionMessages
