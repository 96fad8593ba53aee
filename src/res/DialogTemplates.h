#pragma once

#include "res/DialogTemplate.h"

// Every dialog template of the program; each lives in its own source file and is listed in
// Resources.cpp.
extern const DialogTemplate kAboutBoxTemplate;
extern const DialogTemplate kChanQuickViewTemplate;
extern const DialogTemplate kEditPopupTemplate;
extern const DialogTemplate kControlSampleTemplate;
extern const DialogTemplate kCfgAnaScanParmsTemplate;
extern const DialogTemplate kCfgAnaChanStatesTemplate;
extern const DialogTemplate kCfgAnaInOptsTemplate;
extern const DialogTemplate kCfgAnaOutOptsTemplate;
extern const DialogTemplate kCfgRtuParmsTemplate;
extern const DialogTemplate kCfgTcpParmsTemplate;
extern const DialogTemplate kCfgDigChanStatesTemplate;
extern const DialogTemplate kMakeConnectionTemplate;
extern const DialogTemplate kCfgScanModeTemplate;
extern const DialogTemplate kCfgDigOutOptsTemplate;
extern const DialogTemplate kCfgMultAnaInOptsTemplate;
extern const DialogTemplate kCfgMultAnaOutOptsTemplate;
extern const DialogTemplate kCfgMultDigOutOptsTemplate;
extern const DialogTemplate kFindUnitTemplate;
extern const DialogTemplate kTrafficLogTemplate;
