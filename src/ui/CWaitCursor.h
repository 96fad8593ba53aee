#pragma once

// The hourglass for the life of this object: shown at once, after the windows were painted
// with what they show now, so that a status text set just before a blocking call stays on
// screen while the call blocks.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
