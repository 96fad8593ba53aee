#pragma once

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

// Reads from a socket or a tty until `size` bytes are in, the peer closes, or `timeoutMs`
// passes; returns what arrived. `closedByPeer`, when given, tells whether the peer closed.
inline std::vector<uint8_t> readWithDeadline(int fd, size_t size, int timeoutMs,
                                             bool* closedByPeer = nullptr) {
    std::vector<uint8_t> received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (received.size() < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        uint8_t buffer[512];
        const ssize_t count = ::read(fd, buffer, std::min(sizeof buffer, size - received.size()));
        if (count <= 0) {
            if (closedByPeer != nullptr) {
                *closedByPeer = count == 0;
            }
            break;
        }
        received.insert(received.end(), buffer, buffer + count);
    }
    return received;
}
