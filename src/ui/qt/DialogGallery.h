#pragma once

#include <string>

struct DialogTemplate;
class QImage;

// Renders dialog templates through the Qt backend into pictures for review: the window's
// caption bar above the client area, the controls showing their template texts.
class DialogGallery {
public:
    // One dialog as the user would see it when it opens, before its own code fills it.
    static QImage render(const DialogTemplate& from);
    // Every template of the program into DIR/<id>-<name>.png. Returns the number written, or
    // -1 when a file cannot be written (error then says which).
    static int writeAll(const std::string& directory, std::string& error);
};
