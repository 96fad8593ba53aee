#pragma once

// Command ids that the frame and the document template handle themselves, in the numbering
// the program's menus, toolbar and string table quote.

constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
// The recent-file entries of the File menu: first .. first + 15.
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_LAST = 57631;

constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_FINDER = 57667;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_DEFAULT_HELP = 57671;

// Panes of the status bar: the message pane, and the keyboard lock indicators.
constexpr int ID_SEPARATOR = 0;
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;

constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// The client view of a frame, and the control id of the tree inside a tree view.
constexpr int AFX_IDW_PANE_FIRST = 59648;

// The main window's own commands.
constexpr int ID_VIEW_HEXADECIMAL = 32832;
constexpr int ID_VIEW_DECIMAL = 32833;
constexpr int ID_CONFIGURE_RTU_INTERFACE = 32834;
constexpr int ID_CONFIGURE_TCP_INTERFACE = 32835;
constexpr int ID_CONFIGURE_SCAN_PARAMETERS = 32836;
constexpr int ID_CONFIGURE_SCAN_MODE = 32837;
// Analog panels 0 to 3.
constexpr int ID_ANALOG_CHANNEL_STATES_0 = 32838;
// Average weights of panels 0, 1, 2, 3: the ids are not in panel order.
constexpr int ID_AVERAGE_WEIGHTS_0 = 32842;
constexpr int ID_AVERAGE_WEIGHTS_1 = 32843;
constexpr int ID_AVERAGE_WEIGHTS_2 = 32845;
constexpr int ID_AVERAGE_WEIGHTS_3 = 32844;
constexpr int ID_ANALOG_DEFAULT_OUTPUTS_0 = 32846;
// Digital panels 0 to 7.
constexpr int ID_DIGITAL_CHANNEL_STATES_0 = 32850;
constexpr int ID_DIGITAL_DEFAULT_OUTPUTS_0 = 32858;
constexpr int ID_RESET_ANALOG_PANELS = 32866;
constexpr int ID_RESET_DIGITAL_PANEL_0 = 32867;
constexpr int ID_CONNECT_OPTIONS = 32877;
constexpr int ID_CONNECT = 32878;
constexpr int ID_DISCONNECT = 32879;
constexpr int ID_AUTO_CONNECT = 32880;
constexpr int ID_CONFIGURE_SECONDARY_TCP = 32881;
constexpr int ID_EXPORT_KEPSERVER = 32882;
constexpr int ID_QUICK_CHANNEL_VIEW = 32884;
constexpr int ID_FIND_UNIT = 32890;
constexpr int ID_VIEW_TRAFFIC_LOG = 32892;
