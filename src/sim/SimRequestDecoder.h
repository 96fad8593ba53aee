#pragma once

#include "sim/SimRequest.h"

#include <cstddef>
#include <cstdint>

// Decodes a request PDU (function code and data) received from a master. Every field that
// comes off the wire is checked against the bytes actually received before it is used.
class SimRequestDecoder {
public:
    // Returns 0, or the exception code to answer with: 1 for an unsupported function, 3 for a
    // count outside the function's limits or a malformed request, 2 for a range that runs past
    // the end of the address space. `request.function` is set whenever `size` is not 0.
    static uint8_t decode(const uint8_t* pdu, size_t size, SimRequest& request);
};
