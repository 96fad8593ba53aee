#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"
#include "res/StandardControlIds.h"

namespace {

constexpr ControlTemplate kControls[] = {
    {IdStatic, ControlKind::Icon, "", 11, 17, 20, 20, StyleNone, IDR_MAINFRAME},
    {IdStatic, ControlKind::Static, "VtrConfig Version 1.6", 40, 10, 119, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Supported Models:", 40, 25, 119, 8, StyleNone},
    {IdStatic, ControlKind::Static, "VTR300", 52, 37, 107, 8, StyleNone},
    {IDOK, ControlKind::Button, "OK", 178, 7, 50, 14, StyleDefault},
};

} // namespace

const DialogTemplate kAboutBoxTemplate = {
    IDD_ABOUTBOX, "about", "About VtrConfig", 235, 62, kControls,
};
