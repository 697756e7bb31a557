#pragma once
// The one modeless Find/Replace dialog of the main window as the editors
// meet it: their Find and Replace commands set it up, and their finders
// read its options and texts.

#include "platform/WinTypes.h"

#include <string>

// The Output pane's list that the searches write to.
constexpr unsigned FIND_OUTPUT_LIST = 2;

// Where a search looks.
constexpr int FIND_SCOPE_CURRENT_FILE = 0;
constexpr int FIND_SCOPE_OPEN_FILES = 1;
constexpr int FIND_SCOPE_PROJECT = 2;

// Search directions within the current file.
constexpr int FIND_DIRECTION_DOWN = 0;
constexpr int FIND_DIRECTION_UP = 1;

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

    // The texts, trimmed on both sides.
    virtual std::string GetFindText() const = 0;
    virtual std::string GetReplaceText() const = 0;
    virtual BOOL GetWholeWord() const = 0;
    virtual BOOL GetMatchCase() const = 0;
    // FIND_DIRECTION_DOWN or FIND_DIRECTION_UP.
    virtual int GetDirection() const = 0;
    // One of FIND_SCOPE_*.
    virtual int GetScope() const = 0;
    // The LD element kinds an LD search passes over, as mask bits.
    virtual int GetLDIgnoreMask() const = 0;
};
