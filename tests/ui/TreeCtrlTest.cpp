#include "ui/CTreeCtrl.h"

#include "ui/CWnd.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// The tree as "depth:text" lines in display order.
std::vector<std::string> shape(const CTreeCtrl& tree) {
    std::vector<std::string> lines;
    for (const CTreeCtrl::Row& row : tree.rows()) {
        lines.push_back(std::to_string(row.depth) + ":" + row.text);
    }
    return lines;
}

TEST(TreeCtrl, InsertsFirstLastOrAfterAGivenSibling) {
    CTreeCtrl tree;
    const HTREEITEM root = tree.InsertItem("VTR300 Configuration", 1);
    const HTREEITEM b = tree.InsertItem("B", 2, root, TVI_LAST);
    tree.InsertItem("A", 3, root, TVI_FIRST);
    tree.InsertItem("C", 4, root, b);
    tree.InsertItem("B2", 5, root, b);

    EXPECT_THAT(shape(tree), ElementsAre("0:VTR300 Configuration", "1:A", "1:B", "1:B2", "1:C"));
    EXPECT_EQ(tree.GetItemData(b), 2u);
    EXPECT_EQ(tree.GetParentItem(b), root);
    EXPECT_FALSE(tree.GetParentItem(root));
}

TEST(TreeCtrl, InsertAfterADeletedSiblingsPredecessorTakesItsPlace) {
    CTreeCtrl tree;
    const HTREEITEM a = tree.InsertItem("A", 0);
    const HTREEITEM b = tree.InsertItem("B", 0, TVI_ROOT, a);
    tree.InsertItem("C", 0, TVI_ROOT, b);
    tree.DeleteItem(b);
    tree.InsertItem("X", 0, TVI_ROOT, a);

    EXPECT_THAT(shape(tree), ElementsAre("0:A", "0:X", "0:C"));
}

TEST(TreeCtrl, InsertRefusesAParentOrSiblingThatIsNotThere) {
    CTreeCtrl tree;
    const HTREEITEM a = tree.InsertItem("A", 0);
    const HTREEITEM child = tree.InsertItem("child", 0, a);
    const HTREEITEM gone = tree.InsertItem("gone", 0);
    tree.DeleteItem(gone);

    EXPECT_FALSE(tree.InsertItem("x", 0, gone));
    EXPECT_FALSE(tree.InsertItem("x", 0, TVI_ROOT, gone));
    EXPECT_FALSE(tree.InsertItem("x", 0, TVI_ROOT, child)); // a child of another parent
    EXPECT_EQ(tree.GetCount(), 2u);
}

TEST(TreeCtrl, DeletingAnItemTakesItsSubtreeAndInvalidatesTheirHandles) {
    CTreeCtrl tree;
    const HTREEITEM panel = tree.InsertItem("Panel 0 (Base Unit)", 0);
    const HTREEITEM channel = tree.InsertItem("Channel 0 : Input", 0, panel);
    const HTREEITEM weight = tree.InsertItem("Average Weight = 4", 0, channel);
    const HTREEITEM other = tree.InsertItem("Expansion Panel 1", 0);
    tree.SelectItem(weight);

    EXPECT_TRUE(tree.DeleteItem(panel));

    EXPECT_THAT(shape(tree), ElementsAre("0:Expansion Panel 1"));
    for (HTREEITEM stale : {panel, channel, weight}) {
        EXPECT_FALSE(tree.isItem(stale));
        EXPECT_FALSE(tree.SetItemText(stale, "x"));
        EXPECT_FALSE(tree.DeleteItem(stale));
        EXPECT_EQ(tree.GetItemData(stale), 0u);
    }
    EXPECT_FALSE(tree.GetSelectedItem());
    EXPECT_TRUE(tree.isItem(other));
    // Handles are not reused, so an old one cannot name a new item.
    const HTREEITEM fresh = tree.InsertItem("new", 0);
    EXPECT_NE(fresh, panel);
    EXPECT_NE(fresh, weight);
}

TEST(TreeCtrl, DeletingTheRootRemovesEveryItem) {
    CTreeCtrl tree;
    const HTREEITEM root = tree.InsertItem("root", 0);
    tree.InsertItem("child", 0, root);
    tree.InsertItem("second", 0);

    EXPECT_TRUE(tree.DeleteItem(TVI_ROOT));
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_FALSE(tree.GetRootItem());
}

TEST(TreeCtrl, SiblingWalkFollowsDisplayOrder) {
    CTreeCtrl tree;
    const HTREEITEM root = tree.InsertItem("root", 0);
    const HTREEITEM first = tree.InsertItem("1", 0, root);
    const HTREEITEM second = tree.InsertItem("2", 0, root);

    EXPECT_EQ(tree.GetChildItem(root), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_FALSE(tree.GetNextSiblingItem(second));
    EXPECT_EQ(tree.GetPrevSiblingItem(second), first);
    EXPECT_FALSE(tree.GetPrevSiblingItem(first));
}

// A window that handles the double-click only when told to.
class TreeOwner : public CWnd {
public:
    explicit TreeOwner(CTreeCtrl& tree) {
        onNotify(7, NM_DBLCLK, [this, &tree] {
            clicked = tree.GetSelectedItem();
            return handle ? 1L : 0L;
        });
    }
    bool handle = true;
    HTREEITEM clicked;
};

TEST(TreeCtrl, HandledDoubleClickNeitherExpandsNorCollapses) {
    CTreeCtrl tree;
    TreeOwner owner(tree);
    tree.setOwner(&owner, 7);
    const HTREEITEM branch = tree.InsertItem("Interface Configuration", 0);
    tree.InsertItem("Modbus RTU Parameters", 0, branch);

    tree.userDoubleClick(branch);
    EXPECT_EQ(owner.clicked, branch);
    EXPECT_FALSE(tree.IsExpanded(branch));

    owner.handle = false;
    tree.userDoubleClick(branch);
    EXPECT_TRUE(tree.IsExpanded(branch));
    tree.userDoubleClick(branch);
    EXPECT_FALSE(tree.IsExpanded(branch));
}

TEST(TreeCtrl, ExpansionStateIsReadInDisplayOrder) {
    CTreeCtrl tree;
    const HTREEITEM root = tree.InsertItem("root", 0);
    tree.InsertItem("leaf", 0, root);
    tree.Expand(root, TVE_EXPAND);

    const std::vector<CTreeCtrl::Row> rows = tree.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].expanded);
    EXPECT_FALSE(rows[1].expanded);
    EXPECT_TRUE(tree.Expand(root, TVE_TOGGLE));
    EXPECT_FALSE(tree.IsExpanded(root));
}

} // namespace
