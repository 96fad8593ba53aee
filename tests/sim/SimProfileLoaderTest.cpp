#include "sim/SimProfileLoader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string examples = VTR_EXAMPLES_DIR;

} // namespace

TEST(SimProfileLoader, ShippedExampleProfilesLoad) {
    SimProfile minimal;
    std::string message;
    ASSERT_EQ(SimProfileLoader::loadFile(examples + "/vtr300-minimal.json", minimal, message), 0)
        << message;
    EXPECT_EQ(minimal.identity.firmwareRevision, "KX5120-02AR");
    EXPECT_EQ(minimal.scanMode, 0);
    EXPECT_EQ(minimal.analogPanelFitted, (std::array<bool, 4>{true, false, false, false}));
    for (const SimProfile::DigitalPanel& panel : minimal.digitalPanels) {
        EXPECT_FALSE(panel.fitted);
    }
    EXPECT_EQ(minimal.analogState[16], SimProfile::Vacant);

    SimProfile full;
    ASSERT_EQ(SimProfileLoader::loadFile(examples + "/vtr300-full.json", full, message), 0)
        << message;
    EXPECT_EQ(full.analogPanelFitted, (std::array<bool, 4>{true, true, true, true}));
    for (const SimProfile::DigitalPanel& panel : full.digitalPanels) {
        EXPECT_TRUE(panel.fitted);
        EXPECT_EQ(panel.bypass, 0);
    }
    EXPECT_EQ(full.scanMode, 1);
    EXPECT_EQ(full.tcp[1].macAddress, (std::array<uint8_t, 6>{0x00, 0x60, 0x35, 0x1A, 0x2B, 0x02}));
}

TEST(SimProfileLoader, GivenFieldsReplaceThoseOfTheRichUnit) {
    SimProfile profile;
    std::string message;
    const std::string text = R"({
        "identity": {"firmwareRevision": "KX5120-01AR"},
        "digitalPanels": [{"fitted": true}, {"fitted": false, "bypass": -1}],
        "rtu": {"baud": 9600, "parity": "none", "slave": 7},
        "tcp": [{"ipAddress": "10.0.0.9", "macAddress": "0a:0B:0c:0D:0e:0F"}]
    })";
    ASSERT_EQ(SimProfileLoader::loadText(text, "unit.json", profile, message), 0) << message;
    EXPECT_EQ(profile.identity.firmwareRevision, "KX5120-01AR");
    EXPECT_EQ(profile.identity.manufacturer, "Vantrel");
    EXPECT_TRUE(profile.digitalPanels[0].fitted);
    EXPECT_FALSE(profile.digitalPanels[1].fitted);
    EXPECT_EQ(profile.digitalPanels[1].bypass, -1);
    EXPECT_FALSE(profile.digitalPanels[2].fitted); // not listed: not fitted
    EXPECT_EQ(profile.baudIndex, 3);
    EXPECT_EQ(profile.parityIndex, 0);
    EXPECT_EQ(profile.slaveAddress, 7);
    EXPECT_EQ(profile.tcp[0].ipAddress, (std::array<uint8_t, 4>{10, 0, 0, 9}));
    EXPECT_EQ(profile.tcp[0].macAddress,
              (std::array<uint8_t, 6>{0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}));
    EXPECT_TRUE(profile.analogPanelFitted[1]); // analog panels not given: the rich unit's
}

TEST(SimProfileLoader, RejectsMalformedProfilesNamingFileFieldAndReason) {
    const struct {
        const char* text;
        const char* expected; // the message after "bad.json: "
    } cases[] = {
        {"{ \"statusWord\": 1, }", "not valid JSON"},
        {"[1, 2]", "field \"(top level)\": expected an object"},
        {R"({"statusWrod": 1})", "field \"statusWrod\": unknown field"},
        {R"({"statusWord": "1"})", "field \"statusWord\": expected an integer"},
        {R"({"statusWord": 65536})", "field \"statusWord\": must be from 0 to 65535"},
        {R"({"identity": {"serialNumber": "12345678901234567"}})",
         "field \"identity.serialNumber\": longer than 16 characters"},
        {R"({"analogPanels": [{"channels": ["input"]}]})",
         "field \"analogPanels[0].channels\": expected a list of 16 channel states"},
        {R"({"analogPanels": [{}, {"averageWeightIndex": [0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,16]}]})",
         "field \"analogPanels[1].averageWeightIndex[15]\": must be from 0 to 15"},
        {R"({"digitalPanels": [{"channels": ["input","input","input","input","input","input",
             "input","input","input","input","input","input","input","input","input","out"]}]})",
         "field \"digitalPanels[0].channels[15]\": expected one of \"vacant\", \"input\", "
         "\"output\""},
        {R"({"digitalPanels": [{}, {}, {}, {}, {}, {}, {}, {}, {}]})",
         "field \"digitalPanels\": expected a list of at most 8 panels"},
        {R"({"scan": {"list": [0, 64]}})", "field \"scan.list[1]\": must be from 0 to 63"},
        {R"({"scan": {"mode": "continous"}})",
         "field \"scan.mode\": expected one of \"continuous\", \"user-defined\""},
        {R"({"rtu": {"baud": 19201}})",
         "field \"rtu.baud\": expected 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200"},
        {R"({"rtu": {"slave": 0}})", "field \"rtu.slave\": must be from 1 to 247"},
        {R"({"tcp": [{"ipAddress": "192.168.1.256"}]})",
         "field \"tcp[0].ipAddress\": expected a dotted address such as \"192.168.1.50\""},
        {R"({"tcp": [{}, {"macAddress": "00:11:22:33:44"}]})",
         "field \"tcp[1].macAddress\": expected a MAC address such as \"00:60:35:1A:2B:01\""},
    };
    for (const auto& c : cases) {
        SimProfile profile = SimProfile::minimal();
        std::string message;
        EXPECT_EQ(SimProfileLoader::loadText(c.text, "bad.json", profile, message),
                  SimProfileLoader::formatError)
            << c.text;
        EXPECT_EQ(message.rfind(std::string("bad.json: ") + c.expected, 0), 0u)
            << "got: " << message;
        // A rejected profile leaves the caller's profile as it was.
        EXPECT_EQ(profile.identity.firmwareRevision, "KX5120-02AR");
    }
}

TEST(SimProfileLoader, MissingFileIsNamedInTheMessage) {
    SimProfile profile;
    std::string message;
    EXPECT_EQ(SimProfileLoader::loadFile("/nonexistent/unit.json", profile, message),
              SimProfileLoader::fileError);
    EXPECT_EQ(message, "/nonexistent/unit.json: cannot open the profile");
}
