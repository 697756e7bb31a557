#pragma once
// The edit that a list opens over one cell to edit it in place. Only
// blanks, "#", "%", ".", digits, letters and "_" are typed into it; it
// widens as the text grows, up to the right edge of its parent. Tab and
// Enter end the edit, Escape ends it with the cell's old text; losing the
// focus sends the owner (else the parent) LVN_ENDLABELEDIT with the row,
// the column, the text and the ending key, and closes the edit, which then
// deletes itself.

#include "platform/ui/CEdit.h"

#include <string>

class CInPlaceEdit : public CEdit {
    Q_OBJECT
public:
    // Creates the edit at once over rect (the parent's client coordinates)
    // and gives it the focus with its text selected; a first character
    // other than a blank is typed into it, replacing that text.
    CInPlaceEdit(CWnd* parent, const CRect& rect, DWORD style, UINT id, int row, int column,
                 const std::string& initialText, UINT firstChar);

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_column; }
    // 0 until a key ended the edit: VK_TAB, VK_RETURN or VK_ESCAPE.
    UINT GetEndKey() const { return m_endKey; }

protected:
    bool event(QEvent* event) override;
    UINT OnGetDlgCode() override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnSysChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;
    void PostNcDestroy() override;

private:
    void GrowForText();
    void EndWithKey(UINT key);

    int m_row = 0;
    int m_column = 0;
    std::string m_initialText;
    UINT m_endKey = 0;
    BOOL m_ended = FALSE;
};
