#pragma once

#include <cstdint>
#include <span>

// One transaction of the master as it ended: what was asked, what came back and how it went.
// The spans point into the master's buffers and are valid only during the call that hands
// them over.
struct ObservedTransaction {
    int slave = 0;
    int function = 0;
    // Wire address (the reference minus one) and number of registers or coils; a single
    // write counts 1.
    uint16_t address = 0;
    int count = 0;
    // Request data and normal reply data, each after the function code. The reply is empty
    // when the transport brought none (time-out, exception reply, closed link...).
    std::span<const uint8_t> request;
    std::span<const uint8_t> reply;
    // The operation's error code, reply checks included.
    int result = 0;
    // Start of the transaction on the master's clock (100-ns units, UTC), and how long the
    // transport took from sending to the end of the reply, retries included.
    int64_t startTicks = 0;
    int64_t roundTripUs = 0;
};

// Hears of every transaction a master sends. It is called on the thread that ran the
// transaction, right after it: it must return quickly and must not call back into the master.
class TransactionObserver {
public:
    virtual ~TransactionObserver() = default;
    virtual void transactionDone(const ObservedTransaction& transaction) = 0;
};
