#pragma once

#include <string>

// A JSON string literal of any bytes: quotes and backslashes escaped, and every byte outside
// printable ASCII written as \u00XX, so that whatever a unit or the system sent stays valid
// JSON.
std::string jsonString(const std::string& text);
