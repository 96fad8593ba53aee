#include "tree/CVtrTreeNode.h"

CVtrTreeNode::CVtrTreeNode(const char* label, CVtrTreeNode* parent, CVtrTreeNode* prevSibling,
                           CVtrTreeNode* nextSibling, CVtrTreeNode* firstChild, int32_t dialogId,
                           int32_t param) {
    CVtrTreeNode::Set(label, parent, prevSibling, nextSibling, firstChild, dialogId, param);
}

void CVtrTreeNode::Set(const char* label, CVtrTreeNode* parent, CVtrTreeNode* prevSibling,
                       CVtrTreeNode* nextSibling, CVtrTreeNode* firstChild, int32_t dialogId,
                       int32_t param) {
    m_label = label;
    m_parent = parent;
    m_prevSibling = prevSibling;
    m_nextSibling = nextSibling;
    m_firstChild = firstChild;
    m_dialogId = dialogId;
    m_param = param;
}

void CVtrTreeNode::GetText(std::string& text, int /*hex*/) const {
    text = m_label != nullptr ? m_label : "";
}
