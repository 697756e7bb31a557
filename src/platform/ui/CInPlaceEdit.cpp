#include "CInPlaceEdit.h"

#include "CListCtrl.h"
#include "QtText.h"

#include <QFontMetrics>
#include <QKeyEvent>

#include <cctype>

namespace {

// Room the edit keeps beside its text.
constexpr int kTextMargin = 5;
// LVIF_TEXT | LVIF_PARAM: the text and the ending key are filled in.
constexpr UINT kEndEditFields = LVIF_TEXT | LVIF_PARAM;

BOOL IsCellCharacter(UINT ch)
{
    if (ch > 0x7F)
        return FALSE;
    return ch == ' ' || ch == '#' || ch == '%' || ch == '.' || ch == '_' || std::isalnum(static_cast<int>(ch));
}

} // namespace

CInPlaceEdit::CInPlaceEdit(CWnd* parent, const CRect& rect, DWORD style, UINT id, int row, int column,
                           const std::string& initialText, UINT firstChar)
    : m_row(row), m_column(column), m_initialText(initialText)
{
    Create(parent, rect, id, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | style);
    if (parent)
        setFont(parent->font());
    SetWindowText(initialText);
    SetFocus();
    SetSel(0, -1);
    if (firstChar != VK_SPACE)
        SendMessage(WM_CHAR, firstChar, 1);
}

bool CInPlaceEdit::event(QEvent* event)
{
    // Keys go straight to the edit: no accelerator and no dialog sees them.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        DispatchKeyDirectly(static_cast<QKeyEvent*>(event));
        return true;
    }
    return CEdit::event(event);
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::OnSysChar(UINT, UINT, UINT)
{
}

void CInPlaceEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    switch (ch) {
    case VK_BACK:
        CEdit::OnChar(ch, repeat, flags);
        return;
    case VK_TAB:
    case VK_RETURN:
        EndWithKey(ch);
        return;
    case VK_ESCAPE:
        SetWindowText(m_initialText);
        EndWithKey(ch);
        return;
    default:
        break;
    }
    if (!IsCellCharacter(ch))
        return;
    GrowForText();
    CEdit::OnChar(ch, repeat, flags);
}

void CInPlaceEdit::GrowForText()
{
    int textWidth = QFontMetrics(font()).horizontalAdvance(ToQString(GetWindowText()));
    CRect window;
    GetWindowRect(&window);
    if (window.Width() >= textWidth + kTextMargin)
        return;
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CRect client;
    parent->GetClientRect(&client);
    parent->ScreenToClient(&window);
    int width = std::min(textWidth + kTextMargin, static_cast<int>(client.right - window.left));
    if (width <= window.Width())
        return;
    SetWindowPos(nullptr, 0, 0, width, window.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

void CInPlaceEdit::EndWithKey(UINT key)
{
    m_endKey = key;
    if (CWnd* parent = GetParent())
        parent->SetFocus();
}

void CInPlaceEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (m_ended)
        return;
    m_ended = TRUE;
    const std::string text = GetWindowText();
    NMLVDISPINFO info;
    info.hdr.hwndFrom = this;
    info.hdr.idFrom = GetDlgCtrlID();
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = kEndEditFields;
    info.item.iItem = m_row;
    info.item.iSubItem = m_column;
    info.item.pszText = text.c_str();
    info.item.cchTextMax = static_cast<int>(text.size());
    info.item.lParam = static_cast<LPARAM>(m_endKey);
    QPointer<CInPlaceEdit> self(this);
    CWnd* target = GetOwner() ? GetOwner() : GetParent();
    if (target)
        target->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    if (self)
        PostMessage(WM_CLOSE);
}

void CInPlaceEdit::PostNcDestroy()
{
    deleteLater();
}
