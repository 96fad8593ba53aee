#include "ui/CDataExchange.h"

#include "ui/CControl.h"

void DDX_Control(CDataExchange* pDX, int controlId, CControl& control) {
    control.attach(&pDX->window(), controlId);
}
