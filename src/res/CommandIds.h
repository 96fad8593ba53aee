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
