#include "app/KepServerExport.h"

#include "app/KepTagFile.h"
#include "device/CVtrConfigDoc.h"
#include "ui/FileAccess.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

KepServerExport::Outcome KepServerExport::writeFile(const CVtrConfigDoc& doc,
                                                    const std::string& path) {
    if (!doc.isConnected()) {
        return Outcome::notConnected;
    }
    const std::string text = KepTagFile::text(doc);
    std::string reason;
    switch (FileAccess::writeAtomically(
        path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, reason)) {
    case FileAccess::WriteResult::written:
        return Outcome::created;
    case FileAccess::WriteResult::refused:
        return Outcome::openFailed;
    case FileAccess::WriteResult::failed:
        break;
    }
    return Outcome::writeFailed;
}

const char* KepServerExport::message(Outcome outcome) {
    switch (outcome) {
    case Outcome::created:
        return "OPC configuration file created.";
    case Outcome::notConnected:
        return "You must be connected before exporting the OPC file.";
    case Outcome::openFailed:
        return "Could not open file (may be read-only?)";
    case Outcome::writeFailed:
        break;
    }
    return "Could not write file (disk full?). Any previous file is unchanged.";
}

void KepServerExport::run(const CVtrConfigDoc& doc, CWnd* mainWindow) {
    if (!doc.isConnected()) {
        AfxMessageBox(message(Outcome::notConnected));
        return;
    }
    FileDialogRequest request;
    request.open = false;
    request.filter = "All (*.*);;KEPServer config file (*.txt)";
    request.selectedFilter = "KEPServer config file (*.txt)";
    request.defaultExtension = ".txt";
    std::string path;
    if (ShowFileDialog(mainWindow, request, path) != IDOK) {
        return;
    }
    AfxMessageBox(message(writeFile(doc, path)));
}
