#include "tools/vtrctl/ScanCommand.h"

#include "device/ScanListener.h"
#include "modbus/MbusError.h"
#include "tools/vtrctl/JsonText.h"
#include "tools/vtrctl/NumberArgument.h"
#include "tools/vtrctl/VtrctlProgram.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

constexpr std::array<const char*, 3> parityNames{"none", "odd", "even"};
constexpr int barWidth = 30;
constexpr auto redrawInterval = std::chrono::milliseconds(100);

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');) {
        items.push_back(item);
    }
    return items;
}

std::string unitLine(const FoundUnit& unit) {
    std::string line = unit.isTcp()
                           ? unit.address + ":" + std::to_string(unit.port)
                           : std::to_string(unit.baudRate) + " baud  " + parityNames[unit.parity] +
                                 " parity  slave " + std::to_string(unit.slave);
    if (unit.identityResult != MBUS_SUCCESS) {
        return line + "  answers, but not as a VTR300 (error " +
               std::to_string(unit.identityResult) + ": " + errorText(unit.identityResult) + ")";
    }
    return line + "  serial " + unit.identity.serialNumber + "  firmware " +
           unit.identity.firmwareRevision;
}

void writeJson(const std::vector<FoundUnit>& units, std::ostream& out) {
    out << "[";
    const char* separator = "";
    for (const FoundUnit& unit : units) {
        out << separator << "\n  {";
        if (unit.isTcp()) {
            out << "\"address\": " << jsonString(unit.address) << ", \"port\": " << unit.port;
        } else {
            out << "\"device\": " << jsonString(unit.device) << ", \"baudRate\": " << unit.baudRate
                << ", \"parity\": \"" << parityNames[unit.parity] << "\"";
        }
        out << ", \"slave\": " << unit.slave;
        if (unit.identityResult == MBUS_SUCCESS) {
            const DeviceInfo& id = unit.identity;
            out << ", \"manufacturer\": " << jsonString(id.manufacturer)
                << ", \"modelNumber\": " << jsonString(id.modelNumber)
                << ", \"serialNumber\": " << jsonString(id.serialNumber)
                << ", \"firmwareRevision\": " << jsonString(id.firmwareRevision)
                << ", \"identityError\": null}";
        } else {
            out << ", \"identityError\": " << unit.identityResult << "}";
        }
        separator = ",";
    }
    out << (units.empty() ? "]\n" : "\n]\n");
}

// Prints each unit as it is found, and on a terminal a progress bar below the lines.
class ConsoleListener : public ScanListener {
public:
    ConsoleListener(std::ostream& out, std::ostream& err, bool text, bool terminal)
        : out_(out), err_(err), text_(text), terminal_(terminal) {}
    ~ConsoleListener() override { clearBar(); }

    void progress(int done, int total, const std::string& step) override {
        const auto now = std::chrono::steady_clock::now();
        if (!terminal_ || (now - drawn_ < redrawInterval && done < total)) {
            return;
        }
        drawn_ = now;
        const int filled = total > 0 ? done * barWidth / total : barWidth;
        err_ << "\r\033[K[" << std::string(static_cast<size_t>(filled), '#')
             << std::string(static_cast<size_t>(barWidth - filled), '.') << "] " << done << "/"
             << total << "  " << step << std::flush;
    }
    void found(const FoundUnit& unit) override {
        if (text_) {
            clearBar();
            out_ << unitLine(unit) << std::endl;
        }
    }
    bool cancelled() override { return VtrctlProgram::interruptRequested(); }

private:
    void clearBar() {
        if (terminal_) {
            err_ << "\r\033[K" << std::flush;
        }
    }

    std::ostream& out_;
    std::ostream& err_;
    bool text_;
    bool terminal_;
    std::chrono::steady_clock::time_point drawn_{};
};

} // namespace

void ScanCommand::addTo(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("scan", "Find units on a serial line or in a range of addresses");
    command->add_option("--rtu", rtuDevice_, "Search this serial device (a path or COM<n>)")
        ->type_name("DEVICE");
    command
        ->add_option("--tcp", tcpRange_,
                     "Search these IPv4 addresses (at most 4096), default port 502")
        ->type_name("ADDRESS[-LAST][:PORT]");
    command
        ->add_option("--baud", baudList_,
                     "Baud rates to try, default 19200,9600,38400,57600,115200,4800,2400,1200")
        ->type_name("LIST");
    command->add_option("--parity", parityList_, "Parities to try, default even,none,odd")
        ->type_name("LIST");
    command->add_option("--slave", slaveRange_, "Slave addresses to try, default 1-247 (31 first)")
        ->type_name("FIRST[-LAST]");
    command->add_flag("--all", all_, "Go on after the first unit found on a serial line");
    command->add_option("--jobs", jobsText_, "Connections at once over TCP, default 32")
        ->type_name("N");
    command->add_flag("--json", json_, "Print the units found as a JSON array");
    command->callback([this] { requested_ = true; });
}

