#include "ui/CTreeCtrl.h"

#include "ui/CWnd.h"
#include "ui/TreePeer.h"
#include "ui/UiConstants.h"

#include <algorithm>

namespace {

const std::vector<HTREEITEM> kNoChildren;

} // namespace

CTreeCtrl::~CTreeCtrl() {
    if (m_host != nullptr) {
        m_host->removeTree(*this);
    }
}

bool CTreeCtrl::Create(CWnd& parent, int controlId) {
    if (!parent.IsWindow() || m_host != nullptr) {
        return false;
    }
    m_host = &parent;
    setOwner(&parent, controlId);
    parent.addTree(*this);
    return true;
}

void CTreeCtrl::leaveHost() {
    m_host = nullptr;
    setOwner(nullptr, 0);
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, uintptr_t param, HTREEITEM parent,
                                HTREEITEM after) {
    std::vector<HTREEITEM>* siblings = childList(parent);
    if (siblings == nullptr || m_lastHandle + 1 >= TVI_ROOT.value) {
        return {};
    }
    size_t index = siblings->size();
    if (after == TVI_FIRST) {
        index = 0;
    } else if (after != TVI_LAST) {
        const auto at = std::find(siblings->begin(), siblings->end(), after);
        if (at == siblings->end()) {
            return {};
        }
        index = static_cast<size_t>(at - siblings->begin()) + 1;
    }
    const HTREEITEM handle{++m_lastHandle};
    siblings->insert(siblings->begin() + static_cast<std::ptrdiff_t>(index), handle);
    Item& item = m_items[handle.value];
    item.text = text;
    item.param = param;
    item.parent = parent;
    if (m_peer != nullptr) {
        m_peer->itemInserted(handle, parent, static_cast<int>(index));
    }
    return handle;
}

bool CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (item == TVI_ROOT) {
        const std::vector<HTREEITEM> topLevel = m_topLevel;
        for (HTREEITEM top : topLevel) {
            DeleteItem(top);
        }
        return true;
    }
    const Item* doomed = find(item);
    if (doomed == nullptr) {
        return false;
    }
    // The peer is told first, while the item and its subtree can still be looked up.
    if (m_peer != nullptr) {
        m_peer->itemDeleted(item);
    }
    std::vector<HTREEITEM>* siblings = childList(doomed->parent);
    siblings->erase(std::find(siblings->begin(), siblings->end(), item));
    const HTREEITEM selectedBefore = m_selected;
    forget(item);
    if (m_selected != selectedBefore && m_peer != nullptr) {
        m_peer->selectionChanged();
    }
    return true;
}

