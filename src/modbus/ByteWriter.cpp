#include "modbus/ByteWriter.h"

#include <cstring>

void ByteWriter::putBytes(const uint8_t* bytes, size_t count) {
    if (count != 0) {
        std::memcpy(cursor_, bytes, count);
        cursor_ += count;
    }
}
