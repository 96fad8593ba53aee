#include "sim/SimSlave.h"

#include "sim/SimRegisterMap.h"
#include "sim/SimRequest.h"
#include "sim/SimRequestDecoder.h"

#include <array>
#include <cstring>

namespace {

size_t buildException(uint8_t function, uint8_t code, uint8_t* reply) {
    reply[SimPdu::functionOffset] = static_cast<uint8_t>(function | SimPdu::exceptionFlag);
    reply[SimPdu::exceptionCodeOffset] = code;
    return SimPdu::exceptionSize;
}

void put16(uint8_t* at, unsigned value) {
    at[0] = static_cast<uint8_t>(value >> 8);
    at[1] = static_cast<uint8_t>(value);
}

// A write reply echoes the address and the count (or the value of a single write).
size_t buildWriteEcho(const SimRequest& request, unsigned quantity, uint8_t* reply) {
    reply[SimPdu::functionOffset] = request.function;
    put16(reply + SimPdu::addressOffset, request.address);
    put16(reply + SimPdu::quantityOffset, quantity);
    return SimPdu::fixedRequestSize;
}

uint8_t otherFunction(uint8_t function) {
    const uint8_t code = function & ~SimPdu::exceptionFlag;
    const uint8_t other = code == 0x7F ? 0x01 : static_cast<uint8_t>(code + 1);
    return static_cast<uint8_t>(other | (function & SimPdu::exceptionFlag));
}

} // namespace

size_t SimSlave::serve(uint8_t slave, const uint8_t* pdu, size_t size,
                       const SimFaultSettings& faults, Mode mode, uint8_t* reply,
                       std::string& label) {
    SimRequest request;
    uint8_t code = SimRequestDecoder::decode(pdu, size, request);
    const SimSpace space = request.touchesCoils() ? SimSpace::Coils : SimSpace::Registers;
    label = SimRegisterMap::labelOf(space, request.address);
    log_.add({slave, request.function, request.address, request.count, label});

    if (mode == Mode::Lost || (mode == Mode::Broadcast && (code != 0 || !request.isWrite()))) {
        return 0;
    }
    if (code == 0) {
        code = faults.exceptionFor(request.address, request.count);
    }
    size_t replySize = 0;
    if (code == 0) {
        code = execute(request, reply, replySize);
    }
    if (mode == Mode::Broadcast) {
        return 0;
    }
    if (code != 0) {
        replySize = buildException(request.function, code, reply);
    }
    if (faults.wrongFunction) {
        reply[SimPdu::functionOffset] = otherFunction(reply[SimPdu::functionOffset]);
    }
    return replySize;
}

uint8_t SimSlave::execute(const SimRequest& request, uint8_t* reply, size_t& replySize) {
    int result = 0;
    switch (request.function) {
    case SimPdu::readCoils: {
        std::array<uint8_t, SimPdu::maxReadCoils> bits{};
        result = unit_.readCoils(request.address, request.count, bits.data());
        if (result == 0) {
            const unsigned byteCount = (request.count + 7u) / 8u;
            reply[SimPdu::functionOffset] = request.function;
            reply[SimPdu::replyByteCountOffset] = static_cast<uint8_t>(byteCount);
            std::memset(reply + SimPdu::replyValuesOffset, 0, byteCount);
            for (unsigned i = 0; i < request.count; ++i) {
                reply[SimPdu::replyValuesOffset + i / 8] |=
                    static_cast<uint8_t>(bits[i] << (i % 8));
            }
            replySize = SimPdu::replyValuesOffset + byteCount;
        }
        break;
    }
    case SimPdu::readInputRegisters: {
        std::array<uint16_t, SimPdu::maxReadRegisters> values{};
        result = unit_.readRegisters(request.address, request.count, values.data());
        if (result == 0) {
            reply[SimPdu::functionOffset] = request.function;
            reply[SimPdu::replyByteCountOffset] = static_cast<uint8_t>(2 * request.count);
            for (unsigned i = 0; i < request.count; ++i) {
                put16(reply + SimPdu::replyValuesOffset + 2 * i, values[i]);
            }
            replySize = SimPdu::replyValuesOffset + 2u * request.count;
        }
        break;
    }
    case SimPdu::writeSingleCoil:
        result = unit_.writeCoils(request.address, 1, request.coils.data());
        replySize =
            buildWriteEcho(request, request.coils[0] ? SimPdu::coilOn : SimPdu::coilOff, reply);
        break;
    case SimPdu::writeSingleRegister:
        result = unit_.writeRegisters(request.address, 1, request.registers.data());
        replySize = buildWriteEcho(request, request.registers[0], reply);
        break;
    case SimPdu::writeMultipleCoils:
        result = unit_.writeCoils(request.address, request.count, request.coils.data());
        replySize = buildWriteEcho(request, request.count, reply);
        break;
    case SimPdu::writeMultipleRegisters:
        result = unit_.writeRegisters(request.address, request.count, request.registers.data());
        replySize = buildWriteEcho(request, request.count, reply);
        break;
    default:
        result = SimPdu::illegalFunction;
        break;
    }
    return static_cast<uint8_t>(result);
}
