#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_POPUP_EDIT, ControlKind::Edit, "", 55, 4, 46, 14, StyleBorder},
    {IDC_POPUP_OK, ControlKind::Button, "OK", 18, 32, 32, 14, StyleDefault | StyleDisabled},
    {IDC_POPUP_CANCEL, ControlKind::Button, "Cancel", 59, 32, 33, 14, StyleNone},
    {IdStatic, ControlKind::Static, "Output value:", 5, 7, 46, 8, StyleNone},
    {IdStatic, ControlKind::Static, "(prefix with 0x for hex value)", 7, 20, 95, 8, StyleNone},
};

} // namespace

const DialogTemplate kEditPopupTemplate = {
    IDD_EDIT_POPUP, "edit-analog-output", "Edit Analog Output", 111, 50, kControls,
};
