#pragma once

#include "device/ConnectOptions.h"

#include <cstdint>

// What a document file keeps besides its format number: the two display choices and the way to
// reach the unit. Defaults are those of a new document.
struct DocumentSettings {
    int32_t hexDisplay = 0;  // 1: numbers in hexadecimal, 0: decimal
    int32_t autoConnect = 0; // 1: connect and refresh when the document is opened
    ConnectOptions connect;

    // Whether these settings make a document modified against `reference`, the settings it was
    // created or opened with. Only the options of the chosen protocol count: a serial port
    // changed while the document talks TCP changes nothing the user would save it for.
    bool differsFrom(const DocumentSettings& reference) const;

    bool operator==(const DocumentSettings&) const = default;
};
