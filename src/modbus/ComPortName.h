#pragma once

#include <string>

// The program's per-user settings folder: $XDG_CONFIG_HOME/Corvantis/VtrConfig, or
// $HOME/.config/Corvantis/VtrConfig when XDG_CONFIG_HOME is unset, empty or relative. Empty when
// no absolute folder can be named. The folder need not exist.
std::string userSettingsFolder();

// The device path of a serial port name. The unit's documents name ports the Windows way,
// "\\.\COM<n>" or "COM<n>" (n from 1, any letter case): such a name goes to the per-user alias
// link COM<n> in the settings folder when that link exists (even dangling, so that a missing
// adapter is reported rather than silently replaced), else to /dev/ttyS<n-1>. Any other name,
// an absolute device path in particular, is used as it stands.
std::string comPortDevicePath(const std::string& portName);

// Makes the per-user alias COM<number> a symbolic link to `target` (a device path, a
// /dev/serial/by-id name or a pseudo-terminal), replacing an alias of that number in one step
// and creating the settings folder when needed. On failure returns false with the reason.
bool setComPortAlias(int number, const std::string& target, std::string& problem);

// n of a port named "COM<n>" or "\\.\COM<n>" (any letter case), else 0.
int comPortNumber(const std::string& portName);

// The COM number that reaches `device`: its own number for a COM name, the alias that leads
// to it, or n for /dev/ttyS<n-1> with no alias of that number. Otherwise an alias is made, of
// the lowest number whose name leads nowhere yet. 0 with the reason when none can be made.
int comPortFor(const std::string& device, std::string& problem);
