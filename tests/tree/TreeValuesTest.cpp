#include "tree/CVtrTreeDataDec.h"
#include "tree/CVtrTreeDataEnum.h"
#include "tree/CVtrTreeDataI16.h"
#include "tree/CVtrTreeDataIp.h"
#include "tree/CVtrTreeDataMac.h"
#include "tree/CVtrTreeDataStr.h"
#include "tree/CVtrTreeDataU16.h"
#include "tree/CVtrTreeDataU8.h"
#include "tree/CVtrTreeNodeWithData.h"
#include "tree/TreeTextTables.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string textOf(const CVtrTreeData& data, int hex) {
    std::string text = "stale text";
    data.Format(text, hex);
    return text;
}

template <class Data, class Value>
std::unique_ptr<CVtrTreeData> valueOf(Value value) {
    auto data = std::make_unique<Data>();
    data->m_value = value;
    return data;
}

} // namespace

TEST(TreeValues, NumbersFollowTheDisplayModeExceptDecimalOnlyOnes) {
    const struct {
        std::unique_ptr<CVtrTreeData> data;
        const char* hex;
        const char* decimal;
    } cases[] = {
        {valueOf<CVtrTreeDataU8>(uint8_t{0xF0}), "0xF0", "240"},
        {valueOf<CVtrTreeDataU8>(uint8_t{10}), "0x0A", "10"},
        {valueOf<CVtrTreeDataU16>(uint16_t{502}), "0x01F6", "502"},
        {valueOf<CVtrTreeDataU16>(uint16_t{10}), "0x000A", "10"},
        {valueOf<CVtrTreeDataU16>(uint16_t{65535}), "0xFFFF", "65535"},
        {valueOf<CVtrTreeDataI16>(int16_t{-1}), "0xFFFF", "-1"},
        {valueOf<CVtrTreeDataI16>(int16_t{-32768}), "0x8000", "-32768"},
        {valueOf<CVtrTreeDataI16>(int16_t{10}), "0x000A", "10"},
        {valueOf<CVtrTreeDataDec>(int32_t{502}), "502", "502"},
        {valueOf<CVtrTreeDataDec>(int32_t{-7}), "-7", "-7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textOf(*c.data, 1), c.hex);
        EXPECT_EQ(textOf(*c.data, 0), c.decimal);
    }
}

TEST(TreeValues, AddressesAndTextsLookTheSameInBothModes) {
    CVtrTreeDataIp ip;
    ip.m_value = {192, 168, 0, 10};
    CVtrTreeDataMac mac;
    mac.m_value = {0x00, 0x1B, 0xC5, 0x0A, 0xFF, 0x01};
    CVtrTreeDataStr str;
    str.m_value = "KX5120-03AR";
    for (int hex : {0, 1}) {
        EXPECT_EQ(textOf(ip, hex), "192.168.0.10");
        EXPECT_EQ(textOf(mac, hex), "00-1B-C5-0A-FF-01");
        EXPECT_EQ(textOf(str, hex), "KX5120-03AR");
    }
}

TEST(TreeValues, AnUnknownValueShowsUnknownWhateverItsClassAndMode) {
    CVtrTreeDataStr empty;
    CVtrTreeDataStr filled;
    filled.m_value = "ABC";
    CVtrTreeDataU8 u8;
    CVtrTreeDataI16 i16;
    CVtrTreeDataIp ip;
    CVtrTreeDataMac mac;
    CVtrTreeDataDec dec;
    CVtrTreeDataEnum parity(TreeTextTables::parityCount, TreeTextTables::parity,
                            CVtrTreeDataEnum::invalidText, CVtrTreeData::missingText);
    CVtrTreeData* all[] = {&empty, &filled, &u8, &i16, &ip, &mac, &dec, &parity};
    for (CVtrTreeData* data : all) {
        data->m_valid = 0;
        EXPECT_EQ(textOf(*data, 0), "UNKNOWN");
        EXPECT_EQ(textOf(*data, 1), "UNKNOWN");
    }
}

TEST(TreeValues, EnumShowsItsEntryOrTheNumberWithInvalid) {
    CVtrTreeDataEnum state(TreeTextTables::channelStateCount, TreeTextTables::analogChannelState,
                           CVtrTreeDataEnum::invalidText, CVtrTreeData::missingText);
    const struct {
        int32_t value;
        const char* hex;
        const char* decimal;
    } cases[] = {
        {0, "Vacant", "Vacant"},
        {2, "Output", "Output"},
        {3, "0x3, INVALID", "3, INVALID"},
        {0xFFFF, "0xFFFF, INVALID", "65535, INVALID"},
        {-1, "0xFFFFFFFF, INVALID", "-1, INVALID"},
    };
    for (const auto& c : cases) {
        state.m_value = c.value;
        EXPECT_EQ(textOf(state, 1), c.hex);
        EXPECT_EQ(textOf(state, 0), c.decimal);
    }
}

TEST(TreeValues, AverageWeightTableGivesDecimalOrHexByTheStoredIndex) {
    CVtrTreeDataEnum weight(TreeTextTables::averageWeightCount, TreeTextTables::averageWeight,
                            CVtrTreeDataEnum::invalidText, CVtrTreeData::missingText);
    weight.m_value = 3;
    EXPECT_EQ(textOf(weight, 0), "8");
    weight.m_value = 3 + TreeTextTables::averageWeightHexOffset;
    EXPECT_EQ(textOf(weight, 1), "0x0008");
    weight.m_value = 15 + TreeTextTables::averageWeightHexOffset;
    EXPECT_EQ(textOf(weight, 1), "0x8000");
    weight.m_value = 255;
    EXPECT_EQ(textOf(weight, 0), "255, INVALID");
    EXPECT_EQ(textOf(weight, 1), "0xFF, INVALID");
}

TEST(TreeValues, EnumInitKeepsValidityAndResetsTheValue) {
    CVtrTreeDataEnum state;
    EXPECT_EQ(state.m_valid, 1);
    EXPECT_EQ(state.m_table, nullptr);
    EXPECT_EQ(state.m_missingText, nullptr);
    state.m_valid = 0;
    state.m_value = 2;
    state.Init(TreeTextTables::channelStateCount, TreeTextTables::digitalChannelState,
               CVtrTreeDataEnum::invalidText, CVtrTreeData::missingText);
    EXPECT_EQ(state.m_valid, 0);
    EXPECT_EQ(state.m_value, 0);
    EXPECT_EQ(textOf(state, 0), "UNKNOWN");
    state.m_valid = 1;
    EXPECT_EQ(textOf(state, 0), "Vacant");
}

TEST(TreeNodes, RowTextIsTheLabelFollowedByItsValue) {
    CVtrTreeNode plain("Connection Information", nullptr, nullptr, nullptr, nullptr, 0, 0);
    std::string text;
    plain.GetText(text, 1);
    EXPECT_EQ(text, "Connection Information");
    plain.GetText(text, 0);
    EXPECT_EQ(text, "Connection Information");

    CVtrTreeDataStr serial;
    CVtrTreeNodeWithData row("Serial Number = ", &serial, &plain, nullptr, nullptr, nullptr, 0, 0);
    row.GetText(text, 0);
    EXPECT_EQ(text, "Serial Number = "); // a known but empty string shows only the label
    serial.m_valid = 0;
    row.GetText(text, 0);
    EXPECT_EQ(text, "Serial Number = UNKNOWN");

    CVtrTreeDataU16 port;
    port.m_value = 502;
    CVtrTreeNodeWithData portRow("TCP Port = ", &port, nullptr, nullptr, nullptr, nullptr, 139, 1);
    portRow.GetText(text, 1);
    EXPECT_EQ(text, "TCP Port = 0x01F6");
    EXPECT_EQ(portRow.m_dialogId, 139);
    EXPECT_EQ(portRow.m_param, 1);
}

TEST(TreeNodes, SetAssignsLinksButKeepsPresenceAndItem) {
    CVtrTreeNode parent;
    CVtrTreeNode sibling;
    CVtrTreeNode node;
    EXPECT_EQ(node.m_present, 1);
    node.m_present = 0;
    const HTREEITEM item{7};
    node.m_item = item;
    node.Set("Channel 3 : ", &parent, &sibling, nullptr, nullptr, 132, (2 << 4) | 3);
    EXPECT_EQ(node.m_present, 0);
    EXPECT_EQ(node.m_item, item);
    EXPECT_EQ(node.m_parent, &parent);
    EXPECT_EQ(node.m_prevSibling, &sibling);
    EXPECT_EQ(node.m_param, 0x23);
    EXPECT_STREQ(node.m_label, "Channel 3 : ");
}
