#pragma once

#include <string>

struct DialogTemplate;
class QImage;
class QWidget;

// Renders dialog templates through the Qt backend into pictures for review: the window's
// caption bar above the client area, the controls showing their template texts.
class DialogGallery {
public:
    // One dialog as the user would see it when it opens, before its own code fills it.
    static QImage render(const DialogTemplate& from);
    // The frame sample: menu bar, toolbar, status bar and a tree view.
    static QImage renderFrameSample();
    // A shown window as a picture under a caption bar with its title.
    static QImage withCaption(QWidget& window);
    // Every template of the program into DIR/<id>-<name>.png, and the frame sample. Returns the number written, or
    // -1 when a file cannot be written (error then says which).
    static int writeAll(const std::string& directory, std::string& error);
};
