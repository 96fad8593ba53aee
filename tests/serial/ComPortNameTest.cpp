#include "modbus/ComPortName.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ComPortNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vtr-com-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        aliasFolder = root / "Corvantis" / "VtrConfig";
        fs::create_directories(aliasFolder);
        configHome.emplace("XDG_CONFIG_HOME", root.c_str());
    }
    void TearDown() override {
        configHome.reset();
        fs::remove_all(root);
    }

    fs::path root;
    fs::path aliasFolder;
    std::optional<ScopedEnv> configHome;
};

} // namespace

TEST_F(ComPortNameTest, SettingsFolderFollowsXdgConfigHomeElseHome) {
    EXPECT_EQ(userSettingsFolder(), aliasFolder.string());
    {
        const ScopedEnv unset("XDG_CONFIG_HOME", nullptr);
        const ScopedEnv home("HOME", "/home/operator");
        EXPECT_EQ(userSettingsFolder(), "/home/operator/.config/Corvantis/VtrConfig");
    }
    {
        // A relative XDG_CONFIG_HOME is not a base directory and is ignored.
        const ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
        const ScopedEnv home("HOME", "/home/operator");
        EXPECT_EQ(userSettingsFolder(), "/home/operator/.config/Corvantis/VtrConfig");
    }
    {
        const ScopedEnv unset("XDG_CONFIG_HOME", nullptr);
        const ScopedEnv noHome("HOME", nullptr);
        EXPECT_EQ(userSettingsFolder(), "");
    }
}

TEST_F(ComPortNameTest, ComNamesGoToTheAliasLinkWhenItExists) {
    fs::create_symlink("/dev/ttyUSB0", aliasFolder / "COM3");
    const std::string alias = (aliasFolder / "COM3").string();

    EXPECT_EQ(comPortDevicePath("\\\\.\\COM3"), alias);
    EXPECT_EQ(comPortDevicePath("COM3"), alias);
    EXPECT_EQ(comPortDevicePath("com3"), alias);
}

TEST_F(ComPortNameTest, DanglingAliasStillWinsSoTheMissingAdapterIsReported) {
    fs::create_symlink("/nonexistent/ttyUSB9", aliasFolder / "COM5");
    EXPECT_EQ(comPortDevicePath("COM5"), (aliasFolder / "COM5").string());
}

TEST_F(ComPortNameTest, ComNamesWithoutAliasGoToTheBuiltInPorts) {
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"\\\\.\\COM1", "/dev/ttyS0"},
        {"COM4", "/dev/ttyS3"},
        {"\\\\.\\COM12", "/dev/ttyS11"},
        {"Com2", "/dev/ttyS1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(comPortDevicePath(c.name), c.path) << c.name;
    }
}

TEST_F(ComPortNameTest, OtherNamesAreUsedAsTheyStand) {
    const char* names[] = {"/dev/ttyUSB0", "/dev/pts/7", "COM0",        "COM",
                           "COM3x",        "COM12345",   "\\\\.\\PIPE", ""};
    for (const char* name : names) {
        EXPECT_EQ(comPortDevicePath(name), name) << name;
    }
}
