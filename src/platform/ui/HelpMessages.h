#pragma once
// Messages of status prompts and context help: the idle prompt is put back
// with WM_POPMESSAGESTRING; WM_HELPHITTEST asks a window for the help id
// under a point (commands from HID_BASE_COMMAND, controls from
// HID_BASE_CONTROL, 0 for none).

#include "platform/ui/WinMessages.h"

constexpr UINT WM_POPMESSAGESTRING = 0x0375;
constexpr UINT WM_HELPHITTEST = 0x0366;
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;
constexpr DWORD HID_BASE_COMMAND = 0x00010000;
constexpr DWORD HID_BASE_CONTROL = 0x00050000;
constexpr LRESULT HTMENU = 5;

