#pragma once

#include "device/DeviceInfo.h"

class MbusMasterFunctions;

// Reads the unit's "Device Information" block as one transaction and decodes it. Returns the
// master's error code; `identity` is set on success only.
int readIdentity(MbusMasterFunctions& master, int slave, DeviceInfo& identity);
