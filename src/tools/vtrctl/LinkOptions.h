#pragma once

#include "device/ConnectOptions.h"
#include "modbus/MbusMasterFunctions.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
} // namespace CLI

// How the master is set up before its link is opened.
struct MasterSettings {
    int timeoutMs = MbusMasterFunctions::defaultTimeoutMs;
    int retryCount = 0;
    int pollDelayMs = 0;
};

// The link options of vtrctl: which transport, and where it leads. Each transport adds its
// options here, checks them and opens its master; the commands only see an open master.
class LinkOptions {
public:
    // Declares the link options on the command line.
    void addTo(CLI::App& app);

    // Checks the parsed options; on a problem returns false with a one-line description.
    bool check(std::string& problem);

    // Creates the master of the chosen transport, applies the settings and opens the link.
    // Returns the master's error code; `master` is set even when opening fails.
    int open(const MasterSettings& settings, std::unique_ptr<MbusMasterFunctions>& master) const;

    // The slave address that --document names: 1 over Modbus TCP, the document's slave id over
    // Modbus RTU. Empty without --document.
    std::optional<int> documentSlave() const { return documentSlave_; }

    // The link as a document's connect options name it: those of --document, or the host and
    // port of --tcp, or the line of --rtu (the COM number of a COM<n> name, 0 for a device
    // path, which has none). Over RTU the slave id is `slave`.
    ConnectOptions connectOptions(int slave) const;

    const std::string& tcpHost() const { return tcpHost_; }
    uint16_t tcpPort() const { return tcpPort_; }

    // The serial line of --rtu, once checked.
    struct SerialLine {
        std::string device; // a device path, COM<n> or \\.\COM<n>
        int baudRate = 19200;
        int dataBits = 8;
        int stopBits = 1;
        int parity = 2; // 0 none, 1 odd, 2 even
        bool rs485 = false;
        int rs485DelayMs = 0;
    };
    const SerialLine& serialLine() const { return serial_; }

private:
    // The serial options as typed; empty when not given.
    struct SerialTexts {
        std::string baud;
        std::string parity;
        std::string dataBits;
        std::string stopBits;
        std::string rs485Delay;
        bool anyGiven() const;
    };

    bool checkTcpTarget(std::string& problem);
    bool checkDocument(std::string& problem);
    bool checkSerialLine(std::string& problem);
    int openTcp(const MasterSettings& settings, std::unique_ptr<MbusMasterFunctions>& master) const;
    int openRtu(const MasterSettings& settings, std::unique_ptr<MbusMasterFunctions>& master) const;

    // Set by addTo: whether an option was given at all, even as an empty text.
    CLI::Option* documentOption_ = nullptr;
    CLI::Option* tcpOption_ = nullptr;
    CLI::Option* rtuOption_ = nullptr;
    std::string documentPath_;
    std::optional<int> documentSlave_;
    std::optional<ConnectOptions> documentConnect_;
    std::string tcpTarget_; // HOST[:PORT] as typed
    std::string tcpHost_;
    uint16_t tcpPort_ = 0;
    std::string rtuDevice_;
    SerialTexts serialTexts_;
    SerialLine serial_;
};
