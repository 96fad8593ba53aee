#include "ui/CWaitCursor.h"

#include "ui/UiBackend.h"

CWaitCursor::CWaitCursor() {
    currentBackend().beginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    currentBackend().endWaitCursor();
}
