#include "modbus/MbusError.h"

#include <gtest/gtest.h>

#include <string>

TEST(MbusError, EveryCodeHasItsTextAndOthersAreUnknown) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {0, "Operation was successful"},
        {1, "Illegal argument error"},
        {2, "Illegal state error"},
        {4, "No data table configured"},
        {5, "Slave address 0 is illegal in this context"},
        {64, "I/O error class"},
        {65, "I/O error"},
        {66, "Port or socket open error"},
        {67, "Serial port already open"},
        {68, "TCP/IP connection error"},
        {69, "TCP/IP connection was closed by remote peer"},
        {70, "Socket library error"},
        {71, "TCP Port alread bound"},
        {72, "Listen failed"},
        {73, "File descriptors exceeded"},
        {74, "No permission to access serial or TCP port"},
        {75, "TCP Port not available"},
        {128, "Fieldbus protocol error class"},
        {129, "Checksum error"},
        {130, "Invalid frame error"},
        {131, "Invalid reply error"},
        {132, "Reply time-out"},
        {133, "Send time-out"},
        {160, "Modbus exception response"},
        {161, "Illegal Function exception response"},
        {162, "Illegal Data Address exception response"},
        {163, "Illegal Data Value exception response"},
        {164, "Slave Device Failure exception response"},
        {3, "Unknown error"},
        {165, "Unknown error"},
        {999, "Unknown error"},
        {-1, "Unknown error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(errorText(c.code)), c.text) << "code " << c.code;
    }
}

TEST(MbusError, ExceptionCodeIsOredIntoTheExceptionClassAsASignedByte) {
    EXPECT_EQ(exceptionError(1), 161);
    EXPECT_EQ(exceptionError(4), 164);
    EXPECT_EQ(exceptionError(0x0B), 0xAB);
    // 0x81 as a signed byte is -127; OR-ed with 0xA0 it stays negative.
    EXPECT_EQ(exceptionError(0x81), static_cast<int>(0xA0 | static_cast<int>(int8_t(-127))));
}
