#include "tree/CVtrTreeNodeWithData.h"

#include "tree/CVtrTreeData.h"

CVtrTreeNodeWithData::CVtrTreeNodeWithData(const char* label, CVtrTreeData* data,
                                           CVtrTreeNode* parent, CVtrTreeNode* prevSibling,
                                           CVtrTreeNode* nextSibling, CVtrTreeNode* firstChild,
                                           int32_t dialogId, int32_t param)
    : CVtrTreeNode(label, parent, prevSibling, nextSibling, firstChild, dialogId, param),
      m_data(data) {}

void CVtrTreeNodeWithData::GetText(std::string& text, int hex) const {
    if (m_data == nullptr) {
        CVtrTreeNode::GetText(text, hex);
        return;
    }
    // Formatted in place and prefixed, so that a reused string needs no new memory.
    m_data->Format(text, hex);
    text.insert(0, m_label != nullptr ? m_label : "");
}
