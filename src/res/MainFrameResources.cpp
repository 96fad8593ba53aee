#include "res/FrameResourceTables.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "res/ToolbarImages.h"

// The main window's menu, accelerators and toolbar (resource 128).

namespace {

constexpr MenuItemTemplate kExportMenu[] = {
    {ID_EXPORT_KEPSERVER, "&KEPServerEX Configuration File..."},
};

constexpr MenuItemTemplate kFileMenu[] = {
    {ID_FILE_NEW, "&New\tCtrl+N"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {0, nullptr},
    {0, "&Export", kExportMenu},
    {0, nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {0, nullptr},
    {ID_FILE_MRU_FILE1, "Recent &File"},
    {0, nullptr},
    {ID_APP_EXIT, "E&xit"},
};

constexpr MenuItemTemplate kViewMenu[] = {
    {ID_VIEW_TOOLBAR, "&Toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar"},
    {0, nullptr},
    {ID_VIEW_HEXADECIMAL, "&Hexadecimal"},
    {ID_VIEW_DECIMAL, "&Decimal"},
    {0, nullptr},
    {ID_QUICK_CHANNEL_VIEW, "&Quick Channel View..."},
    {ID_VIEW_TRAFFIC_LOG, "Traffic &Log"},
};

constexpr MenuItemTemplate kConnectionMenu[] = {
    {ID_CONNECT_OPTIONS, "Connect &Options...\tF3"},
    {ID_CONNECT, "&Connect\tF4"},
    {ID_DISCONNECT, "&Disconnect\tF5"},
    {0, nullptr},
    {ID_FIND_UNIT, "&Find Unit..."},
    {0, nullptr},
    {ID_AUTO_CONNECT, "&Auto Connect"},
};

constexpr MenuItemTemplate kAnalogStatesMenu[] = {
    {ID_ANALOG_CHANNEL_STATES_0, "Panel &0 (Base Unit)..."},
    {ID_ANALOG_CHANNEL_STATES_0 + 1, "Panel &1..."},
    {ID_ANALOG_CHANNEL_STATES_0 + 2, "Panel &2..."},
    {ID_ANALOG_CHANNEL_STATES_0 + 3, "Panel &3..."},
};

constexpr MenuItemTemplate kAverageWeightsMenu[] = {
    {ID_AVERAGE_WEIGHTS_0, "Panel &0 (Base Unit)..."},
    {ID_AVERAGE_WEIGHTS_1, "Panel &1..."},
    {ID_AVERAGE_WEIGHTS_2, "Panel &2..."},
    {ID_AVERAGE_WEIGHTS_3, "Panel &3..."},
};

constexpr MenuItemTemplate kAnalogOutputsMenu[] = {
    {ID_ANALOG_DEFAULT_OUTPUTS_0, "Panel &0 (Base Unit)..."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 1, "Panel &1..."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 2, "Panel &2..."},
    {ID_ANALOG_DEFAULT_OUTPUTS_0 + 3, "Panel &3..."},
};

constexpr MenuItemTemplate kDigitalStatesMenu[] = {
    {ID_DIGITAL_CHANNEL_STATES_0, "Panel &0..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 1, "Panel &1..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 2, "Panel &2..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 3, "Panel &3..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 4, "Panel &4..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 5, "Panel &5..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 6, "Panel &6..."},
    {ID_DIGITAL_CHANNEL_STATES_0 + 7, "Panel &7..."},
};

constexpr MenuItemTemplate kDigitalOutputsMenu[] = {
    {ID_DIGITAL_DEFAULT_OUTPUTS_0, "Panel &0..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 1, "Panel &1..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 2, "Panel &2..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 3, "Panel &3..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 4, "Panel &4..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 5, "Panel &5..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 6, "Panel &6..."},
    {ID_DIGITAL_DEFAULT_OUTPUTS_0 + 7, "Panel &7..."},
};

constexpr MenuItemTemplate kConfigureMenu[] = {
    {ID_CONFIGURE_RTU_INTERFACE, "Modbus &RTU Interface..."},
    {ID_CONFIGURE_TCP_INTERFACE, "Modbus &TCP Interface..."},
    {ID_CONFIGURE_SECONDARY_TCP, "&Secondary TCP Interface..."},
    {0, nullptr},
    {ID_CONFIGURE_SCAN_MODE, "Scan &Mode..."},
    {ID_CONFIGURE_SCAN_PARAMETERS, "Scan &Parameters..."},
    {0, nullptr},
    {0, "&Analog Channel States", kAnalogStatesMenu},
    {0, "Analog Average &Weights", kAverageWeightsMenu},
    {0, "Analog Default &Outputs", kAnalogOutputsMenu},
    {0, nullptr},
    {0, "&Digital Channel States", kDigitalStatesMenu},
    {0, "Digital Default O&utputs", kDigitalOutputsMenu},
};

constexpr MenuItemTemplate kResetDigitalMenu[] = {
    {ID_RESET_DIGITAL_PANEL_0, "Panel &0"},     {ID_RESET_DIGITAL_PANEL_0 + 1, "Panel &1"},
    {ID_RESET_DIGITAL_PANEL_0 + 2, "Panel &2"}, {ID_RESET_DIGITAL_PANEL_0 + 3, "Panel &3"},
    {ID_RESET_DIGITAL_PANEL_0 + 4, "Panel &4"}, {ID_RESET_DIGITAL_PANEL_0 + 5, "Panel &5"},
    {ID_RESET_DIGITAL_PANEL_0 + 6, "Panel &6"}, {ID_RESET_DIGITAL_PANEL_0 + 7, "Panel &7"},
};

constexpr MenuItemTemplate kResetMenu[] = {
    {ID_RESET_ANALOG_PANELS, "&Analog Panels"},
    {0, "&Digital Panel", kResetDigitalMenu},
};

constexpr MenuItemTemplate kHelpMenu[] = {
    {ID_HELP_FINDER, "&Help Topics"},
    {0, nullptr},
    {ID_APP_ABOUT, "&About VtrConfig..."},
};

constexpr MenuItemTemplate kMenuBar[] = {
    {0, "&File", kFileMenu},
    {0, "&View", kViewMenu},
    {0, "&Connection", kConnectionMenu},
    {0, "C&onfigure", kConfigureMenu},
    {0, "&Reset", kResetMenu},
    {0, "&Help", kHelpMenu},
};

constexpr AcceleratorTemplate kAccelerators[] = {
    {VK_F3, 0, ID_CONNECT_OPTIONS}, {VK_F4, 0, ID_CONNECT},        {VK_F5, 0, ID_DISCONNECT},
    {'N', FCONTROL, ID_FILE_NEW},   {'O', FCONTROL, ID_FILE_OPEN}, {'S', FCONTROL, ID_FILE_SAVE},
    {'P', FCONTROL, ID_FILE_PRINT}, {VK_F1, 0, ID_HELP},           {VK_F1, FSHIFT, ID_CONTEXT_HELP},
};

constexpr int kButtons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
                            0,           ID_APP_ABOUT, ID_CONTEXT_HELP};

} // namespace

const MenuTemplate kMainFrameMenu = {IDR_MAINFRAME, kMenuBar};
const AcceleratorTable kMainFrameAccelerators = {IDR_MAINFRAME, kAccelerators};
const ToolbarTemplate kMainFrameToolbar = {IDR_MAINFRAME, 16, 15, kButtons, kMainToolbarXpm};
