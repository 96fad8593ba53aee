#include "BothBackends.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "ui/SampleFrame.h"

#include <gmock/gmock.h>

namespace {

struct Shown {
    bool enabled;
    bool checked;
    std::string text;
    bool operator==(const Shown&) const = default;
};

Shown shown(UiUser& user, CFrameWnd& frame, int id) {
    const UiUser::ShownEntry entry = user.shownEntry(frame, id);
    return {entry.enabled, entry.checked, entry.text};
}

} // namespace

TEST_P(BothBackends, MenuEntriesShowWhatTheirUpdateHandlersSay) {
    SampleFrame frame;
    ASSERT_TRUE(frame.create());
    user->openMenu(frame, 1);
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_DECIMAL), (Shown{true, true, "&Decimal"}));
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_HEXADECIMAL), (Shown{true, false, "&Hexadecimal"}));
    user->closeMenu(frame);
    user->openMenu(frame, 2);
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_CONNECT), (Shown{true, false, "&Connect\tF4"}));
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_UNAVAILABLE), (Shown{false, false, "&Unavailable"}));
    user->closeMenu(frame);

    user->chooseEntry(frame, ID_SAMPLE_HEXADECIMAL);
    user->chooseEntry(frame, ID_SAMPLE_CONNECT);
    user->chooseEntry(frame, ID_SAMPLE_UNAVAILABLE);
    EXPECT_TRUE(frame.hexadecimal);
    EXPECT_EQ(frame.connects, 1);
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_DECIMAL), (Shown{true, false, "&Decimal"}));
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_HEXADECIMAL), (Shown{true, true, "&Hexadecimal"}));
    EXPECT_EQ(shown(*user, frame, ID_SAMPLE_CONNECT), (Shown{true, false, "&Refresh Data\tF4"}));
}

TEST_P(BothBackends, AcceleratorsAndToolbarButtonsRunTheirCommandsUnlessGreyed) {
    SampleFrame frame;
    ASSERT_TRUE(frame.create());
    user->pressKey(frame, VK_F4, 0);
    EXPECT_EQ(frame.connects, 1);
    user->pressKey(frame, VK_F4, FSHIFT); // not in the table
    EXPECT_EQ(frame.connects, 1);

    user->clickToolButton(frame, ID_APP_ABOUT);
    user->clickToolButton(frame, ID_CONTEXT_HELP); // no manual: greyed
    EXPECT_EQ(frame.abouts, 1);
}

TEST_P(BothBackends, HighlightedEntryShowsItsPromptUntilTheMenuCloses) {
    SampleFrame frame;
    ASSERT_TRUE(frame.create());
    EXPECT_EQ(user->shownStatusText(frame), "For Help, press F1");
    user->openMenu(frame, 2);
    user->highlightEntry(frame, ID_SAMPLE_CONNECT);
    EXPECT_EQ(user->shownStatusText(frame), "Connect to the unit, or read it again when connected");
    user->closeMenu(frame);
    EXPECT_EQ(user->shownStatusText(frame), "For Help, press F1");
}

TEST_P(BothBackends, TreeInTheFramesViewTakesTheUsersDoubleClick) {
    SampleFrame frame;
    ASSERT_TRUE(frame.create());
    CTreeCtrl& tree = frame.view().GetTreeCtrl();
    const HTREEITEM device = tree.GetNextSiblingItem(tree.GetRootItem());
    ASSERT_EQ(tree.GetItemText(device), "Device Info");
    ASSERT_TRUE(tree.IsExpanded(device));
    user->doubleClick(tree, device);
    EXPECT_FALSE(tree.IsExpanded(device));
}
