#pragma once
// The list box: a column of text items, one of them current. A Qt list
// inside the client area shows the items; the list box answers the LB_
// messages (strings, current item, item height, the item at a point) and
// moves its current item with the arrow, paging, Home and End keys
// (WM_KEYDOWN).

#include "platform/ui/CWnd.h"

#include <string>

class QListWidget;

// List-box messages and their error answer.
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_ITEMFROMPOINT = 0x01A9;
constexpr LRESULT LB_ERR = -1;

class CListBox : public CWnd {
public:
    explicit CListBox(QWidget* parent = nullptr);

    int AddString(const std::string& text);
    int GetCount() { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    // The item's text; "" (and LB_ERR from the message) for an index out of range.
    std::string GetText(int index);
    int GetItemHeight() { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT)); }
    // The item under the client point; outside is TRUE when the point is
    // below the last item or outside the client area.
    UINT ItemFromPoint(CPoint point, BOOL& outside);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    LRESULT InsertString(int index, const char* text);
    LRESULT CopyText(int index, char* buffer) const;
    LRESULT ItemAt(CPoint point) const;
    BOOL IsIndex(int index) const;
    LRESULT MoveByKey(UINT key);
    int RowsPerPage() const;

    QListWidget* m_list = nullptr;   // child, owned by Qt
};
