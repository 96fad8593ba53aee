#include "ui/CArchive.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

std::vector<uint8_t> prefixOf(const std::vector<uint8_t>& stored, size_t textLength) {
    return {stored.begin(), stored.end() - static_cast<std::ptrdiff_t>(textLength)};
}

} // namespace

TEST(Archive, IntegersAreLittleEndian) {
    CArchive out;
    out.writeI32(2);
    out.writeU16(502);
    out.writeU8(0x1F);
    out.writeI32(-2);
    EXPECT_THAT(out.storedBytes(), ElementsAre(0x02, 0x00, 0x00, 0x00, // i32 2
                                               0xF6, 0x01,             // u16 502
                                               0x1F,                   // u8
                                               0xFE, 0xFF, 0xFF, 0xFF  // i32 -2
                                               ));
    CArchive in(out.storedBytes());
    int32_t version = 0;
    uint16_t port = 0;
    uint8_t slave = 0;
    int32_t negative = 0;
    EXPECT_TRUE(in.readI32(version) && in.readU16(port) && in.readU8(slave) &&
                in.readI32(negative));
    EXPECT_EQ(version, 2);
    EXPECT_EQ(port, 502);
    EXPECT_EQ(slave, 0x1F);
    EXPECT_EQ(negative, -2);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(Archive, StringPrefixGrowsWithTheLength) {
    struct Case {
        size_t length;
        std::vector<uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {13, {0x0D}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'a');
        CArchive out;
        out.writeString(text);
        EXPECT_THAT(prefixOf(out.storedBytes(), c.length), ElementsAreArray(c.prefix));

        CArchive in(out.storedBytes());
        std::string back;
        EXPECT_TRUE(in.readString(back));
        EXPECT_EQ(back, text);
        EXPECT_FALSE(in.failed());
    }
}

TEST(Archive, ReadsUtf16TextAsUtf8) {
    const std::vector<uint8_t> bytes = {
        0xFF, 0xFE, 0xFF,       // UTF-16 marker
        0x03,                   // 3 units
        'h',  0x00, 0xE9, 0x00, // "h", "é"
        0x3D, 0xD8,             // high surrogate without its low half
    };
    CArchive in(bytes);
    std::string text;
    ASSERT_TRUE(in.readString(text));
    EXPECT_EQ(text, "h\xC3\xA9\xEF\xBF\xBD");
}

TEST(Archive, RefusesReadsPastTheEndAndStaysFailed) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"length past the end", {0x05, 'a', 'b'}},
        {"medium length past the end", {0xFF, 0x2C, 0x01, 'a'}},
        {"huge length", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}},
        {"UTF-16 units past the end", {0xFF, 0xFE, 0xFF, 0x02, 'a', 0x00, 'b'}},
        {"cut prefix", {0xFF, 0x2C}},
        {"nothing", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CArchive in(c.bytes);
        std::string text = "kept";
        EXPECT_FALSE(in.readString(text));
        EXPECT_EQ(text, "kept");
        EXPECT_TRUE(in.failed());
        uint8_t later = 7;
        EXPECT_FALSE(in.readU8(later));
        EXPECT_EQ(later, 7);
    }

    const std::vector<uint8_t> short32 = {0x02, 0x00, 0x00};
    CArchive in(short32);
    int32_t value = 9;
    EXPECT_FALSE(in.readI32(value));
    EXPECT_EQ(value, 9);
}
