#pragma once
// Cursor numbers: the standard shapes and the program's own cursors
// (splitters, drag and drop), which the window layer maps to its shapes.

#include "WinTypes.h"

constexpr UINT IDC_ARROW = 32512;
constexpr UINT IDC_IBEAM = 32513;
constexpr UINT IDC_WAIT = 32514;
constexpr UINT IDC_CROSS = 32515;
constexpr UINT IDC_UPARROW = 32516;
constexpr UINT IDC_SIZENWSE = 32642;
constexpr UINT IDC_SIZENESW = 32643;
constexpr UINT IDC_SIZEWE = 32644;
constexpr UINT IDC_SIZENS = 32645;
constexpr UINT IDC_SIZEALL = 32646;
constexpr UINT IDC_NO = 32648;
constexpr UINT IDC_HAND = 32649;
constexpr UINT IDC_APPSTARTING = 32650;
constexpr UINT IDC_HELP = 32651;

// The IL editor's line-number gutter.
constexpr UINT IDC_IL_GUTTER = 144;
