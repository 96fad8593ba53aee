#include "res/FrameResourceTables.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "res/ToolbarImages.h"

namespace {

constexpr MenuItemTemplate kFileMenu[] = {
    {ID_FILE_NEW, "&New\tCtrl+N"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {0, nullptr},
    {ID_FILE_MRU_FILE1, "Recent File"},
    {0, nullptr},
    {ID_APP_EXIT, "E&xit"},
};

constexpr MenuItemTemplate kViewMenu[] = {
    {ID_VIEW_TOOLBAR, "&Toolbar"},           {ID_VIEW_STATUS_BAR, "&Status Bar"}, {0, nullptr},
    {ID_SAMPLE_HEXADECIMAL, "&Hexadecimal"}, {ID_SAMPLE_DECIMAL, "&Decimal"},
};

constexpr MenuItemTemplate kUnitMenu[] = {
    {ID_SAMPLE_CONNECT, "&Connect\tF4"},
    {ID_SAMPLE_UNAVAILABLE, "&Unavailable"},
};

constexpr MenuItemTemplate kHelpMenu[] = {
    {ID_APP_ABOUT, "&About VtrConfig..."},
};

constexpr MenuItemTemplate kMenuBar[] = {
    {0, "&File", kFileMenu},
    {0, "&View", kViewMenu},
    {0, "&Unit", kUnitMenu},
    {0, "&Help", kHelpMenu},
};

constexpr AcceleratorTemplate kAccelerators[] = {
    {'N', FCONTROL, ID_FILE_NEW},
    {'O', FCONTROL, ID_FILE_OPEN},
    {'S', FCONTROL, ID_FILE_SAVE},
    {VK_F4, 0, ID_SAMPLE_CONNECT},
};

constexpr int kButtons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
                            0,           ID_APP_ABOUT, ID_CONTEXT_HELP};

} // namespace

const MenuTemplate kFrameSampleMenu = {IDR_FRAME_SAMPLE, kMenuBar};
const AcceleratorTable kFrameSampleAccelerators = {IDR_FRAME_SAMPLE, kAccelerators};
const ToolbarTemplate kFrameSampleToolbar = {IDR_FRAME_SAMPLE, 16, 15, kButtons, kMainToolbarXpm};
