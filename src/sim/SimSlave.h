#pragma once

#include "sim/SimFaults.h"
#include "sim/SimPdu.h"
#include "sim/SimRequest.h"
#include "sim/SimRequestLog.h"
#include "sim/SimUnit.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The unit's Modbus application layer, shared by the TCP and RTU sides: decodes a request
// PDU, logs it, serves it from the unit and builds the reply PDU. Framing is the transport's.
class SimSlave {
public:
    // How a transport asks for one request to be served.
    enum class Mode {
        Reply,     // serve it and build the reply
        Broadcast, // perform a write without replying; ignore a read
        Lost,      // log it only: the unit never gets to act on it
    };

    SimSlave(SimUnit& unit, SimRequestLog& log) : unit_(unit), log_(log) {}

    // Serves `pdu` (function code and data, `size` bytes, at most SimPdu::maxSize). Writes the
    // reply PDU to `reply` (room for SimPdu::maxSize bytes) and returns its size; 0 when there
    // is no reply. `label` receives the block the request touches.
    size_t serve(uint8_t slave, const uint8_t* pdu, size_t size, const SimFaultSettings& faults,
                 Mode mode, uint8_t* reply, std::string& label);

private:
    uint8_t execute(const SimRequest& request, uint8_t* reply, size_t& replySize);

    SimUnit& unit_;
    SimRequestLog& log_;
};
