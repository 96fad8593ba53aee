#include "tools/vtrctl/PortsCommand.h"

#include "tools/vtrctl/JsonText.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

namespace {

std::string modeText(unsigned mode) {
    std::string text = "crw-rw-rw-";
    const char* letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit) {
        text[static_cast<size_t>(bit + 1)] = (mode & (0400u >> bit)) != 0 ? letters[bit] : '-';
    }
    return text;
}

std::string usbText(const SerialDeviceList::Device& device) {
    if (device.vendorId.empty()) {
        return device.driver.empty() ? std::string() : "driver " + device.driver;
    }
    std::string text = "USB " + device.vendorId + ":" + device.productId;
    for (const std::string* part : {&device.manufacturer, &device.product}) {
        if (!part->empty()) {
            text += " " + *part;
        }
    }
    if (!device.serial.empty()) {
        text += ", serial " + device.serial;
    }
    return text;
}

std::string useText(const SerialDeviceList::Device& device) {
    if (device.lockPid != 0) {
        return "locked by process " + std::to_string(device.lockPid);
    }
    if (!device.holders.empty()) {
        const auto& holder = device.holders.front();
        return "open in process " + std::to_string(holder.pid) + " (" + holder.command + ")";
    }
    return "free";
}

std::string aliasText(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) {
        text += (text.empty() ? "" : ",") + std::string("COM") + std::to_string(number);
    }
    return text.empty() ? "-" : text;
}

void writeText(const SerialDeviceList::Listing& listing, std::ostream& out) {
    if (listing.devices.empty()) {
        out << "no serial devices\n";
    }
    for (const auto& device : listing.devices) {
        out << device.path << "  " << aliasText(device.comAliases) << "  " << modeText(device.mode)
            << " " << device.owner << ":" << device.group << "  "
            << (device.canOpen ? "can open" : "no access: " + device.fix) << "  "
            << useText(device);
        const std::string usb = usbText(device);
        if (!usb.empty()) {
            out << "  " << usb;
        }
        if (!device.byId.empty()) {
            out << "  " << device.byId;
        }
        out << '\n';
    }
    for (const auto& alias : listing.strayAliases) {
        out << "COM" << alias.number << " -> " << alias.target
            << (alias.exists ? "  (not a serial device listed here)" : "  (missing)") << '\n';
    }
}

void writeJson(const SerialDeviceList::Listing& listing, std::ostream& out) {
    out << "[";
    const char* separator = "";
    for (const auto& device : listing.devices) {
        out << separator << "\n  {\"device\": " << jsonString(device.path)
            << ", \"byId\": " << (device.byId.empty() ? "null" : jsonString(device.byId));
        if (device.vendorId.empty()) {
            out << ", \"usb\": null";
        } else {
            out << ", \"usb\": {\"vendorId\": " << jsonString(device.vendorId)
                << ", \"productId\": " << jsonString(device.productId)
                << ", \"manufacturer\": " << jsonString(device.manufacturer)
                << ", \"product\": " << jsonString(device.product)
                << ", \"serial\": " << jsonString(device.serial) << "}";
        }
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", device.mode);
        out << ", \"driver\": " << jsonString(device.driver) << ", \"mode\": \"" << mode
            << "\", \"owner\": " << jsonString(device.owner)
            << ", \"group\": " << jsonString(device.group)
            << ", \"canOpen\": " << (device.canOpen ? "true" : "false")
            << ", \"fix\": " << (device.fix.empty() ? "null" : jsonString(device.fix))
            << ", \"lockedBy\": " << (device.lockPid != 0 ? std::to_string(device.lockPid) : "null")
            << ", \"openBy\": [";
        for (size_t i = 0; i < device.holders.size(); ++i) {
            out << (i == 0 ? "" : ", ") << "{\"pid\": " << device.holders[i].pid
                << ", \"command\": " << jsonString(device.holders[i].command) << "}";
        }
        out << "], \"comAliases\": [";
        for (size_t i = 0; i < device.comAliases.size(); ++i) {
            out << (i == 0 ? "" : ", ") << jsonString("COM" + std::to_string(device.comAliases[i]));
        }
        out << "]}";
        separator = ",";
    }
    out << (listing.devices.empty() ? "]\n" : "\n]\n");
}

} // namespace

void PortsCommand::addTo(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "ports", "List the serial devices: adapter, access, holder and COM<n> alias of each");
    command->add_flag("--json", json_, "Print a JSON array, one object per device");
    command->callback([this] { requested_ = true; });
}

int PortsCommand::run(std::ostream& out) const {
    write(SerialDeviceList::list(), json_, out);
    return 0;
}

void PortsCommand::write(const SerialDeviceList::Listing& listing, bool json, std::ostream& out) {
    if (json) {
        writeJson(listing, out);
    } else {
        writeText(listing, out);
    }
}
