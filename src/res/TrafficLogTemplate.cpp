#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"
#include "res/StandardControlIds.h"

namespace {

constexpr ControlTemplate kControls[] = {
    {IdStatic, ControlKind::Static, "S&how:", 7, 9, 22, 8, StyleNone},
    {IDC_TL_SHOW, ControlKind::ComboBox, "", 32, 7, 90, 60, StyleNone},
    // The second filter needs no label of its own: its first line reads "All blocks".
    {IDC_TL_BLOCK, ControlKind::ComboBox, "", 128, 7, 130, 160, StyleNone},
    {IDC_TL_LIST, ControlKind::ListBox, "", 7, 24, 466, 166, StyleBorder | StyleNotify},
    {IDC_TL_DETAIL, ControlKind::Edit, "", 7, 194, 466, 62,
     StyleMultiline | StyleReadOnly | StyleBorder},
    {IDC_TL_STATUS, ControlKind::Static, "", 7, 265, 200, 8, StyleNone},
    {IDC_TL_PAUSE, ControlKind::Button, "&Pause", 256, 262, 50, 14, StyleNone},
    {IDC_TL_COPY, ControlKind::Button, "&Copy", 311, 262, 50, 14, StyleNone},
    {IDC_TL_SAVE_AS, ControlKind::Button, "&Save As...", 366, 262, 50, 14, StyleNone},
    {IDCANCEL, ControlKind::Button, "Close", 423, 262, 50, 14, StyleNone},
};

} // namespace

const DialogTemplate kTrafficLogTemplate = {
    IDD_TRAFFIC_LOG, "traffic-log", "Traffic Log", 480, 283, kControls,
};
