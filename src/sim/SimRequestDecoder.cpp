#include "sim/SimRequestDecoder.h"

namespace {

unsigned field16(const uint8_t* pdu, size_t offset) {
    return static_cast<unsigned>((pdu[offset] << 8) | pdu[offset + 1]);
}

bool countWithin(unsigned count, unsigned max) {
    return count >= 1 && count <= max;
}

constexpr unsigned addressSpace = 0x10000;

uint8_t decodeRead(const uint8_t* pdu, size_t size, unsigned max, SimRequest& request) {
    if (size != SimPdu::fixedRequestSize) {
        return SimPdu::illegalDataValue;
    }
    const unsigned count = field16(pdu, SimPdu::quantityOffset);
    if (!countWithin(count, max)) {
        return SimPdu::illegalDataValue;
    }
    request.count = static_cast<uint16_t>(count);
    return request.address + count > addressSpace ? SimPdu::illegalDataAddress : 0;
}

uint8_t decodeWriteSingleCoil(const uint8_t* pdu, size_t size, SimRequest& request) {
    if (size != SimPdu::fixedRequestSize) {
        return SimPdu::illegalDataValue;
    }
    const unsigned value = field16(pdu, SimPdu::quantityOffset);
    if (value != SimPdu::coilOn && value != SimPdu::coilOff) {
        return SimPdu::illegalDataValue;
    }
    request.count = 1;
    request.coils[0] = value == SimPdu::coilOn ? 1 : 0;
    return 0;
}

uint8_t decodeWriteSingleRegister(const uint8_t* pdu, size_t size, SimRequest& request) {
    if (size != SimPdu::fixedRequestSize) {
        return SimPdu::illegalDataValue;
    }
    request.count = 1;
    request.registers[0] = static_cast<uint16_t>(field16(pdu, SimPdu::quantityOffset));
    return 0;
}

// The byte count must match the quantity and the bytes actually received.
uint8_t checkMultipleWrite(const uint8_t* pdu, size_t size, unsigned max, unsigned bytesFor,
                           SimRequest& request) {
    if (size < SimPdu::valuesOffset) {
        return SimPdu::illegalDataValue;
    }
    const unsigned count = field16(pdu, SimPdu::quantityOffset);
    const unsigned byteCount = pdu[SimPdu::byteCountOffset];
    if (!countWithin(count, max) || byteCount != bytesFor ||
        size != SimPdu::valuesOffset + byteCount) {
        return SimPdu::illegalDataValue;
    }
    request.count = static_cast<uint16_t>(count);
    return request.address + count > addressSpace ? SimPdu::illegalDataAddress : 0;
}

uint8_t decodeWriteMultipleCoils(const uint8_t* pdu, size_t size, SimRequest& request) {
    const unsigned count = size >= SimPdu::valuesOffset ? field16(pdu, SimPdu::quantityOffset) : 0;
    const uint8_t result =
        checkMultipleWrite(pdu, size, SimPdu::maxWriteCoils, (count + 7) / 8, request);
    if (result != 0) {
        return result;
    }
    for (unsigned i = 0; i < request.count; ++i) {
        request.coils[i] = (pdu[SimPdu::valuesOffset + i / 8] >> (i % 8)) & 1u;
    }
    return 0;
}

uint8_t decodeWriteMultipleRegisters(const uint8_t* pdu, size_t size, SimRequest& request) {
    const unsigned count = size >= SimPdu::valuesOffset ? field16(pdu, SimPdu::quantityOffset) : 0;
    const uint8_t result =
        checkMultipleWrite(pdu, size, SimPdu::maxWriteRegisters, 2 * count, request);
    if (result != 0) {
        return result;
    }
    for (unsigned i = 0; i < request.count; ++i) {
        request.registers[i] =
            static_cast<uint16_t>(field16(pdu, SimPdu::valuesOffset + 2 * size_t{i}));
    }
    return 0;
}

} // namespace

uint8_t SimRequestDecoder::decode(const uint8_t* pdu, size_t size, SimRequest& request) {
    request.function = 0;
    request.address = 0;
    request.count = 0;
    if (size == 0) {
        return SimPdu::illegalFunction;
    }
    request.function = pdu[SimPdu::functionOffset];
    if (size >= SimPdu::fixedRequestSize) {
        request.address = static_cast<uint16_t>(field16(pdu, SimPdu::addressOffset));
    }
    switch (request.function) {
    case SimPdu::readCoils:
        return decodeRead(pdu, size, SimPdu::maxReadCoils, request);
    case SimPdu::readInputRegisters:
        return decodeRead(pdu, size, SimPdu::maxReadRegisters, request);
    case SimPdu::writeSingleCoil:
        return decodeWriteSingleCoil(pdu, size, request);
    case SimPdu::writeSingleRegister:
        return decodeWriteSingleRegister(pdu, size, request);
    case SimPdu::writeMultipleCoils:
        return decodeWriteMultipleCoils(pdu, size, request);
    case SimPdu::writeMultipleRegisters:
        return decodeWriteMultipleRegisters(pdu, size, request);
    default:
        return SimPdu::illegalFunction;
    }
}
