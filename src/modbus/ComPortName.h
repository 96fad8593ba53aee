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
