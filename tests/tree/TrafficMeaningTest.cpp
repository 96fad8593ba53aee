#include "tree/TrafficMeaning.h"
#include "device/TrafficEntry.h"
#include "modbus/MbusError.h"
#include "tree/TrafficEntryText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<uint16_t>;

void put16(std::vector<uint8_t>& bytes, unsigned value) {
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
}

std::vector<uint8_t> packed(int function, const Words& values) {
    std::vector<uint8_t> bytes;
    if (function == 1 || function == 15) {
        bytes.resize((values.size() + 7) / 8);
        for (size_t i = 0; i < values.size(); ++i) {
            bytes[i / 8] |= static_cast<uint8_t>((values[i] & 1) << (i % 8));
        }
    } else {
        for (const uint16_t value : values) {
            put16(bytes, value);
        }
    }
    return bytes;
}

// The entry of a transaction that carried `values`, built as the master sends and receives
// it: a read's values in its reply (none when `replied` is false), a write's in its request.
TrafficEntry transaction(int function, uint16_t address, const Words& values, bool replied = true) {
    TrafficEntry entry;
    entry.function = function;
    entry.address = address;
    entry.count = static_cast<int>(values.size());
    put16(entry.request, address);
    const std::vector<uint8_t> data = packed(function, values);
    if (function == 1 || function == 4) {
        put16(entry.request, values.size());
        if (replied) {
            entry.reply.push_back(static_cast<uint8_t>(data.size()));
            entry.reply.insert(entry.reply.end(), data.begin(), data.end());
        }
        return entry;
    }
    if (function == 5) {
        put16(entry.request, values[0] != 0 ? 0xFF00 : 0x0000);
    } else if (function == 6) {
        put16(entry.request, values[0]);
    } else {
        put16(entry.request, values.size());
        entry.request.push_back(static_cast<uint8_t>(data.size()));
        entry.request.insert(entry.request.end(), data.begin(), data.end());
    }
    entry.reply = {entry.request.begin(), entry.request.begin() + 4};
    return entry;
}

// A text field of the unit: one character per register, NUL-padded to 16 registers.
Words text(const std::string& value) {
    Words registers(16, 0);
    for (size_t i = 0; i < value.size(); ++i) {
        registers[i] = static_cast<uint8_t>(value[i]);
    }
    return registers;
}

