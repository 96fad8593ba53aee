#include "tree/CVtrTreeNodeWithData.h"

#include "tree/CVtrTreeData.h"

CVtrTreeNodeWithData::CVtrTreeNodeWithData(const char* label, CVtrTreeData* data,
                                           CVtrTreeNode* parent, CVtrTreeNode* prevSibling,
                                           CVtrTreeNode* nextSibling, CVtrTreeNode* firstChild,
                                           int32_t dialogId, int32_t param)
    : CVtrTreeNode(label, parent, prevSibling, nextSibling, firstChild, dialogId, param),
      m_data(data) {}

void CVtrTreeNodeWithData::GetText(std::string& text, int hex) const {
    CVtrTreeNode::GetText(text, hex);
    if (m_data != nullptr) {
        std::string value;
        m_data->Format(value, hex);
        text += value;
    }
}
