// Feeds arbitrary bytes to the unit as a Modbus TCP stream or as RTU frames: every frame
// found is decoded and served, and its reply framed, as the servers do.

#include "sim/SimMbapFrame.h"
#include "sim/SimRtuFrame.h"
#include "sim/SimSlave.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

void serveTcpStream(SimSlave& slave, const SimFaultSettings& faults, const uint8_t* data,
                    size_t size) {
    size_t frameSize = 0;
    while (SimMbapFrame::scan(data, size, frameSize) == SimMbapFrame::Scan::Complete) {
        const SimMbapFrame::Header header = SimMbapFrame::parseHeader(data);
        std::array<uint8_t, SimPdu::maxSize> reply;
        std::string label;
        const size_t replySize = slave.serve(header.unit, data + SimMbapFrame::pduOffset,
                                             frameSize - SimMbapFrame::pduOffset, faults,
                                             SimSlave::Mode::Reply, reply.data(), label);
        std::array<uint8_t, SimMbapFrame::maxSize> out;
        SimMbapFrame::build(header, header.unit, reply.data(), replySize, out.data());
        data += frameSize;
        size -= frameSize;
    }
}

void serveRtuFrames(SimSlave& slave, const SimFaultSettings& faults, const uint8_t* data,
                    size_t size) {
    while (size >= SimRtuFrame::minSize) {
        size_t frameSize = SimRtuFrame::expectedRequestSize(data, size);
        if (frameSize == SimRtuFrame::unknownSize) {
            frameSize = std::min(size, SimRtuFrame::maxSize);
        }
        if (frameSize == 0 || frameSize > size) {
            return;
        }
        // Served whatever the CRC says, so that the decoder sees more than checksum failures.
        SimRtuFrame::crcValid(data, frameSize);
        std::array<uint8_t, SimPdu::maxSize> reply;
        std::string label;
        const SimSlave::Mode mode = data[SimRtuFrame::addressOffset] == 0
                                        ? SimSlave::Mode::Broadcast
                                        : SimSlave::Mode::Reply;
        const size_t replySize =
            slave.serve(data[SimRtuFrame::addressOffset], data + SimRtuFrame::pduOffset,
                        frameSize - SimRtuFrame::pduOffset - SimRtuFrame::crcSize, faults, mode,
                        reply.data(), label);
        std::array<uint8_t, SimRtuFrame::maxSize> out;
        SimRtuFrame::build(data[SimRtuFrame::addressOffset], reply.data(), replySize, faults.badCrc,
                           out.data());
        data += frameSize;
        size -= frameSize;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const uint8_t mode = data[0];
    SimUnit unit(SimProfile::richDefault());
    unit.freezeLiveValues(mode);
    SimRequestLog log;
    SimSlave slave(unit, log);
    SimFaultSettings faults;
    faults.wrongFunction = mode & 0x02;
    faults.badCrc = mode & 0x04;
    if (mode & 0x08) {
        faults.exceptions.push_back({0x1100, 0x11FF, 4});
    }
    if (mode & 0x01) {
        serveRtuFrames(slave, faults, data + 1, size - 1);
    } else {
        serveTcpStream(slave, faults, data + 1, size - 1);
    }
    return 0;
}
