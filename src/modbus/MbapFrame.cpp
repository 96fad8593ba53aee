#include "modbus/MbapFrame.h"

#include "modbus/ByteReader.h"
#include "modbus/ByteWriter.h"
#include "modbus/ModbusFunction.h"

namespace {
constexpr unsigned protocolIdModbus = 0;
constexpr unsigned transactionIdUnused = 0;
} // namespace

size_t MbapFrame::buildRequest(uint8_t* frame, unsigned unitId, unsigned functionCode,
                               const uint8_t* data, size_t dataLength) {
    ByteWriter writer(frame, headerSize + dataLength);
    writer.put16(transactionIdUnused);
    writer.put16(protocolIdModbus);
    writer.put16(static_cast<unsigned>(dataLength + lengthFieldBase));
    writer.put8(unitId);
    writer.put8(functionCode);
    writer.putBytes(data, dataLength);
    return writer.size();
}

MbapFrame::ReplyHeader MbapFrame::parseReply(const uint8_t* frame, size_t size) {
    const ByteReader reader(frame, size);
    const unsigned functionByte = reader.u8(functionCodeOffset);
    ReplyHeader header{};
    header.unitId = reader.u8(unitIdOffset);
    header.functionCode = functionByte & ~static_cast<unsigned>(ModbusFunction::exceptionFlag);
    header.isException = (functionByte & ModbusFunction::exceptionFlag) != 0;
    header.exceptionCode = reader.u8(exceptionCodeOffset);
    return header;
}
