#include "ui/MessageBox.h"

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/UiBackend.h"
#include "ui/UiConstants.h"

int ShowMessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                   unsigned style) {
    return currentBackend().messageBox(owner, text, caption, style);
}

int AfxMessageBox(const std::string& text, unsigned style) {
    if ((style & MB_TYPEMASK) == MB_OK && (style & MB_ICONMASK) == 0) {
        style |= MB_ICONWARNING;
    }
    return ShowMessageBox(nullptr, text, loadString(IDS_APP_TITLE), style);
}