bool CTreeCtrl::SetItemText(HTREEITEM item, const std::string& text) {
    Item* target = find(item);
    if (target == nullptr) {
        return false;
    }
    if (target->text != text) {
        target->text = text;
        if (m_peer != nullptr) {
            m_peer->itemTextChanged(item);
        }
    }
    return true;
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const {
    const Item* target = find(item);
    return target != nullptr ? target->text : std::string();
}

bool CTreeCtrl::SetItemData(HTREEITEM item, uintptr_t param) {
    Item* target = find(item);
    if (target == nullptr) {
        return false;
    }
    target->param = param;
    return true;
}

uintptr_t CTreeCtrl::GetItemData(HTREEITEM item) const {
    const Item* target = find(item);
    return target != nullptr ? target->param : 0;
}

bool CTreeCtrl::Expand(HTREEITEM item, int code) {
    Item* target = find(item);
    if (target == nullptr) {
        return false;
    }
    switch (code) {
    case TVE_EXPAND:
        setExpanded(*target, item, true);
        return true;
    case TVE_COLLAPSE:
        setExpanded(*target, item, false);
        return true;
    case TVE_TOGGLE:
        setExpanded(*target, item, !target->expanded);
        return true;
    default:
        return false;
    }
}

bool CTreeCtrl::IsExpanded(HTREEITEM item) const {
    const Item* target = find(item);
    return target != nullptr && target->expanded;
}

bool CTreeCtrl::SelectItem(HTREEITEM item) {
    if (item && find(item) == nullptr) {
        return false;
    }
    if (m_selected != item) {
        m_selected = item;
        if (m_peer != nullptr) {
            m_peer->selectionChanged();
        }
    }
    return true;
}

HTREEITEM CTreeCtrl::GetRootItem() const {
    return m_topLevel.empty() ? HTREEITEM{} : m_topLevel.front();
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    const std::vector<HTREEITEM>& list = children(item);
    return list.empty() ? HTREEITEM{} : list.front();
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    const Item* target = find(item);
    if (target == nullptr) {
        return {};
    }
    const std::vector<HTREEITEM>& list = children(target->parent);
    const auto at = std::find(list.begin(), list.end(), item);
    return at + 1 == list.end() ? HTREEITEM{} : *(at + 1);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const {
    const Item* target = find(item);
    if (target == nullptr) {
        return {};
    }
    const std::vector<HTREEITEM>& list = children(target->parent);
    const auto at = std::find(list.begin(), list.end(), item);
    return at == list.begin() ? HTREEITEM{} : *(at - 1);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    const Item* target = find(item);
    if (target == nullptr || target->parent == TVI_ROOT) {
        return {};
    }
    return target->parent;
}

bool CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    const Item* target = find(item);
    return target != nullptr && !target->children.empty();
}

const std::vector<HTREEITEM>& CTreeCtrl::children(HTREEITEM parent) const {
    if (parent == TVI_ROOT) {
        return m_topLevel;
    }
    const Item* target = find(parent);
    return target != nullptr ? target->children : kNoChildren;
}

void CTreeCtrl::setOwner(CWnd* owner, int controlId) {
    m_owner = owner;
    m_controlId = controlId;
}

void CTreeCtrl::userSelect(HTREEITEM item) {
    SelectItem(item);
}

void CTreeCtrl::userSetExpanded(HTREEITEM item, bool expanded) {
    Item* target = find(item);
    if (target != nullptr) {
        setExpanded(*target, item, expanded);
    }
}

bool CTreeCtrl::userReturn() {
    if (find(m_selected) == nullptr) {
        return false;
    }
    if (m_owner != nullptr) {
        m_owner->notify(m_controlId, NM_RETURN);
    }
    return true;
}

void CTreeCtrl::userDoubleClick(HTREEITEM item) {
    if (find(item) == nullptr) {
        return;
    }
    // The first click of a double-click selects the item.
    SelectItem(item);
    const long handled = m_owner != nullptr ? m_owner->notify(m_controlId, NM_DBLCLK) : 0;
    // The owner may have deleted the item while handling the click.
    Item* target = find(item);
    if (handled == 0 && target != nullptr && !target->children.empty()) {
        setExpanded(*target, item, !target->expanded);
    }
}

std::vector<CTreeCtrl::Row> CTreeCtrl::rows() const {
    std::vector<Row> out;
    appendRows(TVI_ROOT, 0, out);
    return out;
}

CTreeCtrl::Item* CTreeCtrl::find(HTREEITEM item) {
    const auto at = m_items.find(item.value);
    return at != m_items.end() ? &at->second : nullptr;
}

const CTreeCtrl::Item* CTreeCtrl::find(HTREEITEM item) const {
    const auto at = m_items.find(item.value);
    return at != m_items.end() ? &at->second : nullptr;
}

std::vector<HTREEITEM>* CTreeCtrl::childList(HTREEITEM parent) {
    if (parent == TVI_ROOT) {
        return &m_topLevel;
    }
    Item* target = find(parent);
    return target != nullptr ? &target->children : nullptr;
}

void CTreeCtrl::forget(HTREEITEM item) {
    const std::vector<HTREEITEM> below = find(item)->children;
    for (HTREEITEM child : below) {
        forget(child);
    }
    if (m_selected == item) {
        m_selected = {};
    }
    m_items.erase(item.value);
}

void CTreeCtrl::appendRows(HTREEITEM parent, int depth, std::vector<Row>& out) const {
    for (HTREEITEM handle : children(parent)) {
        const Item& item = *find(handle);
        out.push_back({depth, item.text, item.expanded, item.param, handle});
        appendRows(handle, depth + 1, out);
    }
}

void CTreeCtrl::setExpanded(Item& item, HTREEITEM handle, bool expanded) {
    if (item.expanded == expanded) {
        return;
    }
    item.expanded = expanded;
    if (m_peer != nullptr) {
        m_peer->itemExpansionChanged(handle);
    }
}
