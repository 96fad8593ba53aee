// Arbitrary bytes as the unit's answer on the serial line: the reply is read by the counts the
// request implies, exactly as the RTU master reads it, checked as an RTU frame, and unpacked by
// the master core. Nothing may read or write outside its buffer, whatever arrives.
#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"
#include "modbus/RtuFrame.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// A master whose line is the fuzz input.
class FuzzLineMaster : public MbusMasterFunctions {
public:
    FuzzLineMaster(const uint8_t* line, size_t size) : line_(line), left_(size) {}

    int isLinkOpen() override { return 1; }
    void closeLink() override {}
    int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength) override {
        const int built = frame_.buildRequest(slave, functionCode, request, requestLength);
        if (built != MBUS_SUCCESS || slave == 0 || replyLength == 0) {
            return built;
        }
        if (!receive(frame_.bytes(), RtuFrame::replyHeadSize)) {
            return MBUS_REPLY_TIMEOUT;
        }
        const size_t size = frame_.replySize(replyLength);
        if (size == 0) {
            return MBUS_ILLEGAL_ARGUMENT;
        }
        if (!receive(frame_.bytes() + RtuFrame::replyHeadSize, size - RtuFrame::replyHeadSize)) {
            return MBUS_REPLY_TIMEOUT;
        }
        return frame_.checkReply(size, slave, functionCode, reply, replyLength);
    }

private:
    bool receive(uint8_t* into, size_t count) {
        if (count > left_) {
            return false;
        }
        std::memcpy(into, line_, count);
        line_ += count;
        left_ -= count;
        return true;
    }

    const uint8_t* line_;
    size_t left_;
    RtuFrame frame_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t controlBytes = 3;
    if (size < controlBytes) {
        return 0;
    }
    const unsigned operation = data[0] % 6;
    const int slave = data[1];
    const int count = 1 + data[2] % 125;
    FuzzLineMaster master(data + controlBytes, size - controlBytes);

    std::array<uint16_t, 125> registers{};
    std::array<int, 2000> coils{};
    switch (operation) {
    case 0:
        master.readInputRegisters(slave, 1, registers.data(), count);
        break;
    case 1:
        master.readCoils(slave, 1, coils.data(), count * 16);
        break;
    case 2:
        master.writeSingleCoil(slave, 1, 1);
        break;
    case 3:
        master.writeSingleRegister(slave, 1, 0x1234);
        break;
    case 4:
        master.writeMultipleRegisters(slave, 1, registers.data(), std::min(count, 100));
        break;
    default:
        master.writeMultipleCoils(slave, 1, coils.data(), count * 6);
        break;
    }

    // The frame check on its own, with any received length, must stay inside the frame.
    RtuFrame frame;
    const size_t received = size - controlBytes;
    std::memcpy(frame.bytes(), data + controlBytes, std::min(received, RtuFrame::capacity));
    uint8_t reply[RtuFrame::capacity] = {};
    frame.checkReply(received, slave, data[0] & 0x7F, reply, count);
    return 0;
}
