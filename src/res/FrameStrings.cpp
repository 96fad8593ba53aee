#include "res/StringTable.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"

namespace {

constexpr StringResource kStrings[] = {
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_CLOSE, "Close the active document\nClose"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_FILE_MRU_FILE1 + 1, "Open this document"},
    {ID_FILE_MRU_FILE1 + 2, "Open this document"},
    {ID_FILE_MRU_FILE1 + 3, "Open this document"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_HELP_FINDER, "List Help topics\nHelp Topics"},
    {ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp"},
    {ID_HELP, "Display help for current task or command\nHelp"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},

    // The main window's commands.
    {ID_CONNECT_OPTIONS, "Specify the options to use when connecting to an attached Vantrel."},
    {ID_CONNECT, "Connect to attached Vantrel or refresh data on an established connection."},
    {ID_DISCONNECT, "Disconnect connection to attached Vantrel."},
    {ID_AUTO_CONNECT, "Toggle auto-connect setting."},
    {ID_FIND_UNIT, "Search a serial line or the network for units."},
    {ID_CONFIGURE_RTU_INTERFACE, "Configure Modbus RTU interface parameters."},
    {ID_CONFIGURE_TCP_INTERFACE, "Configure Modbus TCP parameters for primary interface."},
    {ID_CONFIGURE_SECONDARY_TCP, "Configure Modbus TCP parameters for secondary interface."},
    {ID_CONFIGURE_SCAN_MODE, "Configure analog scan mode."},
    {ID_CONFIGURE_SCAN_PARAMETERS, "Configure user-defined scan parameters."},
    {ID_ANALOG_CHANNEL_STATES_0 + 0, "Configure Analog Panel 0 channel states."},
    {ID_ANALOG_CHANNEL_STATES_0 + 1, "Configure Analog Panel 1 channel states."},
    {ID_ANALOG_CHANNEL_STATES_0 + 2, "Configure Analog Panel 2 channel states."},
    {ID_ANALOG_CHANNEL_STATES_0 + 3, "Configure Analog Panel 3 channel states."},
    {ID_AVERAGE_WEIGHTS_0, "Configure Analog Panel 0 average weights."},
    {ID_AVERAGE_WEIGHTS_1, "Configure Analog Panel 1 average weights."},
    {ID_AVERAGE_WEIGHTS_2, "Configure Analog Panel 2 average weights."},
    {ID_AVERAGE_WEIGHTS_3, "Configure Analog Panel 3 average weights."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 0, "Configure Analog Panel 0 default outputs."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 1, "Configure Analog Panel 1 default outputs."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 2, "Configure Analog Panel 2 default outputs."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 3, "Configure Analog Panel 3 default outputs."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 0, "Configure Digital Panel 0 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 1, "Configure Digital Panel 1 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 2, "Configure Digital Panel 2 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 3, "Configure Digital Panel 3 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 4, "Configure Digital Panel 4 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 5, "Configure Digital Panel 5 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 6, "Configure Digital Panel 6 channel states."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 7, "Configure Digital Panel 7 channel states."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 0, "Configure Digital Panel 0 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 1, "Configure Digital Panel 1 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 2, "Configure Digital Panel 2 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 3, "Configure Digital Panel 3 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 4, "Configure Digital Panel 4 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 5, "Configure Digital Panel 5 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 6, "Configure Digital Panel 6 default outputs."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 7, "Configure Digital Panel 7 default outputs."},
    {ID_RESET_ANALOG_PANELS, "Reset Analog Panel configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 0, "Reset Digital Panel 0 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 1, "Reset Digital Panel 1 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 2, "Reset Digital Panel 2 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 3, "Reset Digital Panel 3 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 4, "Reset Digital Panel 4 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 5, "Reset Digital Panel 5 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 6, "Reset Digital Panel 6 configuration to factory default."},
    {ID_RESET_DIGITAL_PANEL_0 + 7, "Reset Digital Panel 7 configuration to factory default."},
    {ID_VIEW_HEXADECIMAL, "View Vantrel data in hexadecimal"},
    {ID_VIEW_DECIMAL, "View Vantrel data in decimal"},

    {IDR_FRAME_SAMPLE, "Frame Sample\n\nsample\nSample Files (*.smp)\n.smp\n\n"},
    {ID_SAMPLE_HEXADECIMAL, "Show values in hexadecimal\nHexadecimal"},
    {ID_SAMPLE_DECIMAL, "Show values in decimal\nDecimal"},
    {ID_SAMPLE_CONNECT, "Connect to the unit, or read it again when connected\nConnect"},
    {ID_SAMPLE_UNAVAILABLE, "A command that no window handles"},
};

} // namespace

std::span<const StringResource> frameStringTable() {
    return kStrings;
}
