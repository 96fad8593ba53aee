#include "ui/SettingsStore.h"
#include "ui/RecentFileList.h"

#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"

#include <gmock/gmock.h>

#include <string>

using ::testing::ElementsAre;

TEST(SettingsStore, LivesUnderTheConfigFolderOfTheUser) {
    struct Case {
        const char* configHome;
        const char* expected;
    };
    const Case cases[] = {
        {"/cfg", "/cfg/Corvantis/VtrConfig.ini"},
        {"relative", "/home/u/.config/Corvantis/VtrConfig.ini"},
        {"", "/home/u/.config/Corvantis/VtrConfig.ini"},
        {nullptr, "/home/u/.config/Corvantis/VtrConfig.ini"},
    };
    const ScopedEnv home("HOME", "/home/u");
    for (const Case& c : cases) {
        const ScopedEnv config("XDG_CONFIG_HOME", c.configHome);
        EXPECT_EQ(SettingsStore::defaultPath("Corvantis", "VtrConfig"), c.expected);
    }
}

TEST(SettingsStore, WritesReachTheFileAndSurviveReopening) {
    ScratchFolder folder;
    const ScopedEnv config("XDG_CONFIG_HOME", folder.path().c_str());
    {
        SettingsStore store("Corvantis", "VtrConfig");
        EXPECT_EQ(store.GetProfileString("Recent File List", "File1", "none"), "none");
        EXPECT_TRUE(store.WriteProfileString("Recent File List", "File1", "/data/a b=c.vtr "));
        EXPECT_TRUE(store.WriteProfileString("Settings", "Note", "two\nlines\\"));
        EXPECT_TRUE(store.WriteProfileInt("Settings", "PreviewPages", 1));
        EXPECT_TRUE(store.WriteProfileInt("Settings", "PreviewPages", 2));
    }
    SettingsStore again("Corvantis", "VtrConfig");
    EXPECT_EQ(again.path(), folder.file("Corvantis/VtrConfig.ini"));
    EXPECT_EQ(again.GetProfileString("Recent File List", "File1"), "/data/a b=c.vtr ");
    EXPECT_EQ(again.GetProfileString("Settings", "Note"), "two\nlines\\");
    EXPECT_EQ(again.GetProfileInt("Settings", "PreviewPages", 0), 2);
    EXPECT_EQ(again.GetProfileInt("Settings", "Note", -1), -1);
}

TEST(SettingsStore, ReadsWhatItUnderstandsOfAHandEditedFile) {
    ScratchFolder folder;
    const std::string path = folder.file("hand.ini");
    const std::string text = "stray=line\n; comment\n[Recent File List]\r\n  File1 = /x.vtr\r\n"
                             "garbage\n[Settings]\nPreviewPages=12abc\n";
    ScratchFolder::write(path, {text.begin(), text.end()});
    SettingsStore store;
    store.open(path);
    EXPECT_EQ(store.GetProfileString("Recent File List", "File1"), "/x.vtr");
    EXPECT_EQ(store.GetProfileString("", "stray", "none"), "none");
    EXPECT_EQ(store.GetProfileInt("Settings", "PreviewPages", 1), 1);
}

// A file with repeated sections and names, as an editor or a crash may leave it: each name is
// written back once, with the value the program read, and no save grows past the size limit.
TEST(SettingsStore, WritesEachNameOnceAndStaysUnderItsSizeLimit) {
    ScratchFolder folder;
    const std::string path = folder.file("VtrConfig.ini");
    const std::string text = "[A]\nk=1\nk=2\n[B]\nx=1\n[A]\nk=3\nj=4\n";
    ScratchFolder::write(path, {text.begin(), text.end()});
    SettingsStore store;
    store.open(path);
    EXPECT_EQ(store.GetProfileString("A", "k"), "1");

    EXPECT_TRUE(store.WriteProfileString("A", "j", "5"));
    const std::string written = "[A]\nk=1\nj=5\n\n[B]\nx=1\n";
    EXPECT_EQ(ScratchFolder::read(path), std::vector<uint8_t>(written.begin(), written.end()));

    EXPECT_FALSE(store.WriteProfileString("A", "big", std::string(1 << 20, 'x')));
    EXPECT_EQ(ScratchFolder::read(path), std::vector<uint8_t>(written.begin(), written.end()));
}

TEST(RecentFileList, KeepsTheNewestThreeInTheStore) {
    ScratchFolder folder;
    SettingsStore store;
    store.open(folder.file("VtrConfig.ini"));
    RecentFileList recent(store, "Recent File List", 3);
    for (const char* name : {"/d/a.vtr", "/d/b.vtr", "/d/c.vtr", "/d/b.vtr", "/d/e&f.vtr"}) {
        recent.add(name);
    }
    EXPECT_THAT(recent.paths(), ElementsAre("/d/e&f.vtr", "/d/b.vtr", "/d/c.vtr"));
    EXPECT_EQ(recent.menuText(0), "&1 e&&f.vtr");

    SettingsStore reopened;
    reopened.open(folder.file("VtrConfig.ini"));
    RecentFileList loaded(reopened, "Recent File List", 3);
    loaded.load();
    EXPECT_THAT(loaded.paths(), ElementsAre("/d/e&f.vtr", "/d/b.vtr", "/d/c.vtr"));
    loaded.remove(1);
    EXPECT_EQ(reopened.GetProfileString("Recent File List", "File2"), "/d/c.vtr");
    EXPECT_EQ(reopened.GetProfileString("Recent File List", "File3", "gone"), "gone");
}
