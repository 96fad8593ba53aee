#pragma once

#include <string>

// Replaces `text` with a printf-style formatted string. The tree's texts are defined by
// printf formats ("0x%04hX", "%d, %s"), so they are produced by exactly those formats.
void FormatText(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
