#include "res/Resources.h"

#include "res/AppIcon.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {

// Kept in id order; a new dialog joins the program and the gallery by being listed here.
// clang-format off
const DialogTemplate* const kDialogTemplates[] = {
    &kAboutBoxTemplate,
    &kCfgAnaScanParmsTemplate,
    &kCfgAnaChanStatesTemplate,
    &kCfgAnaInOptsTemplate,
    &kCfgAnaOutOptsTemplate,
    &kCfgRtuParmsTemplate,
    &kCfgTcpParmsTemplate,
    &kCfgDigChanStatesTemplate,
    &kMakeConnectionTemplate,
    &kCfgScanModeTemplate,
    &kCfgDigOutOptsTemplate,
    &kCfgMultAnaInOptsTemplate,
    &kCfgMultAnaOutOptsTemplate,
    &kCfgMultDigOutOptsTemplate,
    &kChanQuickViewTemplate,
    &kEditPopupTemplate,
    &kFindUnitTemplate,
    &kTrafficLogTemplate,
    &kControlSampleTemplate,
};
// clang-format on

} // namespace

const DialogTemplate* findDialogTemplate(int id) {
    for (const DialogTemplate* dialog : kDialogTemplates) {
        if (dialog->id == id) {
            return dialog;
        }
    }
    return nullptr;
}

std::span<const DialogTemplate* const> allDialogTemplates() {
    return kDialogTemplates;
}

const char* loadString(int id) {
    for (const auto table : {stringTable(), frameStringTable()}) {
        for (const StringResource& entry : table) {
            if (entry.id == id) {
                return entry.text;
            }
        }
    }
    return "";
}

const char* const* findIconXpm(int id) {
    return id == IDR_MAINFRAME ? kAppIconXpm : nullptr;
}
