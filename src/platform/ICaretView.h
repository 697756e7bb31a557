#pragma once
// What draws the text caret: the window layer installs one into CCaret.

#include "WinTypes.h"

class ICaretView {
public:
    virtual ~ICaretView() = default;
    // The caret of owner now covers rect (client units) and is shown or not;
    // a null owner means there is no caret any more.
    virtual void CaretChanged(const void* owner, const CRect& rect, BOOL visible) = 0;
};
