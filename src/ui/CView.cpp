#include "ui/CView.h"

#include "ui/CDocument.h"

CView::~CView() {
    if (m_document != nullptr) {
        m_document->RemoveView(*this);
    }
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
