#pragma once

#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// A master whose transaction is scripted: it records what the core hands to transact() and
// answers from a queue of replies. With an empty queue it answers with a reply time-out.
class ScriptedTransport : public MbusMasterFunctions {
public:
    struct Call {
        int slave;
        int functionCode;
        std::vector<uint8_t> request;
        int replyLength;
    };
    struct Reply {
        int result;                // what transact returns
        std::vector<uint8_t> data; // copied into the reply buffer, at most replyLength bytes
    };

    int isLinkOpen() override { return open ? 1 : 0; }
    void closeLink() override { open = false; }

    int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength) override {
        calls.push_back({slave, functionCode,
                         std::vector<uint8_t>(request, request + requestLength), replyLength});
        if (!open) {
            return MBUS_ILLEGAL_STATE;
        }
        if (replies.empty()) {
            return MBUS_REPLY_TIMEOUT;
        }
        Reply next = replies.front();
        replies.pop_front();
        for (size_t i = 0; i < next.data.size() && i < static_cast<size_t>(replyLength); ++i) {
            reply[i] = next.data[i];
        }
        return next.result;
    }

    void answer(std::vector<uint8_t> data) { replies.push_back({MBUS_SUCCESS, std::move(data)}); }
    void fail(int result) { replies.push_back({result, {}}); }

    bool open = true;
    std::vector<Call> calls;
    std::deque<Reply> replies;
};
