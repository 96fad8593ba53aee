#include "sim/SimMbapFrame.h"

#include <cstring>

namespace {
unsigned get16(const uint8_t* at) {
    return static_cast<unsigned>((at[0] << 8) | at[1]);
}
void put16(uint8_t* at, unsigned value) {
    at[0] = static_cast<uint8_t>(value >> 8);
    at[1] = static_cast<uint8_t>(value);
}
} // namespace

SimMbapFrame::Header SimMbapFrame::parseHeader(const uint8_t* bytes) {
    Header header;
    header.transaction = static_cast<uint16_t>(get16(bytes + transactionOffset));
    header.protocol = static_cast<uint16_t>(get16(bytes + protocolOffset));
    header.length = static_cast<uint16_t>(get16(bytes + lengthOffset));
    header.unit = bytes[unitOffset];
    return header;
}

bool SimMbapFrame::lengthValid(const Header& header) {
    return header.length >= minLength && header.length <= maxLength;
}

size_t SimMbapFrame::frameSize(const Header& header) {
    return unitOffset + header.length;
}

SimMbapFrame::Scan SimMbapFrame::scan(const uint8_t* bytes, size_t available, size_t& size) {
    if (available < headerSize) {
        return Scan::Incomplete;
    }
    const Header header = parseHeader(bytes);
    if (!lengthValid(header)) {
        return Scan::OutOfStep;
    }
    size = frameSize(header);
    return available >= size ? Scan::Complete : Scan::Incomplete;
}

size_t SimMbapFrame::build(const Header& request, uint8_t unit, const uint8_t* pdu, size_t pduSize,
                           uint8_t* out) {
    put16(out + transactionOffset, request.transaction);
    put16(out + protocolOffset, request.protocol);
    put16(out + lengthOffset, static_cast<unsigned>(pduSize + 1));
    out[unitOffset] = unit;
    std::memcpy(out + pduOffset, pdu, pduSize);
    return pduOffset + pduSize;
}
