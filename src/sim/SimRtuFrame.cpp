#include "sim/SimRtuFrame.h"

#include "sim/SimCrc.h"
#include "sim/SimPdu.h"

#include <cstring>

size_t SimRtuFrame::expectedRequestSize(const uint8_t* bytes, size_t available) {
    constexpr size_t functionAt = pduOffset + SimPdu::functionOffset;
    constexpr size_t byteCountAt = pduOffset + SimPdu::byteCountOffset;
    if (available <= functionAt) {
        return 0;
    }
    switch (bytes[functionAt]) {
    case SimPdu::readCoils:
    case SimPdu::readInputRegisters:
    case SimPdu::writeSingleCoil:
    case SimPdu::writeSingleRegister:
        return pduOffset + SimPdu::fixedRequestSize + crcSize;
    case SimPdu::writeMultipleCoils:
    case SimPdu::writeMultipleRegisters:
        if (available <= byteCountAt) {
            return 0;
        }
        return pduOffset + SimPdu::valuesOffset + bytes[byteCountAt] + crcSize;
    default:
        return unknownSize;
    }
}

bool SimRtuFrame::crcValid(const uint8_t* frame, size_t size) {
    if (size < minSize) {
        return false;
    }
    const uint16_t crc = SimCrc::compute(frame, size - crcSize);
    return frame[size - 2] == (crc & 0xFF) && frame[size - 1] == (crc >> 8);
}

size_t SimRtuFrame::build(uint8_t slave, const uint8_t* pdu, size_t pduSize, bool corruptCrc,
                          uint8_t* out) {
    out[addressOffset] = slave;
    std::memcpy(out + pduOffset, pdu, pduSize);
    const size_t crcAt = pduOffset + pduSize;
    uint16_t crc = SimCrc::compute(out, crcAt);
    if (corruptCrc) {
        crc ^= 0xFFFF;
    }
    out[crcAt] = static_cast<uint8_t>(crc);
    out[crcAt + 1] = static_cast<uint8_t>(crc >> 8);
    return crcAt + crcSize;
}
