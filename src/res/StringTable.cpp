#include "res/StringTable.h"

#include "res/ResourceIds.h"

namespace {

constexpr StringResource kStrings[] = {
    {IDR_MAINFRAME, "VTR Configuration\n\nvtrcfg\nVtr Config Files (*.vtr)\n.vtr\n"
                    "VtrConfig.Document\nVtr Config File"},
    {IDS_CONNECTING, "Connecting..."},
    {IDS_READING_DATA, "Reading data from Vantrel..."},
    {IDS_RESETTING_ANALOG, "Resetting analog panels..."},
    {IDS_WAITING_FOR_BOOT, "Waiting for Vantrel to boot...."},
    {IDS_CANCELLED, "Cancelled"},
    {IDS_APP_TITLE, "VtrConfig"},
    {IDS_IDLE_MESSAGE, "For Help, press F1"},
};

} // namespace

std::span<const StringResource> stringTable() {
    return kStrings;
}
