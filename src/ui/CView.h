#pragma once

#include "ui/CCmdTarget.h"
#include "ui/CWnd.h"

#include <cstdint>

class CDocument;

// A window that shows a document. The document tells its views of every change through
// UpdateAllViews; commands reach the view first and then its document.
class CView : public CWnd, public CCmdTarget {
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_document; }

    // Creates the view as the client of a frame (or any window), filling it.
    bool CreateView(CWnd& parent);

    // Once the view shows its document: by default an update without sender or hint.
    virtual void OnInitialUpdate();
    // The document changed; sender is the view that caused it, if any.
    virtual void OnUpdate(CView* sender, intptr_t hint, void* hintObject);

    // For CDocument::AddView and RemoveView.
    void setDocument(CDocument* document) { m_document = document; }

protected:
    // The view's window exists: place what it shows.
    virtual void onViewCreated() {}
    void commandChain(std::vector<CCmdTarget*>& chain) override;

private:
    friend class CFrameWnd;
    CDocument* m_document = nullptr;
};
