#include "device/VtrFile.h"
#include "device/CVtrConfigDoc.h"
#include "support/ScratchFolder.h"
#include "ui/CArchive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::HasSubstr;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes fileOf(const DocumentSettings& settings) {
    CArchive ar;
    VtrFile::write(settings, ar);
    EXPECT_FALSE(ar.failed());
    return ar.storedBytes();
}

// A version-2 file with the default options, whose server field is `serverField` (its length
// prefix and characters as they stand in the file).
Bytes fileWithServerField(const Bytes& serverField) {
    Bytes bytes = fileOf(DocumentSettings{});
    const size_t serverStart = 20;
    const size_t defaultServerField = 1 + 13;
    bytes.erase(bytes.begin() + serverStart, bytes.begin() + serverStart + defaultServerField);
    bytes.insert(bytes.begin() + serverStart, serverField.begin(), serverField.end());
    return bytes;
}

DocumentSettings tcpSettings(const std::string& server) {
    DocumentSettings settings;
    settings.hexDisplay = 1;
    settings.connect.protocol = ConnectOptions::modbusTcp;
    settings.connect.server = server;
    return settings;
}

class VtrDocumentFile : public ::testing::Test {
protected:
    // Opens `bytes` as a document file into `doc`.
    bool open(const Bytes& bytes, const char* name = "unit.vtr") {
        const std::string path = files.file(name);
        ScratchFolder::write(path, bytes);
        return doc.onOpenDocument(path);
    }

    ScratchFolder files;
    CVtrConfigDoc doc;
};

} // namespace

TEST_F(VtrDocumentFile, NewDocumentSavedAtOnceIsThirtySixBytes) {
    ASSERT_TRUE(doc.onNewDocument());
    const std::string path = files.file("new.vtr");
    ASSERT_TRUE(doc.onSaveDocument(path));
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
    EXPECT_EQ(ScratchFolder::read(path), expected);
}

TEST_F(VtrDocumentFile, ServerIsWindows1252OnDiskAndUtf8InMemory) {
    // "Zürich€" and U+0081, which stands for the byte Windows-1252 leaves undefined
    const DocumentSettings settings = tcpSettings("Z\xC3\xBCrich\xE2\x82\xAC\xC2\x81");
    const Bytes field{0x08, 'Z', 0xFC, 'r', 'i', 'c', 'h', 0x80, 0x81};
    const Bytes bytes = fileOf(settings);
    EXPECT_EQ(Bytes(bytes.begin() + 20, bytes.end() - 2), field);

    ASSERT_TRUE(open(bytes));
    EXPECT_EQ(doc.settings(), settings);

    // The UTF-16 form: marker, one-byte count 5, "hosté".
    ASSERT_TRUE(open(
        fileWithServerField({0xFF, 0xFE, 0xFF, 0x05, 'h', 0, 'o', 0, 's', 0, 't', 0, 0xE9, 0})));
    EXPECT_EQ(doc.getConnectOptions().server, "host\xC3\xA9");

    // A crafted NUL ends the name, as it ends the C string the unit is reached by.
    ASSERT_TRUE(open(fileWithServerField({0x05, 'u', 'n', 0, 'i', 't'})));
    EXPECT_EQ(doc.getConnectOptions().server, "un");
}

TEST_F(VtrDocumentFile, UnstorableServerFailsTheSaveAndKeepsTheOldFile) {
    const std::string path = files.file("unit.vtr");
    ASSERT_TRUE(doc.onNewDocument());
    ASSERT_TRUE(doc.onSaveDocument(path));
    const Bytes old = ScratchFolder::read(path);

    for (const std::string server : {"\xE6\x9D\xB1.example", "bad\xC3", "\xC0\xAF"}) {
        doc.setConnectOptions(tcpSettings(server).connect);
        EXPECT_FALSE(doc.onSaveDocument(path)) << server;
        EXPECT_THAT(doc.failureText(), HasSubstr("Cannot save " + path));
        EXPECT_THAT(doc.failureText(), HasSubstr("cannot be stored"));
        EXPECT_EQ(ScratchFolder::read(path), old);
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_THAT(files.names(), ::testing::ElementsAre("unit.vtr"));
}

TEST_F(VtrDocumentFile, OtherVersionOpensWithThePreviousValues) {
    const DocumentSettings before = tcpSettings("unit-7");
    ASSERT_TRUE(open(fileOf(before), "before.vtr"));

    Bytes file = fileOf(DocumentSettings{});
    file[0] = 3;
    ASSERT_TRUE(open(file));
    EXPECT_EQ(doc.settings(), before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(VtrDocumentFile, TruncatedAndAbsurdFilesFailTheOpenBeforeChangingAnything) {
    const DocumentSettings before = tcpSettings("unit-7");
    const Bytes whole = fileOf(DocumentSettings{});
    std::vector<Bytes> damaged;
    for (size_t size = 0; size < whole.size(); ++size) {
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
    }
    damaged.push_back(fileWithServerField({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})); // 4 GB
    damaged.push_back(fileWithServerField({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    for (const Bytes& file : damaged) {
        ASSERT_TRUE(open(fileOf(before), "before.vtr"));
        EXPECT_FALSE(open(file)) << file.size();
        EXPECT_THAT(doc.failureText(), HasSubstr("Unexpected file format"));
        EXPECT_EQ(doc.settings(), before) << file.size();
    }
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
    ASSERT_TRUE(doc.onNewDocument());
    doc.setAutoConnect(1);
    EXPECT_TRUE(doc.IsModified());
    doc.setAutoConnect(0);
    EXPECT_FALSE(doc.IsModified());
    doc.setHexDisplay(1);
    EXPECT_TRUE(doc.IsModified());
    doc.setHexDisplay(0);
    ConnectOptions options = doc.getConnectOptions();
    options.slaveId = 5;
    doc.setConnectOptions(options);
    EXPECT_TRUE(doc.IsModified());
}
