#pragma once
// The one modeless Find/Replace dialog of the main window as the editors'
// Find and Replace commands set it up.

#include "platform/WinTypes.h"

#include <string>

class IFindReplaceDialog {
public:
    virtual ~IFindReplaceDialog() = default;
    // Find only (TRUE) or Find and Replace.
    virtual void SetFindOnly(BOOL findOnly) = 0;
    virtual void SetFindText(const std::string& text) = 0;
    // Adds a text to the history of the find-what box.
    virtual void AddFindHistory(const std::string& text) = 0;
    // "Find next" and "Mark all".
    virtual void EnableFindButtons(BOOL enable) = 0;
    // "Replace" and "Replace all".
    virtual void EnableReplaceButtons(BOOL replace, BOOL replaceAll) = 0;
    // Whether the scope "All open files" or "Whole project" is checked.
    virtual BOOL IsScopeBeyondWindow() const = 0;
    virtual void Show(BOOL centre) = 0;
};
