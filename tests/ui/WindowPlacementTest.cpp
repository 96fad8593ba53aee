#include "ui/WindowPlacement.h"
#include "support/ScratchFolder.h"
#include "ui/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowPlacement, IsKeptInTheSettingsStoreAndNothingIsReadWhereNoneWasKept) {
    ScratchFolder folder;
    SettingsStore store;
    store.open(folder.file("VtrConfig.ini"));
    EXPECT_EQ(WindowPlacement::load(store), std::nullopt);

    const WindowPlacement placement{-30, 1100, 900, 700, true};
    EXPECT_TRUE(placement.save(store));
    SettingsStore reopened;
    reopened.open(folder.file("VtrConfig.ini"));
    EXPECT_EQ(WindowPlacement::load(reopened), placement);

    reopened.WriteProfileString("Main Window", "Width", "wide");
    EXPECT_EQ(WindowPlacement::load(reopened), std::nullopt);
}

// Two screens side by side, the primary one first; the second is lower and smaller.
TEST(WindowPlacement, AWindowIsPutWholeOnTheScreenItOverlapsMostElseOnThePrimaryOne) {
    const std::vector<WindowPlacement::Area> screens = {{0, 0, 1920, 1040}, {1920, 200, 1280, 800}};
    const struct {
        const char* situation;
        WindowPlacement saved;
        WindowPlacement shown;
    } cases[] = {
        {"whole on the primary screen", {100, 80, 640, 480}, {100, 80, 640, 480}},
        {"whole on the second screen", {2000, 300, 640, 480}, {2000, 300, 640, 480}},
        {"across both, mostly on the second", {1800, 300, 640, 480}, {1920, 300, 640, 480}},
        {"on a screen since unplugged", {-2000, 100, 640, 480, true}, {0, 100, 640, 480, true}},
        {"below every screen", {300, 5000, 640, 480}, {300, 560, 640, 480}},
        {"larger than its screen", {2500, 250, 2000, 2000}, {1920, 200, 1280, 800}},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(each.saved.fittedTo(screens), each.shown) << each.situation;
    }
    EXPECT_EQ(cases[0].saved.fittedTo({}), cases[0].saved) << "no screen known";
}

} // namespace
