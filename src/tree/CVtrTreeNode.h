#pragma once

#include "ui/TreeItemHandle.h"

#include <cstdint>
#include <string>

// One row of the configuration tree. The view owns every node; a node points at its label,
// its relatives and (while shown) its item in the tree control, and owns none of them.
// Fields are public: the view reads and writes them directly.
class CVtrTreeNode {
public:
    CVtrTreeNode() = default;
    CVtrTreeNode(const char* label, CVtrTreeNode* parent, CVtrTreeNode* prevSibling,
                 CVtrTreeNode* nextSibling, CVtrTreeNode* firstChild, int32_t dialogId,
                 int32_t param);
    virtual ~CVtrTreeNode() = default;
    CVtrTreeNode(const CVtrTreeNode&) = delete;
    CVtrTreeNode& operator=(const CVtrTreeNode&) = delete;

    // Assigns label, links, dialog and parameter; leaves m_present and m_item alone.
    virtual void Set(const char* label, CVtrTreeNode* parent, CVtrTreeNode* prevSibling,
                     CVtrTreeNode* nextSibling, CVtrTreeNode* firstChild, int32_t dialogId,
                     int32_t param);
    // Replaces `text` with the row's text in the given display mode (nonzero: hexadecimal).
    virtual void GetText(std::string& text, int hex) const;

    int32_t m_present = 1;
    HTREEITEM m_item{}; // the row's item in the tree control; the null handle while not shown
    const char* m_label = nullptr; // constant text with its own separator, e.g. "Baud Rate = "
    int32_t m_dialogId = 0;        // dialog opened by a double-click, 0 for none
    int32_t m_param = 0;           // panel, interface index, or (panel << 4) | channel
    CVtrTreeNode* m_parent = nullptr;
    CVtrTreeNode* m_firstChild = nullptr;
    CVtrTreeNode* m_prevSibling = nullptr;
    CVtrTreeNode* m_nextSibling = nullptr;
};
