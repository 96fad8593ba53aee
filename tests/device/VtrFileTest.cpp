#include "device/VtrFile.h"
#include "device/CVtrConfigDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes write(const DocumentSettings& settings) {
    Bytes bytes;
    std::string problem;
    EXPECT_TRUE(VtrFile::write(settings, bytes, problem)) << problem;
    return bytes;
}

// A version-2 file with the default options, whose server field is `serverField` (its length
// prefix and characters as they stand in the file).
Bytes fileWithServerField(const Bytes& serverField) {
    Bytes bytes = write(DocumentSettings{});
    const size_t serverStart = 20;
    const size_t defaultServerField = 1 + 13;
    bytes.erase(bytes.begin() + serverStart, bytes.begin() + serverStart + defaultServerField);
    bytes.insert(bytes.begin() + serverStart, serverField.begin(), serverField.end());
    return bytes;
}

VtrFile::ReadResult read(const Bytes& bytes, DocumentSettings& settings, std::string& problem) {
    int32_t version = 0;
    return VtrFile::read(bytes, version, settings, problem);
}

TEST(VtrFile, NewDocumentIsThirtySixBytes) {
    const Bytes expected{
        0x02, 0x00, 0x00, 0x00, // format version 2
        0x00, 0x00, 0x00, 0x00, // decimal display
        0x00, 0x00, 0x00, 0x00, // no auto connect
        0x00, 0x00,             // protocol Modbus RTU
        0x01,                   // COM1
        0x1F,                   // slave 31
        0x04, 0x00,             // 19200 baud
        0x02, 0x00,             // even parity
        0x0D, '1',  '9',  '2',  '.', '1', '6', '8', '.', '1', '.', '1', '0', '0', // server
        0xF6, 0x01,                                                               // TCP port 502
    };
    EXPECT_EQ(write(DocumentSettings{}), expected);
}

// Each prefix form at its edges, written and read back.
TEST(VtrFile, ServerLengthPrefixes) {
    const struct {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        DocumentSettings settings;
        settings.connect.server.assign(c.length, 'h');
        const Bytes bytes = write(settings);
        ASSERT_EQ(bytes.size(), 20 + c.prefix.size() + c.length + 2) << c.length;
        EXPECT_EQ(Bytes(bytes.begin() + 20, bytes.begin() + 20 + c.prefix.size()), c.prefix)
            << c.length;

        DocumentSettings back;
        std::string problem;
        EXPECT_EQ(read(bytes, back, problem), VtrFile::ReadResult::read) << problem;
        EXPECT_EQ(back, settings) << c.length;
    }
}

TEST(VtrFile, ServerIsWindows1252OnDisk) {
    DocumentSettings settings;
    settings.connect.server = "Z\xC3\xBCrich\xE2\x82\xAC\xC2\x81"; // "Zürich€" and U+0081
    const Bytes bytes = write(settings);
    const Bytes field{0x08, 'Z', 0xFC, 'r', 'i', 'c', 'h', 0x80, 0x81};
    EXPECT_EQ(Bytes(bytes.begin() + 20, bytes.end() - 2), field);

    DocumentSettings back;
    std::string problem;
    ASSERT_EQ(read(bytes, back, problem), VtrFile::ReadResult::read);
    EXPECT_EQ(back.connect.server, settings.connect.server);

    // Characters outside Windows-1252, and text that is not UTF-8, are refused, not mangled.
    for (const std::string server : {"\xE6\x9D\xB1.example", "bad\xC3", "\xC0\xAF"}) {
        settings.connect.server = server;
        Bytes untouched{1, 2, 3};
        EXPECT_FALSE(VtrFile::write(settings, untouched, problem)) << server;
        EXPECT_NE(problem.find("cannot store"), std::string::npos);
    }
}

TEST(VtrFile, ReadsTheUtf16Form) {
    const struct {
        Bytes field;
        std::string server;
    } cases[] = {
        // marker, one-byte count 5, "hosté" as UTF-16LE
        {{0xFF, 0xFE, 0xFF, 0x05, 'h', 0, 'o', 0, 's', 0, 't', 0, 0xE9, 0}, "host\xC3\xA9"},
        // marker, u16 count 1, a CJK character outside Windows-1252 kept in memory
        {{0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 0x71, 0x67}, "\xE6\x9D\xB1"},
        // a surrogate pair, then a lone high surrogate
        {{0xFF, 0xFE, 0xFF, 0x03, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xD8},
         "\xF0\x9F\x98\x80\xEF\xBF\xBD"},
        {{0xFF, 0xFE, 0xFF, 0x00}, ""},
    };
    for (const auto& c : cases) {
        DocumentSettings settings;
        std::string problem;
        ASSERT_EQ(read(fileWithServerField(c.field), settings, problem), VtrFile::ReadResult::read)
            << problem;
        EXPECT_EQ(settings.connect.server, c.server);
        EXPECT_EQ(settings.connect.tcpPort, 502);
    }
}

