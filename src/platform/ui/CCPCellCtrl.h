#pragma once
// The in-cell editor of a grid column as its host sees it while the editor
// is being made: kind, id and style from the column's definition, the
// length limit of an edit box and the items of a drop-down list. The grid
// opens the matching Qt editor from it.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CCPCellCtrl {
public:
    // Editor kinds of a column.
    enum Kind { KIND_NONE = 0, KIND_EDIT = 1, KIND_DISPLAY = 2, KIND_DROPDOWN = 3 };

    CCPCellCtrl(int kind, DWORD style, UINT id);

    int GetKind() const { return m_kind; }
    DWORD GetStyle() const { return m_style; }
    UINT GetDlgCtrlID() const { return m_id; }
    bool IsEditable() const { return m_kind == KIND_EDIT || m_kind == KIND_DROPDOWN; }

    // Edit box: at most this many bytes (0 for no limit).
    void LimitText(int bytes) { m_limit = bytes; }
    int GetLimitText() const { return m_limit; }

    // Drop-down list: the items in order.
    int AddString(const std::string& item);
    void ResetContent() { m_items.clear(); }
    const std::vector<std::string>& GetItems() const { return m_items; }

private:
    int m_kind;
    DWORD m_style;
    UINT m_id;
    int m_limit = 0;
    std::vector<std::string> m_items;
};
