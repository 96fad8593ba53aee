#pragma once

#include "ui/TreeItemHandle.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CWnd;
class TreePeer;

// A tree of text items, each carrying a parameter for the program's use. Children keep the
// order they were inserted in. A double-click is reported to the owner window as NM_DBLCLK;
// a nonzero result means the owner handled it, and the item then neither expands nor
// collapses. Enter on the selected item is reported as NM_RETURN.
class CTreeCtrl {
public:
    CTreeCtrl() = default;
    CTreeCtrl(const CTreeCtrl&) = delete;
    CTreeCtrl& operator=(const CTreeCtrl&) = delete;
    ~CTreeCtrl();

    // Places the tree in a window, filling its client area, and makes the window its owner.
    // The items stay with the control; the window shows them until it is destroyed.
    bool Create(CWnd& parent, int controlId);
    // The window the tree is placed in, or null.
    CWnd* host() const { return m_host; }
    int GetDlgCtrlID() const { return m_controlId; }

    // Inserts under parent (TVI_ROOT for the top level) after the sibling `after`, or first
    // (TVI_FIRST) or last (TVI_LAST). Returns the new handle, or a null one when parent is not
    // an item or `after` is not one of its children.
    HTREEITEM InsertItem(const std::string& text, uintptr_t param, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    // Deletes the item with everything below it; TVI_ROOT deletes all items.
    bool DeleteItem(HTREEITEM item);
    bool DeleteAllItems() { return DeleteItem(TVI_ROOT); }

    bool SetItemText(HTREEITEM item, const std::string& text);
    std::string GetItemText(HTREEITEM item) const;
    bool SetItemData(HTREEITEM item, uintptr_t param);
    uintptr_t GetItemData(HTREEITEM item) const;
    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM item, int code);
    bool IsExpanded(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const { return m_selected; }
    bool SelectItem(HTREEITEM item);

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    bool ItemHasChildren(HTREEITEM item) const;
    unsigned GetCount() const { return static_cast<unsigned>(m_items.size()); }
    bool isItem(HTREEITEM item) const { return m_items.count(item.value) != 0; }
    // Children of an item (TVI_ROOT for the top level), in order.
    const std::vector<HTREEITEM>& children(HTREEITEM parent) const;

    // Where NM_DBLCLK goes: the owner window and the control id it is reported under.
    void setOwner(CWnd* owner, int controlId);
    void setPeer(TreePeer* peer) { m_peer = peer; }

    // The user's actions, from a backend or a test.
    void userSelect(HTREEITEM item);
    void userSetExpanded(HTREEITEM item, bool expanded);
    void userDoubleClick(HTREEITEM item);
    // Enter, on the selected item; false when none is selected.
    bool userReturn();

    // Every item in display order (parents before children), for tests and diagnostics.
    struct Row {
        int depth;
        std::string text;
        bool expanded;
        uintptr_t param;
        HTREEITEM item;
    };
    std::vector<Row> rows() const;

private:
    friend class CWnd;

    // The host window is being destroyed.
    void leaveHost();

    struct Item {
        std::string text;
        uintptr_t param = 0;
        HTREEITEM parent;
        std::vector<HTREEITEM> children;
        bool expanded = false;
    };

    Item* find(HTREEITEM item);
    const Item* find(HTREEITEM item) const;
    std::vector<HTREEITEM>* childList(HTREEITEM parent);
    void forget(HTREEITEM item);
    void appendRows(HTREEITEM parent, int depth, std::vector<Row>& out) const;
    void setExpanded(Item& item, HTREEITEM handle, bool expanded);

    std::unordered_map<uint32_t, Item> m_items;
    std::vector<HTREEITEM> m_topLevel;
    HTREEITEM m_selected;
    uint32_t m_lastHandle = 0;
    CWnd* m_owner = nullptr;
    CWnd* m_host = nullptr;
    int m_controlId = 0;
    TreePeer* m_peer = nullptr;
};