TEST(VtrFile, TruncatedAndAbsurdFilesFailAndChangeNothing) {
    DocumentSettings previous;
    previous.hexDisplay = 1;
    previous.connect.server = "previous";
    std::vector<Bytes> files;
    const Bytes whole = write(DocumentSettings{});
    for (size_t size = 0; size < whole.size(); ++size) {
        files.emplace_back(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
    }
    files.push_back(fileWithServerField({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})); // 4 GB
    files.push_back(fileWithServerField({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    files.push_back(fileWithServerField({0xFF, 0xFE, 0xFF, 0x02, 'a', 0}));
    files.push_back(fileWithServerField({0xFF, 0xFE}));
    for (const Bytes& file : files) {
        DocumentSettings settings = previous;
        std::string problem;
        EXPECT_EQ(read(file, settings, problem), VtrFile::ReadResult::failed) << file.size();
        EXPECT_FALSE(problem.empty());
        EXPECT_EQ(settings, previous);
    }
}

TEST(VtrDocument, OtherVersionKeepsThePreviousValues) {
    CVtrConfigDoc doc;
    ConnectOptions options;
    options.protocol = ConnectOptions::modbusTcp;
    options.server = "unit-7";
    doc.setConnectOptions(options);
    doc.setHexDisplay(1);

    Bytes file = write(DocumentSettings{});
    file[0] = 3;
    std::string problem;
    EXPECT_TRUE(doc.readFile(file, problem));
    EXPECT_EQ(doc.getConnectOptions(), options);
    EXPECT_EQ(doc.getHexDisplay(), 1);

    file = {0x02, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}; // version 2, cut inside the options
    EXPECT_FALSE(doc.readFile(file, problem));
    EXPECT_EQ(doc.getConnectOptions(), options);
    EXPECT_EQ(doc.getAutoConnect(), 0);
}

// Each row: one change to a reference whose protocol is `protocol`.
TEST(DocumentSettings, ModifiedWhenWhatTheProtocolUsesDiffers) {
    using Edit = void (*)(DocumentSettings&);
    const uint16_t rtu = ConnectOptions::modbusRtu;
    const uint16_t tcp = ConnectOptions::modbusTcp;
    const uint16_t unknown = 2;
    const struct {
        const char* name;
        uint16_t protocol;
        Edit edit;
        bool modified;
    } cases[] = {
        {"hex display", rtu, [](DocumentSettings& s) { s.hexDisplay = 1; }, true},
        {"auto connect", unknown, [](DocumentSettings& s) { s.autoConnect = 1; }, true},
        {"protocol", rtu, [](DocumentSettings& s) { s.connect.protocol = tcp; }, true},
        {"RTU: COM port", rtu, [](DocumentSettings& s) { s.connect.comPort = 2; }, true},
        {"RTU: slave", rtu, [](DocumentSettings& s) { s.connect.slaveId = 1; }, true},
        {"RTU: baud", rtu, [](DocumentSettings& s) { s.connect.baudIndex = 7; }, true},
        {"RTU: parity", rtu, [](DocumentSettings& s) { s.connect.parityIndex = 0; }, true},
        {"RTU: server and port", rtu,
         [](DocumentSettings& s) {
             s.connect.server = "other";
             s.connect.tcpPort = 1502;
         },
         false},
        {"TCP: serial options", tcp,
         [](DocumentSettings& s) {
             s.connect.comPort = 9;
             s.connect.slaveId = 2;
             s.connect.baudIndex = 0;
             s.connect.parityIndex = 1;
         },
         false},
        {"TCP: server in other case", tcp, [](DocumentSettings& s) { s.connect.server = "unit.a"; },
         true},
        {"TCP: port", tcp, [](DocumentSettings& s) { s.connect.tcpPort = 1502; }, true},
        {"unknown protocol: every option", unknown,
         [](DocumentSettings& s) {
             s.connect.comPort = 9;
             s.connect.server = "other";
         },
         false},
    };
    for (const auto& c : cases) {
        DocumentSettings reference;
        reference.connect.protocol = c.protocol;
        reference.connect.server = "Unit.A";
        DocumentSettings changed = reference;
        c.edit(changed);
        EXPECT_EQ(changed.differsFrom(reference), c.modified) << c.name;
    }
}

TEST(VtrDocument, SettersRecomputeTheModifiedState) {
    CVtrConfigDoc doc;
    doc.setNewDocumentSettings();
    doc.setAutoConnect(1);
    EXPECT_TRUE(doc.isModified());
    doc.setAutoConnect(0);
    EXPECT_FALSE(doc.isModified());
    doc.setHexDisplay(1);
    EXPECT_TRUE(doc.isModified());
    doc.setHexDisplay(0);
    ConnectOptions options = doc.getConnectOptions();
    options.slaveId = 5;
    doc.setConnectOptions(options);
    EXPECT_TRUE(doc.isModified());
}

} // namespace