Words joined(std::initializer_list<Words> parts) {
    Words all;
    for (const Words& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Words scanParameters() {
    Words registers(67, 0xFF);
    registers[0] = 0;
    registers[1] = 1;
    registers[2] = 16;
    registers[65] = 250; // scan interval
    registers[66] = 3;   // scan count
    return registers;
}

} // namespace

TEST(TrafficMeaning, NamesTheBlockAndDecodesItsFieldsInTheTreesWords) {
    struct Case {
        TrafficEntry entry;
        int hex;
        const char* expected;
    };
    const Case cases[] = {
        {transaction(4, 0x1200, {0x0003}), 0,
         "Status Register: Self-Test Status = Fail, ADC Failure, DAC Failure"},
        {transaction(4, 0x1000,
                     joined({text("Vantrel"), text("VTR300"), text("S/N 4711"), text("KX5120-04AR"),
                             text("ETH 2.1")})),
         0,
         "Device Information: Manufacturer = Vantrel, Model Number = VTR300, Serial Number = "
         "S/N 4711, Firmware Revision = KX5120-04AR, Ethernet Board FW Rev = ETH 2.1"},
        {transaction(4, 0x8F00, {0, 0, 1, 0, 0, 0, 0, 0xFFFF}), 0,
         "Digital Panel Bypass: Digital Panel 0 = In Use, Digital Panel 1 = In Use, Digital "
         "Panel 2 = Bypassed, Digital Panel 3 = In Use, Digital Panel 4 = In Use, Digital Panel "
         "5 = In Use, Digital Panel 6 = In Use, Digital Panel 7 = Bypassed"},
        {transaction(4, 0x1100, {1, 4, 2, 0x10}), 1,
         "RTU Configuration: Serial Interface = RS485 2-wire, Baud Rate = 19200, Parity = Even, "
         "Slave ID (upper 4-bits) = 0x10"},
        // A write covers the settable registers only.
        {transaction(16, 0x1110, {0xC0A8, 0x0132, 0xFFFF, 0xFF00, 0xC0A8, 0x0101, 30000}), 0,
         "TCP Configuration: IP Address = 192.168.1.50, Subnet Mask = 255.255.255.0, Gateway = "
         "192.168.1.1, Keepalive Timeout (ms) = 30000"},
        {transaction(4, 0x1120, {0x0A00, 0x0002, 0xFF00, 0, 0, 0, 0, 502, 0x0060, 0x3501, 0x0203}),
         1,
         "TCP Configuration 2: IP Address = 10.0.0.2, Subnet Mask = 255.0.0.0, Gateway = "
         "0.0.0.0, Keepalive Timeout (ms) = 0x0000, TCP Port = 0x01F6, MAC Address = "
         "00-60-35-01-02-03"},
        {transaction(16, 0x1204, {1}), 0, "Analog Scan Mode: Scan Mode = User-Defined"},
        {transaction(4, 0x1300, scanParameters()), 0,
         "User-Defined Scan Parameters: Scan Interval (ms) = 250, Scan Count = 3, Scan List = 0 "
         "1 16"},
        {transaction(16, 0x2014, {0x0080}), 0,
         "Analog Channel States: Expansion Panel 1: Channel 4 : Output"},
        {transaction(16, 0x2210, {0x0008, 0x0003}), 0,
         "Analog Input Options: Expansion Panel 1: Channel 0 : Average Weight = 8, Channel 1 : "
         "Average Weight = 255, INVALID"},
        // A run of channels across two panels.
        {transaction(16, 0x210F, {0xFFFF, 5}), 0,
         "Analog Output Options: Panel 0 (Base Unit): Channel 15: Default Output = -1; "
         "Expansion Panel 1: Channel 0 : Default Output = 5"},
        {transaction(4, 0x8A40, joined({text("Vantrel"), text("DIO16"), text("D-1"), text("1.0")})),
         0,
         "Digital Device Information: Digital Panel 1: Manufacturer = Vantrel, Model Number = "
         "DIO16, Serial Number = D-1, Firmware Revision = 1.0"},
        {transaction(16, 0x8020, {0x0001, 0x0007}), 0,
         "Digital Channel States: Digital Panel 2: Channel 0 : Input, Channel 1 : 65535, INVALID"},
        {transaction(5, 0x8113, {1}), 0,
         "Digital Output Options: Digital Panel 1: Channel 3 : Default Output = 1"},
        {transaction(15, 0x8100, {1, 0}), 0,
         "Digital Output Options: Digital Panel 0: Channel 0 : Default Output = 1, Channel 1 : "
         "Default Output = 0"},
        {transaction(16, 0x8C02, {0x00FF}), 0, "Reset Digital Panel: Digital Panel 2"},
        {transaction(16, 0x1201, {0x00FF}), 0, "Reset Analog Panels"},
        {transaction(4, 0x1202, {0, 0}), 0, "Communication Check"},
        {transaction(4, 0x0013, {0x0831}), 1,
         "Live Analog Value: Expansion Panel 1: Channel 3 : 0x0831"},
        {transaction(6, 0x0013, {2097}), 0,
         "Live Analog Value: Expansion Panel 1: Channel 3 : 2097"},
        {transaction(5, 0x0011, {1}), 0, "Live Digital Value: Digital Panel 1: Channel 1 : 1"},
        // A read that brought nothing names where it was aimed.
        {transaction(4, 0x8AC0, Words(64, 0), false), 0,
         "Digital Device Information: Digital Panel 3"},
        {transaction(1, 0x0012, {0}, false), 0, "Live Digital Value: Digital Panel 1: Channel 2"},
        {transaction(4, 0x2000, Words(64, 0), false), 0, "Analog Channel States"},
        // Part of a block is named by its block only; an address of no block by nothing.
        {transaction(4, 0x1000, text("Vantrel")), 0, "Device Information"},
        {transaction(4, 0x5000, {1}), 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrafficMeaning::describe(c.entry, c.hex), c.expected);
    }
}

TEST(TrafficEntryText, GivesTimeOperationRangeOutcomeRoundTripMeaningAndBytes) {
    TrafficEntry entry = transaction(4, 0x8AC0, Words(64, 0), false);
    entry.result = MBUS_ILLEGAL_DATA_ADDRESS;
    entry.startTicks = 17'000'000'000'000'000 + 1230000; // .123 s past a whole second
    entry.roundTripUs = 1250;

    EXPECT_THAT(TrafficEntryText::full(entry, 0),
                ::testing::MatchesRegex(
                    "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\\.123  read   fn 4  0x8AC0-0x8AFF  162 "
                    "Illegal Data Address exception response  1\\.250 ms  Digital Device "
                    "Information: Digital Panel 3\n  TX 04 8A C0 00 40\n  RX -\n"));
}
