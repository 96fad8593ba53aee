#pragma once

#include "tree/CVtrTreeNodeWithData.h"

// A row of the fixed layout together with the value it shows; both live as long as the view.
template <class Data>
struct TreeValueRow {
    TreeValueRow() { node.m_data = &value; }
    TreeValueRow(const TreeValueRow&) = delete;
    TreeValueRow& operator=(const TreeValueRow&) = delete;

    Data value;
    CVtrTreeNodeWithData node;
};
