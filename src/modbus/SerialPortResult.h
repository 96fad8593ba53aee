#pragma once

// The plain result of every SerialPort operation.
enum class SerialPortResult {
    PortOk,
    PortBadSetting,   // a line setting was rejected
    PortSystemError,  // an operating-system call failed
    PortNotFound,     // no such device
    PortAccessDenied, // device in use or not accessible
    PortNotOpen,
    PortTimeout, // fewer bytes moved than asked within the time-out
};
