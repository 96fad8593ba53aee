#pragma once

#include "ui/CControl.h"

// A single- or multi-line edit box; its text is the window text.
class CEdit : public CControl {};
