#pragma once
// The status bar's message text as Qt-free code sees it.

#include <string>

class IStatusLine {
public:
    virtual ~IStatusLine() = default;
    virtual void SetStatusText(const std::string& text) = 0;
};
