#include "res/HelpTopics.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"

namespace {

constexpr HelpTopic command(int first, int last, const char* section) {
    return {HID_BASE_COMMAND + first, HID_BASE_COMMAND + last, section};
}
constexpr HelpTopic command(int id, const char* section) {
    return command(id, id, section);
}
constexpr HelpTopic window(int resourceId, const char* section) {
    return {HID_BASE_RESOURCE + resourceId, HID_BASE_RESOURCE + resourceId, section};
}

// The section names are the ids of the headings in docs/manual.html.
constexpr HelpTopic kTopics[] = {
    // Windows: the main window, its tree and each dialog.
    window(IDR_MAINFRAME, "main-window"),
    {HID_BASE_CONTROL + AFX_IDW_PANE_FIRST, HID_BASE_CONTROL + AFX_IDW_PANE_FIRST,
     "configuration-tree"},
    window(IDD_ABOUTBOX, "help-menu"),
    window(IDD_MAKE_CONNECTION, "connect-options"),
    window(IDD_CFG_RTU_PARMS, "rtu-interface"),
    window(IDD_CFG_TCP_PARMS, "tcp-interface"),
    window(IDD_CFG_SCAN_MODE, "scan-mode"),
    window(IDD_CFG_ANA_SCAN_PARMS, "scan-parameters"),
    window(IDD_CFG_ANA_CHAN_STATES, "analog-channel-states"),
    window(IDD_CFG_ANA_IN_OPTS, "average-weights"),
    window(IDD_CFG_MULT_ANA_IN_OPTS, "average-weights"),
    window(IDD_CFG_ANA_OUT_OPTS, "analog-default-outputs"),
    window(IDD_CFG_MULT_ANA_OUT_OPTS, "analog-default-outputs"),
    window(IDD_CFG_DIG_CHAN_STATES, "digital-channel-states"),
    window(IDD_CFG_DIG_OUT_OPTS, "digital-default-outputs"),
    window(IDD_CFG_MULT_DIG_OUT_OPTS, "digital-default-outputs"),
    window(IDD_CHAN_QUICK_VIEW, "quick-channel-view"),
    window(IDD_EDIT_POPUP, "quick-channel-view-edit"),
    window(IDD_FIND_UNIT, "find-unit"),
    window(IDD_TRAFFIC_LOG, "traffic-log"),

    // File menu.
    command(ID_FILE_NEW, ID_FILE_SAVE_AS, "documents"),
    command(ID_FILE_PRINT_SETUP, ID_FILE_PRINT_PREVIEW, "file-menu"),
    command(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, "documents"),
    command(ID_APP_EXIT, "file-menu"),
    command(ID_EXPORT_KEPSERVER, "export"),
    // View menu.
    command(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, "view-menu"),
    command(ID_VIEW_HEXADECIMAL, ID_VIEW_DECIMAL, "view-menu"),
    command(ID_QUICK_CHANNEL_VIEW, "quick-channel-view"),
    command(ID_VIEW_TRAFFIC_LOG, "traffic-log"),
    // Connection menu.
    command(ID_CONNECT_OPTIONS, "connect-options"),
    command(ID_CONNECT, ID_DISCONNECT, "connecting"),
    command(ID_AUTO_CONNECT, "connecting"),
    command(ID_FIND_UNIT, "find-unit"),
    // Configure menu.
    command(ID_CONFIGURE_RTU_INTERFACE, "rtu-interface"),
    command(ID_CONFIGURE_TCP_INTERFACE, "tcp-interface"),
    command(ID_CONFIGURE_SECONDARY_TCP, "tcp-interface"),
    command(ID_CONFIGURE_SCAN_MODE, "scan-mode"),
    command(ID_CONFIGURE_SCAN_PARAMETERS, "scan-parameters"),
    command(ID_ANALOG_CHANNEL_STATES_0, ID_ANALOG_CHANNEL_STATES_0 + 3, "analog-channel-states"),
    command(ID_AVERAGE_WEIGHTS_0, ID_AVERAGE_WEIGHTS_0 + 3, "average-weights"),
    command(ID_ANALOG_DEFAULT_OUTPUTS_0, ID_ANALOG_DEFAULT_OUTPUTS_0 + 3, "analog-default-outputs"),
    command(ID_DIGITAL_CHANNEL_STATES_0, ID_DIGITAL_CHANNEL_STATES_0 + 7, "digital-channel-states"),
    command(ID_DIGITAL_DEFAULT_OUTPUTS_0, ID_DIGITAL_DEFAULT_OUTPUTS_0 + 7,
            "digital-default-outputs"),
    // Reset menu.
    command(ID_RESET_ANALOG_PANELS, ID_RESET_DIGITAL_PANEL_0 + 7, "reset"),
    // Help menu and keys.
    command(ID_APP_ABOUT, "help-menu"),
    command(ID_HELP_FINDER, ID_DEFAULT_HELP, "help-menu"),
};

} // namespace

const char* helpSectionOf(int helpContext) {
    for (const HelpTopic& topic : kTopics) {
        if (helpContext >= topic.first && helpContext <= topic.last) {
            return topic.section;
        }
    }
    return nullptr;
}

std::span<const HelpTopic> allHelpTopics() {
    return kTopics;
}
