#pragma once
// The one text caret of the user-interface thread: its owner window, size,
// position and hide count. A new caret starts hidden; every Hide needs a
// Show before it appears again. The window layer installs a view that
// draws it; Qt-free editors drive it through this class.

#include "ICaretView.h"
#include "WinTypes.h"

class CCaret {
public:
    static CCaret& Instance();

    // Replaces any caret (of any owner) by a hidden one of the size.
    BOOL Create(const void* owner, int width, int height);
    BOOL Destroy();
    // FALSE without a caret.
    BOOL SetPos(int x, int y);
    // FALSE without a caret or when owner (unless null) does not own it.
    BOOL Show(const void* owner);
    BOOL Hide(const void* owner);

    BOOL Exists() const { return m_owner != nullptr; }
    const void* GetOwner() const { return m_owner; }
    CPoint GetPos() const { return m_pos; }
    CSize GetSize() const { return m_size; }
    BOOL IsVisible() const { return m_owner != nullptr && m_hideCount == 0; }

    void SetView(ICaretView* view) { m_view = view; }
    ICaretView* GetView() const { return m_view; }

private:
    CCaret() = default;
    BOOL Owns(const void* owner) const;
    void Notify();

    const void* m_owner = nullptr;
    CSize m_size;
    CPoint m_pos;
    int m_hideCount = 0;
    ICaretView* m_view = nullptr;
};
