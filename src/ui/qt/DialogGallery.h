#pragma once

#include <string>

class CDialog;
struct DialogTemplate;
class QImage;
class QWidget;

// Renders dialog templates through the Qt backend into pictures for review: the window's
// caption bar above the client area, the controls showing their template texts.
class DialogGallery {
public:
    // One dialog as the user would see it when it opens, before its own code fills it.
    static QImage render(const DialogTemplate& from);
    // A dialog object as its own code fills it when it opens, for one state of a dialog.
    static QImage render(CDialog& dialog);
    // That picture into DIR/<id>-<name>.png; false when it cannot be written (error says why).
    static bool writeDialog(CDialog& dialog, const std::string& directory, const std::string& name,
                            std::string& error);
    // The frame sample: menu bar, toolbar, status bar and a tree view.
    static QImage renderFrameSample();
    // A shown window as a picture under a caption bar with its title.
    static QImage withCaption(QWidget& window);
    // Every template of the program into DIR/<id>-<name>.png, and the frame sample. Returns the
    // number written, or -1 when a file cannot be written (error then says which).
    static int writeAll(const std::string& directory, std::string& error);
};
