#pragma once

#include <string>

class CVtrConfigDoc;
class CWnd;

// File > Export > "KEPServerEX Configuration File...": writes the tag list of the connected
// unit's configured channels (KepTagFile) to a file the user picks. The unit is not touched.
class KepServerExport {
public:
    enum class Outcome { created, notConnected, openFailed, writeFailed };

    // Writes the tag file to `path`, replacing any previous file only when the whole new one
    // has been written.
    static Outcome writeFile(const CVtrConfigDoc& doc, const std::string& path);
    // What the user is told of an outcome.
    static const char* message(Outcome outcome);

    // The menu command: asks for the file in a save dialog owned by `mainWindow`, writes it and
    // reports the outcome in an application message box. Cancelling the dialog ends it quietly.
    static void run(const CVtrConfigDoc& doc, CWnd* mainWindow);
};
