#pragma once

// Ids of the standard buttons that templates place and that dialogs and message boxes end
// with: a template's "OK" button is the one Enter presses when no other is the default, and its
// "Cancel" button the one Esc and the close box press.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
