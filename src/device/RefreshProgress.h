#pragma once

#include "ui/BusyFlow.h"

// How far a refresh is, in blocks, for the progress shown while it runs: the communication
// check, the three identity blocks and up to eleven configuration blocks. A unit without the
// secondary Ethernet interface, or not on the user-defined scan, has one block fewer each,
// known once the block that decides it has been read.
class RefreshProgress {
public:
    static constexpr int mostBlocks = 1 + 3 + 11;

    RefreshProgress() { show(); }

    void blockDone() {
        ++m_done;
        show();
    }
    void blockSkipped() {
        --m_total;
        show();
    }

private:
    void show() const { BusyFlow::setProgress(m_done, m_total); }

    int m_done = 0;
    int m_total = mostBlocks;
};
