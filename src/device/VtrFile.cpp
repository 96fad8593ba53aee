#include "device/VtrFile.h"

#include "device/DocumentText.h"

#include <limits>

namespace {

// Length prefix bytes.
constexpr uint8_t longerLength = 0xFF;
constexpr uint16_t utf16Marker = 0xFFFE;
constexpr uint16_t widestLength = 0xFFFF;
constexpr uint64_t largestByteLength = 254;
constexpr uint64_t largestWordLength = 65533;

class FileWriter {
public:
    explicit FileWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) { bytes_.clear(); }

    void put8(unsigned value) { bytes_.push_back(static_cast<uint8_t>(value)); }
    void put16(unsigned value) {
        put8(value & 0xFF);
        put8(value >> 8);
    }
    void put32(uint32_t value) {
        put16(value & 0xFFFF);
        put16(value >> 16);
    }
    void putText(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    size_t size() const { return bytes_.size(); }

private:
    std::vector<uint8_t>& bytes_;
};

// Reads fields in order; a field that the file no longer holds fails the reader for good.
class FileReader {
public:
    explicit FileReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    size_t offset() const { return offset_; }
    size_t left() const { return bytes_.size() - offset_; }

    uint8_t get8() { return static_cast<uint8_t>(take(1)); }
    uint16_t get16() { return static_cast<uint16_t>(take(2)); }
    uint32_t get32() { return take(4); }
    std::span<const uint8_t> getBytes(uint64_t count) {
        if (!ok_ || count > left()) {
            ok_ = false;
            return {};
        }
        const auto field = bytes_.subspan(offset_, static_cast<size_t>(count));
        offset_ += field.size();
        return field;
    }

private:
    uint32_t take(size_t width) {
        uint32_t value = 0;
        const auto field = getBytes(width);
        for (size_t i = field.size(); i-- > 0;) {
            value = value << 8 | field[i];
        }
        return value;
    }

    std::span<const uint8_t> bytes_;
    size_t offset_ = 0;
    bool ok_ = true;
};

void putLength(FileWriter& writer, uint64_t length) {
    if (length <= largestByteLength) {
        writer.put8(static_cast<unsigned>(length));
    } else if (length <= largestWordLength) {
        writer.put8(longerLength);
        writer.put16(static_cast<unsigned>(length));
    } else {
        writer.put8(longerLength);
        writer.put16(widestLength);
        writer.put32(static_cast<uint32_t>(length));
    }
}

// The rest of a prefix after its first byte was 0xFF and its u16 was not the UTF-16 marker.
uint32_t finishLength(FileReader& reader, uint16_t word) {
    return word == widestLength ? reader.get32() : word;
}

uint32_t getLength(FileReader& reader, bool& utf16) {
    utf16 = false;
    const uint8_t first = reader.get8();
    if (first != longerLength) {
        return first;
    }
    const uint16_t word = reader.get16();
    if (word != utf16Marker) {
        return finishLength(reader, word);
    }
    utf16 = true;
    const uint8_t second = reader.get8();
    return second != longerLength ? second : finishLength(reader, reader.get16());
}

std::string endedEarly(const FileReader& reader, const char* field) {
    return "the file ends at byte " + std::to_string(reader.offset()) + ", inside the " + field;
}

} // namespace

bool VtrFile::write(const DocumentSettings& settings, std::vector<uint8_t>& bytes,
                    std::string& problem) {
    const ConnectOptions& connect = settings.connect;
    std::string server;
    size_t badOffset = 0;
    if (!DocumentText::utf8ToWindows1252(connect.server, server, badOffset)) {
        problem = "the server name has a character that a document cannot store, at byte " +
                  std::to_string(badOffset) + " of \"" + connect.server + "\"";
        return false;
    }
    if (server.size() > std::numeric_limits<uint32_t>::max()) {
        problem = "the server name is too long for a document";
        return false;
    }
    FileWriter writer(bytes);
    writer.put32(static_cast<uint32_t>(formatVersion));
    writer.put32(static_cast<uint32_t>(settings.hexDisplay));
    writer.put32(static_cast<uint32_t>(settings.autoConnect));
    writer.put16(connect.protocol);
    writer.put8(connect.comPort);
    writer.put8(connect.slaveId);
    writer.put16(connect.baudIndex);
    writer.put16(connect.parityIndex);
    putLength(writer, server.size());
    writer.putText(server);
    writer.put16(connect.tcpPort);
    return true;
}

VtrFile::ReadResult VtrFile::read(std::span<const uint8_t> bytes, int32_t& version,
                                  DocumentSettings& settings, std::string& problem) {
    FileReader reader(bytes);
    const auto firstField = static_cast<int32_t>(reader.get32());
    if (!reader.ok()) {
        problem =
            "the file is too short to be a document (" + std::to_string(bytes.size()) + " bytes)";
        return ReadResult::failed;
    }
    version = firstField;
    if (version != formatVersion) {
        return ReadResult::otherVersion;
    }

    DocumentSettings read;
    ConnectOptions& connect = read.connect;
    read.hexDisplay = static_cast<int32_t>(reader.get32());
    read.autoConnect = static_cast<int32_t>(reader.get32());
    connect.protocol = reader.get16();
    connect.comPort = reader.get8();
    connect.slaveId = reader.get8();
    connect.baudIndex = reader.get16();
    connect.parityIndex = reader.get16();
    bool utf16 = false;
    const uint64_t length = getLength(reader, utf16);
    if (!reader.ok()) {
        problem = endedEarly(reader, "connect options");
        return ReadResult::failed;
    }
    const uint64_t byteLength = utf16 ? 2 * length : length;
    if (byteLength > reader.left()) {
        problem = "the server name announces " + std::to_string(length) + (utf16 ? " 16-bit" : "") +
                  " characters but the file holds only " + std::to_string(reader.left()) +
                  " more bytes";
        return ReadResult::failed;
    }
    const auto text = reader.getBytes(byteLength);
    connect.server = utf16 ? DocumentText::utf16LeToUtf8(text)
                           : DocumentText::windows1252ToUtf8(std::string_view(
                                 reinterpret_cast<const char*>(text.data()), text.size()));
    connect.tcpPort = reader.get16();
    if (!reader.ok()) {
        problem = endedEarly(reader, "TCP port");
        return ReadResult::failed;
    }
    settings = read;
    return ReadResult::read;
}
