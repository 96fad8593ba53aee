#include "ui/CView.h"

#include "res/CommandIds.h"
#include "ui/CDocument.h"

CView::~CView() {
    if (m_document != nullptr) {
        m_document->RemoveView(*this);
    }
}

bool CView::CreateView(CWnd& parent) {
    if (!Create(parent, AFX_IDW_PANE_FIRST)) {
        return false;
    }
    onViewCreated();
    return true;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* /*sender*/, intptr_t /*hint*/, void* /*hintObject*/) {}

void CView::commandChain(std::vector<CCmdTarget*>& chain) {
    chain.push_back(this);
    if (m_document != nullptr) {
        chain.push_back(m_document);
    }
}
