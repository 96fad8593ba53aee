#pragma once

#include "modbus/Clock.h"
#include "modbus/TransactionObserver.h"

#include <array>
#include <cstdint>

// The protocol-independent core of the Modbus master: six blocking Modbus functions with their
// argument checks, request building, reply checks and unpacking. The transaction itself is the
// transport's (TCP or serial RTU), reached through transact().
//
// Every operation returns an error code from MbusError.h; 0 is success. `ref` is the one-based
// data reference: the address on the wire is ref - 1.
class MbusMasterFunctions {
public:
    // Longest request or reply data (the bytes after the function code): a read of 125
    // registers or 2000 coils answers with 1 + 250 bytes.
    static constexpr int maxDataSize = 251;
    // The most items one read may ask for: the reply must fit maxDataSize.
    static constexpr int maxReadBits = 2000;
    static constexpr int maxReadRegisters = 125;

    static constexpr int defaultTimeoutMs = 1000;
    static constexpr int64_t maxSleepStepMs = 3600000;

    MbusMasterFunctions();
    virtual ~MbusMasterFunctions() = default;
    MbusMasterFunctions(const MbusMasterFunctions&) = delete;
    MbusMasterFunctions& operator=(const MbusMasterFunctions&) = delete;

    virtual int isLinkOpen() = 0;
    virtual void closeLink() = 0;

    // One complete Modbus transaction with the transport's retry rule. `request` holds the
    // request data (after the function code); `reply` receives exactly `replyLength` bytes of
    // normal reply data. Returns 0, 130 for another function code or slave, 0xA0|code for an
    // exception reply, 2 while the link is closed, otherwise the transport's error.
    // `request` and `reply` may be the same buffer.
    virtual int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                         uint8_t* reply, int replyLength) = 0;

    int readCoils(int slave, int ref, int* values, int count);
    int readInputRegisters(int slave, int ref, uint16_t* values, int count);
    int writeSingleCoil(int slave, int ref, int value);
    int writeSingleRegister(int slave, int ref, uint16_t value);
    int writeMultipleCoils(int slave, int ref, const int* values, int count);
    int writeMultipleRegisters(int slave, int ref, const uint16_t* values, int count);

    void setTimeout(int milliseconds) { timeoutMs = milliseconds; }
    int getTimeout() const { return timeoutMs; }
    void setRetryCount(int retries) { retryCount = retries; }
    int getRetryCount() const { return retryCount; }
    void setPollDelay(int milliseconds) { pollDelayMs = milliseconds; }
    int getPollDelay() const { return pollDelayMs; }

    // Replaces the clock used for poll spacing (and by the serial transport for its waits).
    void setClock(Clock& clock) { clock_ = &clock; }

    // Hands every transaction that reached the transport to `observer` (null: none), after
    // its reply checks. Set it before transactions start: the master does not lock it.
    void setTransactionObserver(TransactionObserver* observer) { observer_ = observer; }

protected:
    // Poll spacing: sleeps until pollDelayMs has passed since the start of the previous
    // transaction, then marks the start of this one. Transports call it once per attempt.
    void waitPollDelay();
    Clock& clock() { return *clock_; }

    int timeoutMs = defaultTimeoutMs; // each wait of a transaction; 0 waits without limit
    int retryCount = 0;
    int pollDelayMs = 0;
    int64_t nextPollTime; // 100-ns units, UTC

private:
    int readBits(int functionCode, int slave, int ref, int* values, int count);
    int readRegisters(int functionCode, int slave, int ref, uint16_t* values, int count);
    int writeSingle(int functionCode, int slave, int ref, unsigned valueField,
                    unsigned acceptedAlternative);
    int writeMultiple(int functionCode, int slave, int ref, int count, int dataBytes);
    // transact() on the data buffer; with an observer, also keeps what it needs to hear of it.
    int exchange(int slave, int functionCode, int ref, int count, int requestLength,
                 int replyLength);
    // Tells the observer of the transaction exchange() ran, if any, with the operation's
    // final result; returns that result.
    int observed(int result);

    Clock* clock_;
    std::array<uint8_t, maxDataSize> dataBuffer_{};

    TransactionObserver* observer_ = nullptr;
    // The transaction under way, kept for the observer only: the reply overwrites the request
    // in dataBuffer_.
    bool observing_ = false;
    ObservedTransaction current_;
    std::array<uint8_t, maxDataSize> requestCopy_{};
};
