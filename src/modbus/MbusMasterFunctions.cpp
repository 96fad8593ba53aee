#include "modbus/MbusMasterFunctions.h"

#include "modbus/ByteReader.h"
#include "modbus/ByteWriter.h"
#include "modbus/MbusError.h"
#include "modbus/ModbusFunction.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr int minSlave = 1;
constexpr int maxSlave = 255;
constexpr int minRef = 1;
constexpr int maxRef = 65536;
constexpr int maxWriteCoils = 800;
constexpr int maxWriteRegisters = 100;
constexpr int broadcastSlave = 0;

// Request data of every function starts with the address; reads and multiple writes follow it
// with a count, multiple writes then with a byte count and the data.
constexpr int addressAndCountSize = 4;
constexpr int multipleWriteHeaderSize = 5;

// Reply data of a read: byte count, then the data bytes.
constexpr size_t readByteCountOffset = 0;
constexpr size_t readDataOffset = 1;
// Reply data of a write: address echo, then value (single) or count (multiple) echo.
constexpr size_t writeEchoFieldOffset = 2;
constexpr int writeReplySize = 4;

constexpr unsigned coilOnField = 0xFF00;
constexpr unsigned coilOffField = 0x0000;
// Some slaves answer a write with 1 (single coil) or 2 (single register) in the value field
// instead of echoing it; those replies are accepted too.
constexpr unsigned coilAlternativeEcho = 0x0001;
constexpr unsigned registerAlternativeEcho = 0x0002;

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

int wireAddress(int ref) {
    return ref - 1;
}

int coilBytes(int count) {
    return (count + 7) / 8;
}

} // namespace

MbusMasterFunctions::MbusMasterFunctions()
    : nextPollTime(SystemClock::instance().nowTicks()), clock_(&SystemClock::instance()) {}

int MbusMasterFunctions::readCoils(int slave, int ref, int* values, int count) {
    return observed(readBits(ModbusFunction::readCoils, slave, ref, values, count));
}

int MbusMasterFunctions::readInputRegisters(int slave, int ref, uint16_t* values, int count) {
    return observed(readRegisters(ModbusFunction::readInputRegisters, slave, ref, values, count));
}

