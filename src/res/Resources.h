#pragma once

#include "res/DialogTemplate.h"

#include <span>

// Lookup of the program's resources by identifier.

// The dialog template with this id, or nullptr.
const DialogTemplate* findDialogTemplate(int id);
// Every dialog template, in id order.
std::span<const DialogTemplate* const> allDialogTemplates();

// The string with this id, or an empty string when the table has none.
const char* loadString(int id);

// An icon as XPM text lines (Qt reads the form directly), or nullptr.
const char* const* findIconXpm(int id);
