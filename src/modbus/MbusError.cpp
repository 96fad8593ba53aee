#include "modbus/MbusError.h"

#include <cstdint>
#include <iterator>

namespace {

struct ErrorTextEntry {
    int code;
    const char* text;
};

// Searched front to back; the order is that of the code classes.
constexpr ErrorTextEntry errorTexts[] = {
    {MBUS_SUCCESS, "Operation was successful"},
    {MBUS_ILLEGAL_ARGUMENT, "Illegal argument error"},
    {MBUS_ILLEGAL_STATE, "Illegal state error"},
    {MBUS_NO_DATA_TABLE, "No data table configured"},
    {MBUS_ILLEGAL_SLAVE_ADDRESS, "Slave address 0 is illegal in this context"},
    {MBUS_IO_ERROR_CLASS, "I/O error class"},
    {MBUS_IO_ERROR, "I/O error"},
    {MBUS_OPEN_ERROR, "Port or socket open error"},
    {MBUS_PORT_ALREADY_OPEN, "Serial port already open"},
    {MBUS_TCP_CONNECT_ERROR, "TCP/IP connection error"},
    {MBUS_CONNECTION_CLOSED, "TCP/IP connection was closed by remote peer"},
    {MBUS_SOCKET_LIB_ERROR, "Socket library error"},
    {MBUS_PORT_ALREADY_BOUND, "TCP Port alread bound"},
    {MBUS_LISTEN_FAILED, "Listen failed"},
    {MBUS_FILES_EXCEEDED, "File descriptors exceeded"},
    {MBUS_PORT_NO_ACCESS, "No permission to access serial or TCP port"},
    {MBUS_PORT_NOT_AVAILABLE, "TCP Port not available"},
    {MBUS_PROTOCOL_ERROR_CLASS, "Fieldbus protocol error class"},
    {MBUS_CHECKSUM_ERROR, "Checksum error"},
    {MBUS_INVALID_FRAME, "Invalid frame error"},
    {MBUS_INVALID_REPLY, "Invalid reply error"},
    {MBUS_REPLY_TIMEOUT, "Reply time-out"},
    {MBUS_SEND_TIMEOUT, "Send time-out"},
    {MBUS_EXCEPTION_RESPONSE, "Modbus exception response"},
    {MBUS_ILLEGAL_FUNCTION, "Illegal Function exception response"},
    {MBUS_ILLEGAL_DATA_ADDRESS, "Illegal Data Address exception response"},
    {MBUS_ILLEGAL_DATA_VALUE, "Illegal Data Value exception response"},
    {MBUS_SLAVE_DEVICE_FAILURE, "Slave Device Failure exception response"},
};

} // namespace

int exceptionError(unsigned char exceptionCode) {
    return MBUS_EXCEPTION_RESPONSE | static_cast<int>(static_cast<int8_t>(exceptionCode));
}

const char* errorText(int code) {
    for (const auto& entry : errorTexts) {
        if (entry.code == code) {
            return entry.text;
        }
    }
    return "Unknown error";
}
