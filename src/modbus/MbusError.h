#pragma once

// Error codes of every Modbus operation. 0 is success; the codes fall into classes:
// general (below 64), I/O (64..127), fieldbus protocol (128..159) and exception replies
// (160 and up: 0xA0 OR the slave's exception code).

constexpr int MBUS_SUCCESS = 0;
constexpr int MBUS_ILLEGAL_ARGUMENT = 1;
constexpr int MBUS_ILLEGAL_STATE = 2;
constexpr int MBUS_NO_DATA_TABLE = 4;
constexpr int MBUS_ILLEGAL_SLAVE_ADDRESS = 5;
constexpr int MBUS_IO_ERROR_CLASS = 64;
constexpr int MBUS_IO_ERROR = 65;
constexpr int MBUS_OPEN_ERROR = 66;
constexpr int MBUS_PORT_ALREADY_OPEN = 67;
constexpr int MBUS_TCP_CONNECT_ERROR = 68;
constexpr int MBUS_CONNECTION_CLOSED = 69;
constexpr int MBUS_SOCKET_LIB_ERROR = 70;
constexpr int MBUS_PORT_ALREADY_BOUND = 71;
constexpr int MBUS_LISTEN_FAILED = 72;
constexpr int MBUS_FILES_EXCEEDED = 73;
constexpr int MBUS_PORT_NO_ACCESS = 74;
constexpr int MBUS_PORT_NOT_AVAILABLE = 75;
constexpr int MBUS_PROTOCOL_ERROR_CLASS = 128;
constexpr int MBUS_CHECKSUM_ERROR = 129;
constexpr int MBUS_INVALID_FRAME = 130;
constexpr int MBUS_INVALID_REPLY = 131;
constexpr int MBUS_REPLY_TIMEOUT = 132;
constexpr int MBUS_SEND_TIMEOUT = 133;
constexpr int MBUS_EXCEPTION_RESPONSE = 160;
constexpr int MBUS_ILLEGAL_FUNCTION = 161;
constexpr int MBUS_ILLEGAL_DATA_ADDRESS = 162;
constexpr int MBUS_ILLEGAL_DATA_VALUE = 163;
constexpr int MBUS_SLAVE_DEVICE_FAILURE = 164;

// The error code of an exception reply: 0xA0 OR the exception code, the code taken as a
// signed byte (so an exception code above 0x7F yields a negative error code).
int exceptionError(unsigned char exceptionCode);

// The text of an error code, "Unknown error" for a code without one. Static storage.
const char* errorText(int code);
