#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"

namespace {

constexpr uint32_t kPanelRadio = StyleDisabled;

constexpr ControlTemplate kControls[] = {
    {IDC_QV_CLOSE, ControlKind::Button, "Close", 124, 204, 50, 14, StyleNone},
    {IDC_QV_LIST, ControlKind::ListBox, "", 107, 17, 182, 152,
     StyleBorder | StyleUseTabStops | StyleNotify},
    {IdStatic, ControlKind::Static, "Channel", 117, 6, 27, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Value (or error text)", 158, 6, 66, 8, StyleNone},
    {IdStatic, ControlKind::Static,
     "You may click any output channel above to write out a new value.", 36, 189, 230, 8,
     StyleCenter},
    {IdStatic, ControlKind::GroupBox, "", 31, 183, 238, 18, StyleNone},
    {IDC_QV_ANALOG_PANEL_0, ControlKind::RadioButton, "Panel 0 (base unit)", 17, 25, 76, 10,
     kPanelRadio | StyleGroup},
    {IDC_QV_ANALOG_PANEL_0 + 1, ControlKind::RadioButton, "Expansion Panel 1", 17, 38, 74, 10,
     kPanelRadio},
    {IDC_QV_ANALOG_PANEL_0 + 2, ControlKind::RadioButton, "Expansion Panel 2", 17, 51, 74, 10,
     kPanelRadio},
    {IDC_QV_ANALOG_PANEL_0 + 3, ControlKind::RadioButton, "Expansion Panel 3", 17, 64, 74, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0, ControlKind::RadioButton, "Digital Panel 0", 17, 77, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 1, ControlKind::RadioButton, "Digital Panel 1", 17, 90, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 2, ControlKind::RadioButton, "Digital Panel 2", 17, 103, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 3, ControlKind::RadioButton, "Digital Panel 3", 17, 116, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 4, ControlKind::RadioButton, "Digital Panel 4", 17, 129, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 5, ControlKind::RadioButton, "Digital Panel 5", 17, 142, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 6, ControlKind::RadioButton, "Digital Panel 6", 17, 155, 61, 10,
     kPanelRadio},
    {IDC_QV_DIGITAL_PANEL_0 + 7, ControlKind::RadioButton, "Digital Panel 7", 17, 168, 61, 10,
     kPanelRadio},
    {IdStatic, ControlKind::GroupBox, "Select Panel:", 9, 13, 85, 170, StyleNone},
    {IdStatic, ControlKind::Static, "Status:", 163, 171, 24, 8, StyleDisabled},
    {IDC_QV_STATUS, ControlKind::Static, "Initializing...", 190, 171, 84, 8, StyleDisabled},
};

} // namespace

const DialogTemplate kChanQuickViewTemplate = {
    IDD_CHAN_QUICK_VIEW, "quick-channel-view", "Quick Channel View", 299, 223, kControls,
};