bool ScanCommand::check(std::string& problem) {
    if (rtuDevice_.empty() == tcpRange_.empty()) {
        problem = "scan: give --rtu DEVICE or --tcp ADDRESS[-LAST][:PORT]";
        return false;
    }
    if (!tcpRange_.empty()) {
        if (!baudList_.empty() || !parityList_.empty() || !slaveRange_.empty() || all_) {
            problem = "scan: --baud, --parity, --slave and --all belong to --rtu";
            return false;
        }
        int64_t jobs = TcpUnitScan::defaultJobs;
        if (!jobsText_.empty() &&
            (!NumberArgument::parse(jobsText_, jobs) || jobs < 1 || jobs > TcpUnitScan::maxJobs)) {
            problem = "scan: --jobs: '" + jobsText_ + "' is not a number from 1 to " +
                      std::to_string(TcpUnitScan::maxJobs);
            return false;
        }
        jobs_ = static_cast<int>(jobs);
        if (!TcpUnitScan::parseRange(tcpRange_, tcp_, problem)) {
            problem = "scan: --tcp " + problem;
            return false;
        }
        return true;
    }
    if (!jobsText_.empty()) {
        problem = "scan: --jobs belongs to --tcp";
        return false;
    }
    return checkRtu(problem);
}

bool ScanCommand::checkRtu(std::string& problem) {
    rtu_.device = rtuDevice_;
    rtu_.all = all_;
    if (!baudList_.empty()) {
        rtu_.baudRates.clear();
        for (const std::string& item : splitList(baudList_)) {
            int64_t baud = 0;
            const auto& known = RtuUnitScan::likelyBaudRates();
            if (!NumberArgument::parse(item, baud) ||
                std::find(known.begin(), known.end(), baud) == known.end()) {
                problem = "scan: --baud: '" + item +
                          "' is not one of the unit's baud rates "
                          "(1200 to 115200)";
                return false;
            }
            rtu_.baudRates.push_back(static_cast<int>(baud));
        }
    }
    if (!parityList_.empty()) {
        rtu_.parities.clear();
        for (const std::string& item : splitList(parityList_)) {
            const auto name = std::find(parityNames.begin(), parityNames.end(), item);
            if (name == parityNames.end()) {
                problem = "scan: --parity: '" + item + "' is not none, odd or even";
                return false;
            }
            rtu_.parities.push_back(static_cast<int>(name - parityNames.begin()));
        }
    }
    if (!slaveRange_.empty()) {
        if (!RtuUnitScan::parseSlaves(slaveRange_, rtu_.slaves)) {
            problem = "scan: --slave: '" + slaveRange_ + "' is not FIRST[-LAST] within 1-247";
            return false;
        }
    }
    return true;
}

int ScanCommand::run(std::ostream& out, std::ostream& err) const {
    const bool terminal = &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
    std::vector<FoundUnit> found;
    const auto start = std::chrono::steady_clock::now();
    {
        // Serial units are printed as they answer; addresses, which answer in any order, once
        // the search is over.
        ConsoleListener listener(out, err, !json_ && tcpRange_.empty(), terminal);
        if (!tcpRange_.empty()) {
            TcpUnitScan::run(tcp_, jobs_, listener, found);
        } else if (const int result = RtuUnitScan::run(rtu_, listener, found); result != 0) {
            err << "error " << result << ": " << errorText(result) << '\n';
            return VtrctlProgram::exitFailure;
        }
    }
    if (json_) {
        writeJson(found, out);
    } else if (!tcpRange_.empty()) {
        for (const FoundUnit& unit : found) {
            out << unitLine(unit) << '\n';
        }
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto units = std::count_if(found.begin(), found.end(), [](const FoundUnit& unit) {
        return unit.identityResult == MBUS_SUCCESS;
    });
    char summary[80];
    std::snprintf(summary, sizeof summary, "scan: %ld unit%s found in %.1f s%s\n",
                  static_cast<long>(units), units == 1 ? "" : "s", seconds,
                  VtrctlProgram::interruptRequested() ? " (interrupted)" : "");
    err << summary;
    if (VtrctlProgram::interruptRequested()) {
        return VtrctlProgram::exitInterrupted;
    }
    return units > 0 ? VtrctlProgram::exitSuccess : VtrctlProgram::exitFailure;
}
