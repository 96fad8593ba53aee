#include "modbus/RtuFrame.h"

#include "modbus/ByteReader.h"
#include "modbus/ByteWriter.h"
#include "modbus/Crc16.h"
#include "modbus/MbusError.h"
#include "modbus/ModbusFunction.h"

#include <cstring>

int RtuFrame::buildRequest(int slave, int functionCode, const uint8_t* data, int dataLength) {
    if (dataLength < 0 || dataLength > maxDataLength || (dataLength > 0 && data == nullptr)) {
        size_ = 0;
        return MBUS_ILLEGAL_ARGUMENT;
    }
    ByteWriter writer(buffer_.data(), buffer_.size());
    writer.put8(static_cast<unsigned>(slave));
    writer.put8(static_cast<unsigned>(functionCode));
    writer.putBytes(data, static_cast<size_t>(dataLength));
    writer.put16LowFirst(Crc16::compute(buffer_.data(), writer.size()));
    size_ = writer.size();
    return MBUS_SUCCESS;
}

bool RtuFrame::isException() const {
    return (buffer_[functionOffset] & ModbusFunction::exceptionFlag) != 0;
}

size_t RtuFrame::replySize(int replyDataLength) const {
    if (isException()) {
        return exceptionFrameSize;
    }
    if (replyDataLength < 1 || replyDataLength > maxDataLength) {
        return 0;
    }
    return static_cast<size_t>(replyDataLength) + overhead;
}

int RtuFrame::checkReply(size_t received, int slave, int functionCode, uint8_t* replyData,
                         int replyDataLength) const {
    if (received < exceptionFrameSize || received > capacity) {
        return MBUS_REPLY_TIMEOUT;
    }
    const ByteReader reader(buffer_.data(), received);
    const size_t crcOffset = received - crcSize;
    if (reader.u16LowFirst(crcOffset) != Crc16::compute(buffer_.data(), crcOffset)) {
        return MBUS_CHECKSUM_ERROR;
    }
    const unsigned function = reader.u8(functionOffset);
    if ((function & ~static_cast<unsigned>(ModbusFunction::exceptionFlag)) !=
            static_cast<unsigned>(functionCode) ||
        reader.u8(slaveOffset) != static_cast<unsigned>(slave)) {
        return MBUS_INVALID_FRAME;
    }
    if (isException()) {
        return exceptionError(static_cast<unsigned char>(reader.u8(dataOffset)));
    }
    if (replyDataLength < 0 || crcOffset - dataOffset != static_cast<size_t>(replyDataLength)) {
        return MBUS_REPLY_TIMEOUT;
    }
    if (replyDataLength > 0) {
        std::memcpy(replyData, buffer_.data() + dataOffset, static_cast<size_t>(replyDataLength));
    }
    return MBUS_SUCCESS;
}
