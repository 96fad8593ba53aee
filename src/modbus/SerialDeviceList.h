#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The serial devices of this machine, explained: which ones there are, what is behind them
// (the USB adapter's vendor, product and serial number from sysfs, and the stable
// /dev/serial/by-id name), whether this user may open them and what fixes it when not,
// whether a lock file or another process holds them, and which COM<n> alias leads to them.
class SerialDeviceList {
public:
    // Where the listing looks; tests point them at a fake tree.
    struct Roots {
        std::string dev = "/dev";
        std::string sys = "/sys";
        std::string proc = "/proc"; // empty: skip lock files and holding processes
        std::string lock = "/run/lock";
        std::string aliases; // the COM<n> alias folder; empty: the per-user settings folder
    };

    struct Holder {
        int pid = 0;
        std::string command;
    };

    struct Device {
        std::string path; // /dev/ttyUSB0
        std::string byId; // /dev/serial/by-id/usb-..., empty when there is none
        std::string vendorId, productId, manufacturer, product, serial; // USB, from sysfs
        std::string driver; // the kernel driver behind it (ftdi_sio, cdc_acm, serial8250...)
        unsigned mode = 0;  // permission bits
        std::string owner, group;
        bool canOpen = false;
        std::string fix;             // what lets this user open it, when canOpen is false
        int lockPid = 0;             // the process named by a lock file that still runs
        std::vector<Holder> holders; // processes that have it open
        std::vector<int> comAliases; // n of every COM<n> alias leading to it
    };

    // An alias whose target is none of the devices listed.
    struct StrayAlias {
        int number = 0;
        std::string target;
        bool exists = false;
    };

    struct Listing {
        std::vector<Device> devices;
        std::vector<StrayAlias> strayAliases;
    };

    // ttyS, ttyUSB and ttyACM devices in name order. A ttyS port whose sysfs entry says no
    // UART sits behind it (type 0) is left out: the kernel creates them whether there is
    // hardware or not.
    static Listing list(const Roots& roots);
    static Listing list();

    // Whether a process with these credentials may read and write a device of this mode,
    // owner and group, and if not, the command that fixes it. `groupMembers` are the user
    // names in the device's group database entry, which may differ from the process's groups
    // until the user logs in again.
    struct Access {
        bool canOpen = false;
        std::string fix;
    };
    static Access judgeAccess(unsigned mode, uid_t owner, gid_t group, const std::string& groupName,
                              uid_t uid, const std::vector<gid_t>& groups, const std::string& user,
                              const std::vector<std::string>& groupMembers);
};
