#pragma once
// What an object implements to see another window's messages, or the
// thread's keys while it tracks. The answer of OnHookMessage: 0 not handled
// (go on), 1 handled (stop; *result is the answer), 2 not handled and
// offered to no further hook. A hook may change *wParam and *lParam; the
// changed values reach the window.

#include "platform/ui/WinMessages.h"

class CWnd;

constexpr int kTKHookNotHandled = 0;
constexpr int kTKHookHandled = 1;
constexpr int kTKHookStop = 2;

class CTKHookSink {
public:
    virtual ~CTKHookSink() = default;
    virtual int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) = 0;
};
