#pragma once
// One tab of a tab set: caption, tooltip, icon, colour and the window or
// pane it stands for. Reference counted; the tab set holds one reference.

#include "platform/CIconImage.h"
#include "platform/ui/CCmdTarget.h"

#include <string>

class CTKTabSet;
class CWnd;

class CTKTabItem : public CCmdTarget {
public:
    CTKTabItem() = default;

    void SetCaption(const std::string& caption);
    std::string GetCaption() const;
    void SetColor(COLORREF color);
    COLORREF GetColor() const;
    // Removes the tab from its tab set.
    void Remove();
    CWnd* GetHandle() const { return m_window; }
    void SetHandle(CWnd* window) { m_window = window; }

    const std::string& GetRawCaption() const { return m_caption; }
    COLORREF GetRawColor() const { return m_color; }
    void SetRawColor(COLORREF color) { m_color = color; }
    const std::string& GetTooltip() const { return m_tooltip; }
    void SetTooltip(const std::string& tooltip) { m_tooltip = tooltip; }
    // The icon is the owner's; the tab only points at it.
    const CIconImage* GetIcon() const { return m_icon; }
    void SetIcon(const CIconImage* icon) { m_icon = icon; }
    DWORD GetData() const { return m_data; }
    void SetData(DWORD data) { m_data = data; }
    BOOL IsEnabled() const { return m_enabled; }
    void SetEnabled(BOOL enabled) { m_enabled = enabled; }
    BOOL IsVisible() const { return m_visible; }
    void SetVisible(BOOL visible) { m_visible = visible; }
    BOOL IsSeen() const { return m_seen; }
    void SetSeen(BOOL seen) { m_seen = seen; }

    // Written by the renderer's layout, in the owner window's coordinates.
    CRect GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    int GetLength() const { return m_length; }
    void SetLength(int length) { m_length = length; }
    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    CTKTabSet* GetTabSet() const { return m_owner; }
    void SetTabSet(CTKTabSet* owner) { m_owner = owner; }

private:
    CWnd* m_window = nullptr;
    std::string m_caption;
    std::string m_tooltip;
    const CIconImage* m_icon = nullptr;
    CRect m_rect;
    int m_length = 0;
    int m_index = -1;
    DWORD m_data = 0;
    COLORREF m_color = 0;
    BOOL m_seen = FALSE;
    BOOL m_enabled = TRUE;
    BOOL m_visible = TRUE;
    CTKTabSet* m_owner = nullptr;
};
