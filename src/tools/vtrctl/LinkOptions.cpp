#include "tools/vtrctl/LinkOptions.h"

#include "device/VtrFile.h"
#include "modbus/MbusError.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "tools/vtrctl/NumberArgument.h"
#include "ui/CArchive.h"
#include "ui/CDocument.h"
#include "ui/FileAccess.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <limits>
#include <vector>

namespace {
constexpr int64_t lowestPort = 1;
constexpr int64_t highestPort = 65535;
constexpr int64_t largestInt = std::numeric_limits<int>::max();

struct ParityName {
    const char* name;
    int parity;
};
constexpr ParityName parityNames[] = {
    {"none", MbusSerialMasterProtocol::parityNone},
    {"odd", MbusSerialMasterProtocol::parityOdd},
    {"even", MbusSerialMasterProtocol::parityEven},
};

// An option that takes one of two numbers, such as 7|8 data bits.
bool parseChoice(const char* option, const std::string& text, int first, int second, int& value,
                 std::string& problem) {
    int64_t number = 0;
    if (!NumberArgument::parse(text, number) || (number != first && number != second)) {
        problem = std::string(option) + ": '" + text + "' is neither " + std::to_string(first) +
                  " nor " + std::to_string(second);
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

// n of a port named the Windows way, "COM<n>" or "\\.\COM<n>" (any letter case); 0 for any
// other name.
uint8_t comPortNumber(const std::string& name) {
    const std::string rest = name.starts_with("\\\\.\\") ? name.substr(4) : name;
    if (rest.size() < 4 || (rest[0] | 0x20) != 'c' || (rest[1] | 0x20) != 'o' ||
        (rest[2] | 0x20) != 'm') {
        return 0;
    }
    int64_t number = 0;
    if (!NumberArgument::parse(rest.substr(3), number) || number < 1 ||
        number > std::numeric_limits<uint8_t>::max()) {
        return 0;
    }
    return static_cast<uint8_t>(number);
}

} // namespace

bool LinkOptions::SerialTexts::anyGiven() const {
    return !baud.empty() || !parity.empty() || !dataBits.empty() || !stopBits.empty() ||
           !rs485Delay.empty();
}

void LinkOptions::addTo(CLI::App& app) {
    documentOption_ =
        app.add_option(
               "--document", documentPath_,
               "Take the link from a VtrConfig document (.vtr): Modbus TCP to its server and "
               "TCP port as slave 1, or Modbus RTU on its COM port with its slave id, baud "
               "rate and parity, 8 data bits and 2 stop bits")
            ->type_name("FILE.vtr");
    tcpOption_ = app.add_option("--tcp", tcpTarget_,
                                "Modbus TCP server to talk to: a host name or dotted IPv4 address, "
                                "optionally followed by :PORT (default port 502)")
                     ->type_name("HOST[:PORT]");
    rtuOption_ =
        app.add_option("--rtu", rtuDevice_,
                       "Modbus RTU on a serial port: a device path such as /dev/ttyUSB0, or COM<n> "
                       "(\\\\.\\COM<n>), which opens the alias link COM<n> in "
                       "~/.config/Corvantis/VtrConfig when there is one, else /dev/ttyS<n-1>")
            ->type_name("DEVICE");
    app.add_option("--baud", serialTexts_.baud, "Baud rate of --rtu, default 19200")
        ->type_name("N");
    app.add_option("--parity", serialTexts_.parity, "Parity of --rtu, default even")
        ->type_name("none|odd|even");
    app.add_option("--data-bits", serialTexts_.dataBits,
                   "Data bits of --rtu, default 8 (RTU framing needs 8: 7 is refused with error 1)")
        ->type_name("7|8");
    app.add_option("--stop-bits", serialTexts_.stopBits, "Stop bits of --rtu, default 1")
        ->type_name("1|2");
    app.add_option("--rs485-delay", serialTexts_.rs485Delay,
                   "RS-485 mode for --rtu: RTS is raised while sending and dropped MS "
                   "milliseconds (1 to 100000) after the last byte; 0 or absent: RTS stays raised")
        ->type_name("MS");
}

bool LinkOptions::check(std::string& problem) {
    const struct {
        const CLI::Option* option;
        const std::string& text;
        const char* problem;
    } given[] = {
        {documentOption_, documentPath_, "--document: the file name is empty"},
        {tcpOption_, tcpTarget_, "--tcp: the host name is missing"},
        {rtuOption_, rtuDevice_, "--rtu: the device name is empty"},
    };
    for (const auto& link : given) {
        if (link.option != nullptr && link.option->count() > 0 && link.text.empty()) {
            problem = link.problem;
            return false;
        }
    }
    const int links = !documentPath_.empty() + !tcpTarget_.empty() + !rtuDevice_.empty();
    if (links > 1) {
        problem = "use one of --document, --tcp and --rtu";
        return false;
    }
    if (!documentPath_.empty()) {
        if (serialTexts_.anyGiven()) {
            problem = "--document gives the serial line: leave out --baud, --parity, "
                      "--data-bits, --stop-bits and --rs485-delay";
            return false;
        }
        return checkDocument(problem);
    }
    if (!rtuDevice_.empty()) {
        return checkSerialLine(problem);
    }
    if (serialTexts_.anyGiven()) {
        problem = "--baud, --parity, --data-bits, --stop-bits and --rs485-delay need --rtu DEVICE";
        return false;
    }
    if (tcpTarget_.empty()) {
        problem = "no link given: use --tcp HOST[:PORT], --rtu DEVICE or --document FILE.vtr";
        return false;
    }
    return checkTcpTarget(problem);
}

bool LinkOptions::checkTcpTarget(std::string& problem) {
    tcpPort_ = MbusTcpMasterProtocol::defaultPort;
    const size_t colon = tcpTarget_.find(':');
    // The master speaks IPv4 only; a bracketed IPv6 address or a second colon would otherwise
    // be read as a host name or a bad port.
    if (tcpTarget_.find_first_of("[]") != std::string::npos ||
        (colon != std::string::npos && tcpTarget_.find(':', colon + 1) != std::string::npos)) {
        problem = "--tcp: '" + tcpTarget_ +
                  "': IPv6 addresses and extra colons are not supported; give HOST[:PORT] with a "
                  "host name or dotted IPv4 address";
        return false;
    }
    tcpHost_ = tcpTarget_.substr(0, colon);
    if (colon != std::string::npos) {
        int64_t port = 0;
        if (!NumberArgument::parse(tcpTarget_.substr(colon + 1), port) || port < lowestPort ||
            port > highestPort) {
            problem = "--tcp: the port after ':' must be a number from 1 to 65535";
            return false;
        }
        tcpPort_ = static_cast<uint16_t>(port);
    }
    if (tcpHost_.empty()) {
        problem = "--tcp: the host name is missing";
        return false;
    }
    return true;
}

bool LinkOptions::checkDocument(std::string& problem) {
    const std::string where = "--document " + documentPath_ + ": ";
    std::vector<uint8_t> bytes;
    if (!FileAccess::readAll(documentPath_, CDocument::maxFileBytes, bytes, problem)) {
        problem = where + problem;
        return false;
    }
    CArchive ar(bytes);
    DocumentSettings settings;
    int32_t version = 0;
    switch (VtrFile::read(ar, version, settings)) {
    case VtrFile::ReadResult::failed:
        problem = where + "not a VtrConfig document (unexpected file format)";
        return false;
    case VtrFile::ReadResult::otherVersion:
        // The program would open it with the options it had before; vtrctl has none to keep.
        problem = where + "document format " + std::to_string(version) + " is not known";
        return false;
    case VtrFile::ReadResult::read:
        break;
    }
    const ConnectOptions& connect = settings.connect;
    documentConnect_ = connect;
    if (connect.protocol == ConnectOptions::modbusTcp) {
        tcpHost_ = connect.server;
        tcpPort_ = connect.tcpPort;
        documentSlave_ = 1;
        if (tcpHost_.empty()) {
            problem = where + "the document names no server";
            return false;
        }
        return true;
    }
    if (connect.protocol != ConnectOptions::modbusRtu) {
        problem = where + "unknown protocol " + std::to_string(connect.protocol);
        return false;
    }
    if (connect.baudIndex >= ConnectOptions::baudRates.size() ||
        connect.parityIndex > ConnectOptions::lastParityIndex) {
        problem = where + "unknown baud rate or parity (index " +
                  std::to_string(connect.baudIndex) + ", " + std::to_string(connect.parityIndex) +
                  ")";
        return false;
    }
    rtuDevice_ = connect.comPortName();
    serial_ = SerialLine{};
    serial_.device = rtuDevice_;
    serial_.baudRate = ConnectOptions::baudRates[connect.baudIndex];
    serial_.stopBits = 2;
    serial_.parity = connect.parityIndex;
    documentSlave_ = connect.slaveId;
    return true;
}

// Only the form of each option is checked here; whether the port takes a baud rate, or the
// RTU master 7 data bits or an RS-485 delay, is the master's answer, as for every other value.
bool LinkOptions::checkSerialLine(std::string& problem) {
    serial_ = SerialLine{};
    serial_.device = rtuDevice_;
    const SerialTexts& texts = serialTexts_;
    if (!texts.baud.empty()) {
        int64_t baud = 0;
        if (!NumberArgument::parse(texts.baud, baud) || baud < 1 || baud > largestInt) {
            problem = "--baud: '" + texts.baud + "' is not a number from 1 to " +
                      std::to_string(largestInt);
            return false;
        }
        serial_.baudRate = static_cast<int>(baud);
    }
    if (!texts.parity.empty()) {
        bool known = false;
        for (const auto& entry : parityNames) {
            if (texts.parity == entry.name) {
                serial_.parity = entry.parity;
                known = true;
            }
        }
        if (!known) {
            problem = "--parity: '" + texts.parity + "' is not none, odd or even";
            return false;
        }
    }
    if ((!texts.dataBits.empty() &&
         !parseChoice("--data-bits", texts.dataBits, 7, 8, serial_.dataBits, problem)) ||
        (!texts.stopBits.empty() &&
         !parseChoice("--stop-bits", texts.stopBits, 1, 2, serial_.stopBits, problem))) {
        return false;
    }
    if (!texts.rs485Delay.empty()) {
        int64_t delay = 0;
        if (!NumberArgument::parse(texts.rs485Delay, delay)) {
            problem = "--rs485-delay: '" + texts.rs485Delay + "' is not a number";
            return false;
        }
        serial_.rs485 = true;
        serial_.rs485DelayMs = NumberArgument::saturateToInt(delay);
    }
    return true;
}

ConnectOptions LinkOptions::connectOptions(int slave) const {
    ConnectOptions options = documentConnect_.value_or(ConnectOptions{});
    if (rtuDevice_.empty()) {
        options.protocol = ConnectOptions::modbusTcp;
        options.server = tcpHost_;
        options.tcpPort = tcpPort_;
        return options;
    }
    options.protocol = ConnectOptions::modbusRtu;
    options.slaveId = static_cast<uint8_t>(slave);
    if (!documentConnect_) {
        options.comPort = comPortNumber(serial_.device);
        const auto& rates = ConnectOptions::baudRates;
        // A rate outside the table becomes an index outside it, which shows as invalid.
        options.baudIndex = static_cast<uint16_t>(
            std::find(rates.begin(), rates.end(), serial_.baudRate) - rates.begin());
        options.parityIndex = static_cast<uint16_t>(serial_.parity);
    }
    return options;
}

int LinkOptions::open(const MasterSettings& settings,
                      std::unique_ptr<MbusMasterFunctions>& master) const {
    return rtuDevice_.empty() ? openTcp(settings, master) : openRtu(settings, master);
}

int LinkOptions::openTcp(const MasterSettings& settings,
                         std::unique_ptr<MbusMasterFunctions>& master) const {
    auto tcp = std::make_unique<MbusTcpMasterProtocol>();
    tcp->setTimeout(settings.timeoutMs);
    tcp->setRetryCount(settings.retryCount);
    tcp->setPollDelay(settings.pollDelayMs);
    tcp->setPort(tcpPort_);
    const int result = tcp->connectTo(tcpHost_.c_str());
    master = std::move(tcp);
    return result;
}

int LinkOptions::openRtu(const MasterSettings& settings,
                         std::unique_ptr<MbusMasterFunctions>& master) const {
    auto rtu = std::make_unique<MbusRtuMasterProtocol>();
    rtu->setTimeout(settings.timeoutMs);
    rtu->setRetryCount(settings.retryCount);
    rtu->setPollDelay(settings.pollDelayMs);
    int result = serial_.rs485 ? rtu->setRs485Mode(serial_.rs485DelayMs) : MBUS_SUCCESS;
    if (result == MBUS_SUCCESS) {
        result = rtu->openPort(serial_.device.c_str(), serial_.baudRate, serial_.dataBits,
                               serial_.stopBits, serial_.parity);
    }
    master = std::move(rtu);
    return result;
}
