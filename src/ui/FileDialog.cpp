#include "ui/FileDialog.h"

#include "ui/UiConstants.h"

int ShowFileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) {
    std::string chosen;
    if (currentBackend().fileDialog(owner, request, chosen) != IDOK || chosen.empty()) {
        return IDCANCEL;
    }
    const size_t slash = chosen.find_last_of('/');
    const size_t dot = chosen.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!request.open && !hasExtension) {
        chosen += request.defaultExtension;
    }
    path = chosen;
    return IDOK;
}
