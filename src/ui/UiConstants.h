#pragma once

#include "res/StandardControlIds.h"

#include <cstdint>

// Identifiers shared by the windows, their controls and the backends: dialog results,
// message box styles and answers, notification codes and window messages.

// Message box buttons (low nibble), icon (next nibble) and modality.
constexpr unsigned MB_OK = 0x0000;
constexpr unsigned MB_OKCANCEL = 0x0001;
constexpr unsigned MB_YESNOCANCEL = 0x0003;
constexpr unsigned MB_YESNO = 0x0004;
constexpr unsigned MB_TYPEMASK = 0x000F;
constexpr unsigned MB_ICONERROR = 0x0010;
constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
constexpr unsigned MB_ICONWARNING = 0x0030;
constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr unsigned MB_ICONMASK = 0x00F0;
constexpr unsigned MB_TASKMODAL = 0x2000;

// Notifications a control sends to its window.
constexpr int BN_CLICKED = 0;
constexpr int CBN_SELCHANGE = 1;
constexpr int LBN_SELCHANGE = 1;
constexpr int EN_CHANGE = 0x0300;
constexpr int EN_UPDATE = 0x0400;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RETURN = -4;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// Window messages.
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_USER = 0x0400;

// Error result of list and combo box operations.
constexpr int CB_ERR = -1;
constexpr int LB_ERR = -1;

// Tree expansion requests.
constexpr int TVE_COLLAPSE = 1;
constexpr int TVE_EXPAND = 2;
constexpr int TVE_TOGGLE = 3;
