// Feeds arbitrary replies to the six Modbus operations of the master core. The input chooses the
// operations and their arguments (in and out of range), and for each transaction the result the
// transport reports and the reply bytes it delivers. Besides the sanitizers, the master's own
// promises are checked: rejected arguments cause no traffic, failed reads leave zeros, the
// transport is never asked for more than the data buffer holds, and read coils are 0 or 1.

#include "modbus/MbusError.h"
#include "modbus/MbusMasterFunctions.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class FuzzedTransport : public MbusMasterFunctions {
public:
    explicit FuzzedTransport(FuzzedDataProvider& input) : input_(input) {}

    int isLinkOpen() override { return open_ ? 1 : 0; }
    void closeLink() override { open_ = false; }

    int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength) override {
        ++transactions;
        if (requestLength < 1 || requestLength > maxDataSize || replyLength < 1 ||
            replyLength > maxDataSize || slave < 0 || slave > 255 || functionCode < 1 ||
            functionCode > 0x7F) {
            std::abort();
        }
        // Reading the whole request lets the sanitizers see an overrun.
        unsigned checksum = 0;
        for (int i = 0; i < requestLength; ++i) {
            checksum += request[i];
        }
        lastRequestSum = checksum;
        if (!isLinkOpen()) {
            return MBUS_ILLEGAL_STATE;
        }
        const int result = input_.ConsumeBool() ? MBUS_SUCCESS : input_.ConsumeIntegral<int>();
        const std::vector<uint8_t> bytes =
            input_.ConsumeBytes<uint8_t>(static_cast<size_t>(replyLength));
        std::memset(reply, 0xA5, static_cast<size_t>(replyLength));
        if (!bytes.empty()) {
            std::memcpy(reply, bytes.data(), bytes.size());
        }
        if (input_.ConsumeIntegralInRange(0, 15) == 0) {
            open_ = false;
        }
        return result;
    }

    int transactions = 0;
    unsigned lastRequestSum = 0;

private:
    FuzzedDataProvider& input_;
    bool open_ = true;
};

// Count limits of read coils, read registers, the two single writes (no count), write coils
// and write registers.
constexpr int countLimits[6] = {2000, 125, 0, 0, 800, 100};

template <typename T>
void expectZeros(const std::vector<T>& values) {
    if (std::any_of(values.begin(), values.end(), [](T value) { return value != 0; })) {
        std::abort();
    }
}

void runOneOperation(FuzzedTransport& master, FuzzedDataProvider& input) {
    const int operation = input.ConsumeIntegralInRange(0, 5);
    const int slave = input.ConsumeIntegralInRange(-2, 257);
    const int ref = input.ConsumeIntegralInRange(-1, 65538);
    const int count = input.ConsumeIntegralInRange(-1, 2002);
    const size_t entries = static_cast<size_t>(std::max(count, 0));
    const int transactionsBefore = master.transactions;
    int result = MBUS_SUCCESS;

    if (operation == 0) {
        std::vector<int> values(entries, 7);
        result = master.readCoils(slave, ref, values.data(), count);
        if (result != MBUS_SUCCESS) {
            expectZeros(values);
        } else if (std::any_of(values.begin(), values.end(),
                               [](int v) { return v != 0 && v != 1; })) {
            std::abort();
        }
    } else if (operation == 1) {
        std::vector<uint16_t> values(entries, 7);
        result = master.readInputRegisters(slave, ref, values.data(), count);
        if (result != MBUS_SUCCESS) {
            expectZeros(values);
        }
    } else if (operation == 2) {
        result = master.writeSingleCoil(slave, ref, input.ConsumeIntegral<int>());
    } else if (operation == 3) {
        result = master.writeSingleRegister(slave, ref, input.ConsumeIntegral<uint16_t>());
    } else if (operation == 4) {
        std::vector<int> values(entries);
        for (auto& value : values) {
            value = input.ConsumeIntegralInRange(-1, 1);
        }
        result = master.writeMultipleCoils(slave, ref, values.data(), count);
    } else {
        std::vector<uint16_t> values(entries);
        for (auto& value : values) {
            value = input.ConsumeIntegral<uint16_t>();
        }
        result = master.writeMultipleRegisters(slave, ref, values.data(), count);
    }
    // Arguments outside the documented limits are answered with 1 before any traffic, and
    // only they are.
    const bool isRead = operation <= 1;
    const int highestCount = countLimits[operation];
    const bool rejected = slave < (isRead ? 1 : 0) || slave > 255 || ref < 1 || ref > 65536 ||
                          (operation != 2 && operation != 3 && (count < 1 || count > highestCount));
    const bool sent = master.transactions != transactionsBefore;
    if (rejected == sent || (rejected && result != MBUS_ILLEGAL_ARGUMENT)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    FuzzedTransport master(input);
    for (int operations = 0; operations < 8 && input.remaining_bytes() > 0; ++operations) {
        runOneOperation(master, input);
    }
    return 0;
}
