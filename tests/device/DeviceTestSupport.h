#pragma once

#include "device/CVtrConfigDoc.h"
#include "support/RegisterReply.h"

#include <cstdint>
#include <string>
#include <vector>

// The document with a seam for scripted masters, counting how often it told its views to
// update.
class LinkedDoc : public CVtrConfigDoc {
public:
    using CVtrConfigDoc::takeReferenceCopy;
    using CVtrConfigDoc::useOpenLink;

    int viewUpdates = 0;

protected:
    void updateAllViews() override { ++viewUpdates; }
};

// Reply data of a coil read: byte count, then the coils packed least significant bit first.
inline Bytes coilReply(const std::vector<int>& coils) {
    Bytes reply{static_cast<uint8_t>((coils.size() + 7) / 8)};
    reply.resize(1 + reply[0], 0);
    for (size_t i = 0; i < coils.size(); ++i) {
        if (coils[i]) {
            reply[1 + i / 8] = static_cast<uint8_t>(reply[1 + i / 8] | (1u << (i % 8)));
        }
    }
    return reply;
}

// Registers of `count` text fields, one character per low byte, `high` in every high byte.
inline std::vector<uint16_t> textBlock(const std::vector<std::string>& fields, uint16_t high = 0) {
    std::vector<uint16_t> block;
    for (const std::string& text : fields) {
        for (size_t i = 0; i < 16; ++i) {
            const uint8_t low = i < text.size() ? static_cast<uint8_t>(text[i]) : 0;
            block.push_back(static_cast<uint16_t>(high << 8 | low));
        }
    }
    return block;
}
