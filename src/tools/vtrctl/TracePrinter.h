#pragma once

#include "device/TrafficEntry.h"
#include "modbus/TransactionObserver.h"

#include <ostream>

// vtrctl --trace: each transaction of the master as the traffic log window shows it, request
// and reply bytes included, on the error stream as soon as it ends.
class TracePrinter final : public TransactionObserver {
public:
    TracePrinter(std::ostream& err, bool hex) : m_err(err), m_hex(hex ? 1 : 0) {}

    void transactionDone(const ObservedTransaction& transaction) override;

private:
    std::ostream& m_err;
    int m_hex;
    TrafficEntry m_entry;
    uint64_t m_count = 0;
};
