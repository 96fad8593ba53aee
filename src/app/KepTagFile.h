#pragma once

#include <string>

class CVtrConfigDoc;

// The tag list that the KEPServerEX OPC server imports for one unit: one line per live value of
// every configured channel, "N;name;type;address;;description" ended by CR LF. Which channels
// appear, and as inputs or outputs, comes from the channel states of the last refresh.
class KepTagFile {
public:
    // The whole file; empty when no channel is configured.
    static std::string text(const CVtrConfigDoc& doc);
};
