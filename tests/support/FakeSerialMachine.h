#pragma once

#include "modbus/SerialDeviceList.h"
#include "support/ScratchFolder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace fakeserial {

namespace fs = std::filesystem;

inline void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

inline void link(const fs::path& link, const fs::path& target) {
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
}

} // namespace fakeserial

// A machine in a folder: an on-board UART and a ttyS without one, an FTDI adapter with its
// by-id name and a COM3 alias through it, two more ttyUSB to check the order, a ttyACM held
// by a lock file and a ttyUSB held open by a process, and an alias to a missing adapter.
struct FakeSerialMachine {
    FakeSerialMachine() {
        using namespace fakeserial;
        const fs::path root = folder.path();
        roots = {(root / "dev").string(), (root / "sys").string(), (root / "proc").string(),
                 (root / "lock").string(), (root / "aliases").string()};
        for (const char* name :
             {"ttyS0", "ttyS1", "ttyUSB0", "ttyUSB2", "ttyUSB10", "ttyACM0", "tty", "ttyprintk"}) {
            writeFile(root / "dev" / name, "");
        }
        const std::string byId = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        link(root / "dev/serial/by-id" / byId, "../../ttyUSB0");
        writeFile(root / "sys/class/tty/ttyS0/type", "4\n");
        writeFile(root / "sys/class/tty/ttyS1/type", "0\n");
        const fs::path usb = root / "sys/devices/pci0000:00/usb1/1-1";
        const std::pair<const char*, const char*> attributes[] = {
            {"idVendor", "0403"},           {"idProduct", "6001"},  {"manufacturer", "FTDI"},
            {"product", "FT232R USB UART"}, {"serial", "A50285BI"},
        };
        for (const auto& [name, value] : attributes) {
            writeFile(usb / name, std::string(value) + "\n");
        }
        fs::create_directories(usb / "1-1:1.0/ttyUSB0");
        fs::create_directories(root / "sys/bus/usb-serial/drivers/ftdi_sio");
        link(usb / "1-1:1.0/ttyUSB0/driver", root / "sys/bus/usb-serial/drivers/ftdi_sio");
        link(root / "sys/class/tty/ttyUSB0/device", usb / "1-1:1.0/ttyUSB0");
        writeFile(root / "lock/LCK..ttyACM0", "      4242\n");
        writeFile(root / "proc/4242/comm", "minicom\n");
        writeFile(root / "lock/LCK..ttyUSB10", "      5353\n"); // stale: no such process
        writeFile(root / "proc/777/comm", "picocom\n");
        link(root / "proc/777/fd/5", root / "dev/ttyUSB2");
        link(root / "aliases/COM3", root / "dev/serial/by-id" / byId);
        link(root / "aliases/COM9", "/nonexistent/ttyUSB7");
    }
    ScratchFolder folder;
    SerialDeviceList::Roots roots;
};
