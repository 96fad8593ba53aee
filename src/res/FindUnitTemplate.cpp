#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StandardControlIds.h"

namespace {

// The two searches on top, each with its own button; the progress line with its Cancel below
// them, then the units found. Connect takes the chosen unit into the connect options.
constexpr int16_t kLabelX = 15;
constexpr int16_t kFieldX = 62;
constexpr int16_t kSearchX = 188;
constexpr int16_t kSearchWidth = 97;
constexpr int16_t kHeaderY = 114;

constexpr ControlTemplate kControls[] = {
    {IdStatic, ControlKind::GroupBox, "Serial Line (Modbus RTU)", 7, 7, 286, 48, StyleNone},
    {IdStatic, ControlKind::Static, "Device", kLabelX, 21, 45, 8, StyleNone},
    {IDC_FIND_DEVICE, ControlKind::Edit, "", kFieldX, 19, 116, 14, StyleBorder},
    {IDC_FIND_SEARCH_RTU, ControlKind::Button, "Search Serial Line", kSearchX, 19, kSearchWidth, 14,
     StyleNone},
    {IdStatic, ControlKind::Static, "Slave IDs", kLabelX, 38, 45, 8, StyleNone},
    {IDC_FIND_SLAVES, ControlKind::Edit, "", kFieldX, 36, 50, 14, StyleBorder},

    {IdStatic, ControlKind::GroupBox, "Network (Modbus TCP)", 7, 59, 286, 32, StyleNone},
    {IdStatic, ControlKind::Static, "Addresses", kLabelX, 73, 45, 8, StyleNone},
    {IDC_FIND_ADDRESSES, ControlKind::Edit, "", kFieldX, 71, 116, 14, StyleBorder},
    {IDC_FIND_SEARCH_TCP, ControlKind::Button, "Search Network", kSearchX, 71, kSearchWidth, 14,
     StyleNone},

    {IDC_FIND_PROGRESS, ControlKind::Static, "", 7, 98, 226, 10, StyleSunken},
    {IDC_FIND_CANCEL, ControlKind::Button, "Cancel", 243, 96, 50, 14, StyleDisabled},

    {IdStatic, ControlKind::Static, "Found at", 9, kHeaderY, 60, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Baud", 93, kHeaderY, 25, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Parity", 119, kHeaderY, 25, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Slave", 145, kHeaderY, 20, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Serial Number", 167, kHeaderY, 58, 8, StyleNone},
    {IdStatic, ControlKind::Static, "Firmware", 227, kHeaderY, 50, 8, StyleNone},
    {IDC_FIND_RESULTS, ControlKind::ListBox, "", 7, 124, 286, 84,
     StyleBorder | StyleUseTabStops | StyleNotify},

    {IDOK, ControlKind::Button, "Connect", 185, 214, 50, 14, StyleDefault | StyleDisabled},
    {IDCANCEL, ControlKind::Button, "Close", 243, 214, 50, 14, StyleNone},
};

} // namespace

const DialogTemplate kFindUnitTemplate = {
    IDD_FIND_UNIT, "find-unit", "Find Unit", 300, 235, kControls,
};
