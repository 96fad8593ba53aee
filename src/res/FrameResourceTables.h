#pragma once

#include "res/FrameResources.h"

// Every menu, accelerator table and toolbar of the program; each frame's live in their own
// source file and are listed in FrameResources.cpp.
extern const MenuTemplate kMainFrameMenu;
extern const AcceleratorTable kMainFrameAccelerators;
extern const ToolbarTemplate kMainFrameToolbar;
extern const MenuTemplate kFrameSampleMenu;
extern const AcceleratorTable kFrameSampleAccelerators;
extern const ToolbarTemplate kFrameSampleToolbar;
