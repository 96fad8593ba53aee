#include "res/DialogTemplates.h"

#include "res/ResourceIds.h"
#include "res/StandardControlIds.h"

namespace {

// One control of every kind, laid out like a configuration dialog: fields in a group box on
// the left, "Configure" above "Cancel" on the right.
constexpr ControlTemplate kControls[] = {
    {IDC_SAMPLE_GROUP, ControlKind::GroupBox, "Sample Fields", 7, 7, 200, 196, StyleNone},
    {IdStatic, ControlKind::Static, "&Choice", 15, 22, 50, 8, StyleNone},
    {IDC_SAMPLE_COMBO, ControlKind::ComboBox, "", 80, 20, 118, 60, StyleNone},
    {IdStatic, ControlKind::Static, "Unsigned value", 15, 40, 60, 8, StyleNone},
    {IDC_SAMPLE_EDIT, ControlKind::Edit, "", 80, 38, 60, 14, StyleBorder},
    {IdStatic, ControlKind::Static, "Signed value", 15, 58, 60, 8, StyleNone},
    {IDC_SAMPLE_SIGNED_EDIT, ControlKind::Edit, "", 80, 56, 60, 14, StyleBorder},
    {IdStatic, ControlKind::Static, "Shown value", 15, 76, 60, 8, StyleNone},
    {IDC_SAMPLE_SHOWN_VALUE, ControlKind::Static, "502", 80, 75, 60, 11, StyleSunken},
    {IDC_SAMPLE_LABEL, ControlKind::Static, "Scan list", 15, 92, 60, 8, StyleNone},
    {IDC_SAMPLE_MULTILINE, ControlKind::Edit, "", 80, 90, 118, 26, StyleBorder | StyleMultiline},
    {IDC_SAMPLE_LIST, ControlKind::ListBox, "", 15, 120, 183, 40,
     StyleBorder | StyleUseTabStops | StyleNotify},
    {IDC_SAMPLE_RADIO_FIRST, ControlKind::RadioButton, "First", 15, 166, 50, 10, StyleGroup},
    {IDC_SAMPLE_RADIO_SECOND, ControlKind::RadioButton, "Second", 15, 178, 50, 10, StyleNone},
    {IDC_SAMPLE_RADIO_THIRD, ControlKind::RadioButton, "Third", 15, 190, 50, 10, StyleDisabled},
    {IDC_SAMPLE_APPLY, ControlKind::Button, "&Apply", 80, 180, 50, 14, StyleNone},
    {IDOK, ControlKind::Button, "Configure", 216, 7, 50, 14, StyleDefault},
    {IDCANCEL, ControlKind::Button, "Cancel", 216, 24, 50, 14, StyleNone},
};

} // namespace

const DialogTemplate kControlSampleTemplate = {
    IDD_CONTROL_SAMPLE, "control-sample", "Control Sample", 273, 210, kControls,
};
