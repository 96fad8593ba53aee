#pragma once

#include <ostream>

class CVtrConfigDoc;

// The document's images as one JSON object, one member per block of the unit, named after the
// block. A block (or panel, or channel) whose entry is stale is null. The analog and digital
// blocks are arrays by panel, each panel's entry an array of its 16 channels; channel states
// are the document's codes (0 Vacant, 1 Input, 2 Output, 65535 not understood). Identity
// strings are text; any byte the unit sent outside printable ASCII is escaped, so that the
// output stays valid JSON whatever the unit sent.
class DocumentJson {
public:
    static void write(const CVtrConfigDoc& doc, std::ostream& out);
};
