// Feeds arbitrary reply bytes to the Modbus TCP transport over a real loopback connection. A
// unit thread answers each request with the bytes the input chooses and then closes, so that
// every input ends without a time-out: short replies end in "connection closed". The input also
// chooses the operation and its count, which set how many bytes the master reads.

#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "support/LoopbackListener.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr size_t mbapPrefixSize = 6; // transaction, protocol, length
constexpr size_t lengthOffset = 4;
constexpr size_t largestReply = 300;

// The transport with its reconnection rule set aside: one attempt per transaction, so that every
// input uses exactly one connection, which the unit closes first.
class SingleAttemptMaster : public MbusTcpMasterProtocol {
public:
    int transact(int slave, int functionCode, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyLength) override {
        return transactOnce(slave, functionCode, request, requestLength, reply, replyLength);
    }
};

class ReplyingUnit {
public:
    ReplyingUnit() {
        std::thread([this] { serve(); }).detach(); // lives as long as the fuzzing process
    }

    uint16_t port() const { return m_listener.port(); }

    void setReply(std::vector<uint8_t> bytes) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reply = std::move(bytes);
    }

    // Waits until the unit has finished with the connection of the current input.
    void waitUntilServed() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_served.wait(lock, [this] { return !m_busy; });
    }

    void expectConnection() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_busy = true;
    }

private:
    static bool receiveExactly(int client, uint8_t* bytes, size_t count) {
        size_t received = 0;
        while (received < count) {
            const ssize_t n = recv(client, bytes + received, count - received, 0);
            if (n <= 0) {
                return false;
            }
            received += static_cast<size_t>(n);
        }
        return true;
    }

    void serve() {
        for (;;) {
            const int client = m_listener.accept();
            if (client < 0) {
                continue;
            }
            uint8_t request[mbapPrefixSize + 256];
            if (receiveExactly(client, request, mbapPrefixSize)) {
                const size_t length =
                    (size_t{request[lengthOffset]} << 8) | request[lengthOffset + 1];
                if (length <= 256 && receiveExactly(client, request + mbapPrefixSize, length)) {
                    std::vector<uint8_t> reply;
                    {
                        std::lock_guard<std::mutex> lock(m_mutex);
                        reply = m_reply;
                    }
                    if (!reply.empty()) {
                        send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
                    }
                }
            }
            close(client);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_busy = false;
            m_served.notify_all();
        }
    }

    LoopbackListener m_listener{4};
    std::mutex m_mutex;
    std::condition_variable m_served;
    std::vector<uint8_t> m_reply;
    bool m_busy = false;
};

ReplyingUnit& unit() {
    static ReplyingUnit* instance = new ReplyingUnit;
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int operation = input.ConsumeIntegralInRange(0, 3);
    const int count = input.ConsumeIntegralInRange(1, 125);
    unit().setReply(input.ConsumeBytes<uint8_t>(largestReply));

    SingleAttemptMaster master;
    master.setPort(unit().port());
    master.setTimeout(5000);
    unit().expectConnection();
    if (master.connectTo("127.0.0.1") != MBUS_SUCCESS) {
        std::abort();
    }
    int result = MBUS_SUCCESS;
    if (operation == 0) {
        std::vector<int> coils(125 * 8, 7);
        result = master.readCoils(1, 1, coils.data(), count * 8);
    } else if (operation == 1) {
        std::vector<uint16_t> registers(125, 7);
        result = master.readInputRegisters(1, 1, registers.data(), count);
    } else if (operation == 2) {
        result = master.writeSingleRegister(1, 1, 0x1234);
    } else {
        std::vector<uint16_t> registers(100, 0x5555);
        result = master.writeMultipleRegisters(1, 1, registers.data(), count > 100 ? 100 : count);
    }
    // The unit closes after its reply, so the master never waits out its time-out.
    if (result == MBUS_REPLY_TIMEOUT) {
        std::abort();
    }
    master.closeLink();
    unit().waitUntilServed();
    return 0;
}
