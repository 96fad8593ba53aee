#pragma once

#include <string>

class CWnd;

// A modal message box through the current backend; owner may be null. Returns the answer
// (IDOK, IDCANCEL, IDYES, IDNO).
int ShowMessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                   unsigned style);

// The application's message box: the application title as caption, no owner, and the warning
// icon added to a plain OK box that names no icon.
int AfxMessageBox(const std::string& text, unsigned style = 0);
