#pragma once

#include "tree/CVtrTreeNode.h"

class CVtrTreeData;

// A row that shows a value after its label ("Baud Rate = 19200"). The value is not owned.
class CVtrTreeNodeWithData : public CVtrTreeNode {
public:
    CVtrTreeNodeWithData() = default;
    CVtrTreeNodeWithData(const char* label, CVtrTreeData* data, CVtrTreeNode* parent,
                         CVtrTreeNode* prevSibling, CVtrTreeNode* nextSibling,
                         CVtrTreeNode* firstChild, int32_t dialogId, int32_t param);

    void GetText(std::string& text, int hex) const override;

    CVtrTreeData* m_data = nullptr;
};
