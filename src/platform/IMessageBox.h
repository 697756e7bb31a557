#pragma once
// How Qt-free code asks the user something: a caption, a text (GBK bytes),
// the button and icon flags below, and the answer the user gave.

#include "WinTypes.h"

#include <string>

// Button sets.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_TYPEMASK = 0x000F;
// Icons.
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_ICONMASK = 0x00F0;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_DEFMASK = 0x0F00;
// Modality: the box stops the whole task, not only its owner.
constexpr UINT MB_TASKMODAL = 0x2000;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Shows the box modally and returns the answer (IDOK, IDYES, ...).
    virtual int Show(const std::string& caption, const std::string& text, UINT type) = 0;
};
