#pragma once

#include "res/DialogTemplate.h"

// Every dialog template of the program; each lives in its own source file and is listed in
// Resources.cpp.
extern const DialogTemplate kAboutBoxTemplate;
extern const DialogTemplate kChanQuickViewTemplate;
extern const DialogTemplate kEditPopupTemplate;
extern const DialogTemplate kControlSampleTemplate;
