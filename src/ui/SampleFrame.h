#pragma once

#include "ui/CFrameWnd.h"
#include "ui/CTreeView.h"

// A frame built from the sample resources: menu, accelerators, toolbar, status bar, and a
// tree view with a few rows. Its commands switch a number base (checked entries), connect
// (the entry's text changes) and leave one entry without a handler (greyed). For tests and
// the gallery.
class SampleFrame : public CFrameWnd {
public:
    SampleFrame();
    ~SampleFrame() override;

    // Creates the frame with its view and shows it; false when that fails.
    bool create();
    CTreeView& view() { return m_view; }

    bool hexadecimal = false;
    bool connected = false;
    int connects = 0;
    int abouts = 0;

private:
    void fillTree();

    CTreeView m_view;
};
