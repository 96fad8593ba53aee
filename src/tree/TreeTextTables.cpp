#include "tree/TreeTextTables.h"

namespace TreeTextTables {

const char* const selfTest[selfTestCount] = {"Pass", "Fail"};

const char* const protocol[protocolCount] = {"Modbus RTU", "Modbus TCP"};

const char* const baudRate[baudRateCount] = {"1200",  "2400",  "4800",  "9600",
                                             "19200", "38400", "57600", "115200"};

const char* const parity[parityCount] = {"None", "Odd", "Even"};

const char* const serialInterface[serialInterfaceCount] = {"RS232", "RS485 2-wire", "RS485 4-wire"};

const char* const scanMode[scanModeCount] = {"Continuous", "User-Defined"};

const char* const analogChannelState[channelStateCount] = {"Vacant", "Input", "Output"};
const char* const digitalChannelState[channelStateCount] = {"Vacant", "Input", "Output"};

const char* const averageWeight[averageWeightCount] = {
    "1",      "2",      "4",      "8",      "16",     "32",     "64",     "128",
    "256",    "512",    "1024",   "2048",   "4096",   "8192",   "16384",  "32768",
    "0x0001", "0x0002", "0x0004", "0x0008", "0x0010", "0x0020", "0x0040", "0x0080",
    "0x0100", "0x0200", "0x0400", "0x0800", "0x1000", "0x2000", "0x4000", "0x8000"};

const char* const digitalDefaultOutput[digitalDefaultOutputCount] = {"0", "1"};

} // namespace TreeTextTables
