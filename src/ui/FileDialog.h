#pragma once

#include "ui/UiBackend.h"

#include <string>

class CWnd;

// A modal file dialog through the current backend. Returns IDOK with the chosen path (the
// default extension added when the user typed a name without one), or IDCANCEL.
int ShowFileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path);