int MbusMasterFunctions::readBits(int functionCode, int slave, int ref, int* values, int count) {
    if (count > 0) {
        std::fill_n(values, count, 0);
    }
    if (!inRange(slave, minSlave, maxSlave) || !inRange(ref, minRef, maxRef) ||
        !inRange(count, 1, maxReadBits)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    ByteWriter request(dataBuffer_.data(), dataBuffer_.size());
    request.put16(static_cast<unsigned>(wireAddress(ref)));
    request.put16(static_cast<unsigned>(count));

    const int dataBytes = coilBytes(count);
    const int replyLength = 1 + dataBytes;
    const int result = exchange(slave, functionCode, ref, count, addressAndCountSize, replyLength);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    ByteReader reply(dataBuffer_.data(), static_cast<size_t>(replyLength));
    if (reply.u8(readByteCountOffset) != static_cast<unsigned>(dataBytes)) {
        return MBUS_INVALID_REPLY;
    }
    for (int i = 0; i < count; ++i) {
        const unsigned byte = reply.u8(readDataOffset + static_cast<size_t>(i / 8));
        values[i] = static_cast<int>((byte >> (i % 8)) & 1u);
    }
    return MBUS_SUCCESS;
}

int MbusMasterFunctions::readRegisters(int functionCode, int slave, int ref, uint16_t* values,
                                       int count) {
    if (count > 0) {
        std::fill_n(values, count, uint16_t{0});
    }
    if (!inRange(slave, minSlave, maxSlave) || !inRange(ref, minRef, maxRef) ||
        !inRange(count, 1, maxReadRegisters)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    ByteWriter request(dataBuffer_.data(), dataBuffer_.size());
    request.put16(static_cast<unsigned>(wireAddress(ref)));
    request.put16(static_cast<unsigned>(count));

    const int replyLength = 1 + 2 * count;
    const int result = exchange(slave, functionCode, ref, count, addressAndCountSize, replyLength);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    ByteReader reply(dataBuffer_.data(), static_cast<size_t>(replyLength));
    if (reply.u8(readByteCountOffset) != static_cast<unsigned>(2 * count)) {
        return MBUS_INVALID_REPLY;
    }
    for (int i = 0; i < count; ++i) {
        values[i] = static_cast<uint16_t>(reply.u16(readDataOffset + 2 * static_cast<size_t>(i)));
    }
    return MBUS_SUCCESS;
}

int MbusMasterFunctions::writeSingleCoil(int slave, int ref, int value) {
    return observed(writeSingle(ModbusFunction::writeSingleCoil, slave, ref,
                                value != 0 ? coilOnField : coilOffField, coilAlternativeEcho));
}

int MbusMasterFunctions::writeSingleRegister(int slave, int ref, uint16_t value) {
    return observed(writeSingle(ModbusFunction::writeSingleRegister, slave, ref, value,
                                registerAlternativeEcho));
}

int MbusMasterFunctions::writeSingle(int functionCode, int slave, int ref, unsigned valueField,
                                     unsigned acceptedAlternative) {
    if (!inRange(slave, broadcastSlave, maxSlave) || !inRange(ref, minRef, maxRef)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    ByteWriter request(dataBuffer_.data(), dataBuffer_.size());
    request.put16(static_cast<unsigned>(wireAddress(ref)));
    request.put16(valueField);

    const int result = exchange(slave, functionCode, ref, 1, addressAndCountSize, writeReplySize);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    if (slave == broadcastSlave) {
        return MBUS_SUCCESS;
    }
    const unsigned echo = ByteReader(dataBuffer_.data(), writeReplySize).u16(writeEchoFieldOffset);
    if (echo != valueField && echo != acceptedAlternative) {
        return MBUS_INVALID_REPLY;
    }
    return MBUS_SUCCESS;
}

int MbusMasterFunctions::writeMultipleCoils(int slave, int ref, const int* values, int count) {
    if (!inRange(slave, broadcastSlave, maxSlave) || !inRange(ref, minRef, maxRef) ||
        !inRange(count, 1, maxWriteCoils)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    const int dataBytes = coilBytes(count);
    ByteWriter request(dataBuffer_.data() + multipleWriteHeaderSize,
                       dataBuffer_.size() - multipleWriteHeaderSize);
    for (int byteIndex = 0; byteIndex < dataBytes; ++byteIndex) {
        unsigned packed = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const int coil = byteIndex * 8 + bit;
            if (coil < count && values[coil] != 0) {
                packed |= 1u << bit;
            }
        }
        request.put8(packed);
    }
    return observed(
        writeMultiple(ModbusFunction::writeMultipleCoils, slave, ref, count, dataBytes));
}

int MbusMasterFunctions::writeMultipleRegisters(int slave, int ref, const uint16_t* values,
                                                int count) {
    if (!inRange(slave, broadcastSlave, maxSlave) || !inRange(ref, minRef, maxRef) ||
        !inRange(count, 1, maxWriteRegisters)) {
        return MBUS_ILLEGAL_ARGUMENT;
    }
    ByteWriter request(dataBuffer_.data() + multipleWriteHeaderSize,
                       dataBuffer_.size() - multipleWriteHeaderSize);
    for (int i = 0; i < count; ++i) {
        request.put16(values[i]);
    }
    return observed(
        writeMultiple(ModbusFunction::writeMultipleRegisters, slave, ref, count, 2 * count));
}

// The data bytes are already in place after the header; this writes the header and transacts.
int MbusMasterFunctions::writeMultiple(int functionCode, int slave, int ref, int count,
                                       int dataBytes) {
    ByteWriter header(dataBuffer_.data(), multipleWriteHeaderSize);
    header.put16(static_cast<unsigned>(wireAddress(ref)));
    header.put16(static_cast<unsigned>(count));
    header.put8(static_cast<unsigned>(dataBytes));

    const int result = exchange(slave, functionCode, ref, count,
                                multipleWriteHeaderSize + dataBytes, writeReplySize);
    if (result != MBUS_SUCCESS) {
        return result;
    }
    if (slave == broadcastSlave) {
        return MBUS_SUCCESS;
    }
    const unsigned echo = ByteReader(dataBuffer_.data(), writeReplySize).u16(writeEchoFieldOffset);
    if (echo != static_cast<unsigned>(count)) {
        return MBUS_INVALID_REPLY;
    }
    return MBUS_SUCCESS;
}

int MbusMasterFunctions::exchange(int slave, int functionCode, int ref, int count,
                                  int requestLength, int replyLength) {
    observing_ = observer_ != nullptr;
    if (!observing_) {
        return transact(slave, functionCode, dataBuffer_.data(), requestLength, dataBuffer_.data(),
                        replyLength);
    }
    const auto request = std::span(dataBuffer_).first(static_cast<size_t>(requestLength));
    std::copy(request.begin(), request.end(), requestCopy_.begin());
    current_ = ObservedTransaction{};
    current_.slave = slave;
    current_.function = functionCode;
    current_.address = static_cast<uint16_t>(wireAddress(ref));
    current_.count = count;
    current_.request = std::span(requestCopy_).first(request.size());
    current_.startTicks = clock_->nowTicks();
    const auto start = std::chrono::steady_clock::now();
    const int result = transact(slave, functionCode, dataBuffer_.data(), requestLength,
                                dataBuffer_.data(), replyLength);
    current_.roundTripUs = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    if (result == MBUS_SUCCESS) {
        current_.reply = std::span(dataBuffer_).first(static_cast<size_t>(replyLength));
    }
    return result;
}

int MbusMasterFunctions::observed(int result) {
    if (observing_ && observer_ != nullptr) {
        observing_ = false;
        current_.result = result;
        observer_->transactionDone(current_);
    }
    return result;
}

void MbusMasterFunctions::waitPollDelay() {
    if (pollDelayMs > 0) {
        const int64_t now = clock_->nowTicks();
        // The wait is never longer than the delay itself, even when the wall clock has been
        // set back since the last transaction and nextPollTime lies far ahead.
        const int64_t delayTicks = static_cast<int64_t>(pollDelayMs) * Clock::ticksPerMs;
        const int64_t leftTicks = nextPollTime > now ? std::min(nextPollTime - now, delayTicks) : 0;
        int64_t leftMs = (leftTicks + Clock::ticksPerMs / 2) / Clock::ticksPerMs;
        while (leftMs > 0) {
            const int64_t step = std::min(leftMs, maxSleepStepMs);
            clock_->sleepMs(step);
            leftMs -= step;
        }
    }
    nextPollTime = clock_->nowTicks() + static_cast<int64_t>(pollDelayMs) * Clock::ticksPerMs;
}
