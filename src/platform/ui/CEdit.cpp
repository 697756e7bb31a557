#include "CEdit.h"

#include "QtText.h"
#include "platform/CClipboard.h"
#include "platform/CFont.h"
#include "platform/ui/CQtFontCache.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstring>

namespace {

// The inner line edit, driven by the edit window: its key and focus handlers
// are called directly, so no event filter sees the keys a second time.
class CLineEditor : public QLineEdit {
public:
    explicit CLineEditor(QWidget* parent) : QLineEdit(parent) {}
    using QLineEdit::focusInEvent;
    using QLineEdit::focusOutEvent;
    using QLineEdit::keyPressEvent;
};

// The limit of an edit that was given none.
constexpr int kDefaultTextLimit = 32767;

} // namespace

CEdit::CEdit(QWidget* parent) : CWnd(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    EnableInputMethod(TRUE);
    m_line = new CLineEditor(this);
    m_line->setFrame(false);
    m_line->setFocusPolicy(Qt::NoFocus);
    m_line->installEventFilter(this);
    connect(m_line, &QLineEdit::textChanged, this, &CEdit::Changed);
}

BOOL CEdit::CreateInDialog(DWORD style, UINT id)
{
    return Create(nullptr, CRect(), id, style | WS_CHILD | WS_VISIBLE);
}

int CEdit::OnCreate()
{
    m_line->setEchoMode((GetStyle() & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
    return CWnd::OnCreate();
}

void CEdit::SetSel(int start, int end)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

int CEdit::GetSelStart() const
{
    return m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
}

int CEdit::GetSelLength() const
{
    return m_line->selectedText().size();
}

int CEdit::GetCursorPosition() const
{
    return m_line->cursorPosition();
}

void CEdit::GetSel(int& start, int& end)
{
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::SetFont(const CFont* font)
{
    m_font = font;
    if (!font)
        return;
    m_line->setFont(CQtFontCache::MakeFont(font->GetRecord(), CDCMapping()));
}

void CEdit::CopySelection() const
{
    if (!m_line->hasSelectedText() || m_line->echoMode() == QLineEdit::Password)
        return;
    CClipboard::Get().SetText(FromQString(m_line->selectedText()));
}

void CEdit::ReplaceSelection(const std::string& text)
{
    m_line->insert(ToQString(text));
}

QSize CEdit::sizeHint() const
{
    CPoint inset = GetClientOrigin();
    return m_line->sizeHint() + QSize(2 * inset.x, 2 * inset.y);
}

QSize CEdit::minimumSizeHint() const
{
    CPoint inset = GetClientOrigin();
    return m_line->minimumSizeHint() + QSize(2 * inset.x, 2 * inset.y);
}

bool CEdit::event(QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return CWnd::event(event);
    // A disabled edit takes no keys.
    if (!isEnabled()) {
        event->ignore();
        return false;
    }
    QKeyEvent* outer = m_keyEvent;
    m_keyEvent = static_cast<QKeyEvent*>(event);
    QPointer<CEdit> self(this);
    bool handled = CWnd::event(event);
    if (self)
        m_keyEvent = outer;
    return handled;
}

void CEdit::DispatchKeyDirectly(QKeyEvent* key)
{
    if (!isEnabled()) {
        key->ignore();
        return;
    }
    QKeyEvent* outer = m_keyEvent;
    m_keyEvent = key;
    QPointer<CEdit> self(this);
    for (const MSG& msg : MessagesFromEvent(this, key)) {
        if (!self)
            return;
        SendMessage(msg.message, msg.wParam, msg.lParam);
    }
    if (self)
        m_keyEvent = outer;
    key->accept();
}

void CEdit::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    CPoint origin = GetClientOrigin();
    m_line->setGeometry(origin.x, origin.y, cx, cy);
}

UINT CEdit::OnGetDlgCode()
{
    return DLGC_WANTCHARS | DLGC_WANTARROWS;
}

bool CEdit::eventFilter(QObject* watched, QEvent* event)
{
    // A click into the text gives the window the focus; the line edit places the cursor.
    if (watched == m_line && event->type() == QEvent::MouseButtonPress && !hasFocus())
        SetFocus();
    return CWnd::eventFilter(watched, event);
}

void CEdit::ShowFocus(BOOL focused)
{
    QFocusEvent focus(focused ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
    auto* line = static_cast<CLineEditor*>(m_line);
    if (focused)
        line->focusInEvent(&focus);
    else
        line->focusOutEvent(&focus);
}

void CEdit::ApplyKeyDown()
{
    if (!m_keyEvent || m_keyEvent->type() != QEvent::KeyPress)
        return;
    // Characters come with WM_CHAR; the key itself only moves, deletes or runs an edit shortcut.
    switch (m_keyEvent->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return;
    default:
        break;
    }
    QKeyEvent bare(QEvent::KeyPress, m_keyEvent->key(), m_keyEvent->modifiers(), QString());
    static_cast<CLineEditor*>(m_line)->keyPressEvent(&bare);
}

void CEdit::InsertByte(BYTE byte)
{
    if (m_leadByte != 0) {
        std::string character{static_cast<char>(m_leadByte), static_cast<char>(byte)};
        m_leadByte = 0;
        if (IsGbkTrailByte(byte))
            m_line->insert(ToQString(character));
        return;
    }
    if (IsGbkLeadByte(byte)) {
        m_leadByte = byte;
        return;
    }
    if (byte == VK_BACK) {
        m_line->backspace();
        return;
    }
    if (byte >= VK_SPACE && byte < 0x7F)
        m_line->insert(QString(QChar(byte)));
}

LRESULT CEdit::CopyText(char* buffer, size_t size) const
{
    const std::string text = FromQString(m_line->text());
    size_t n = GbkSafeLength(text, size);
    std::memcpy(buffer, text.data(), n);
    return static_cast<LRESULT>(n);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        m_line->setText(lParam ? ToQString(reinterpret_cast<const char*>(lParam)) : QString());
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(FromQString(m_line->text()).size());
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        auto* buffer = reinterpret_cast<char*>(lParam);
        LRESULT n = CopyText(buffer, wParam - 1);
        buffer[n] = '\0';
        return n;
    }
    case EM_GETLINE: {
        // The buffer's first word holds its size; the line is copied without a terminator.
        if (lParam == 0)
            return 0;
        auto* buffer = reinterpret_cast<char*>(lParam);
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof(size));
        return CopyText(buffer, size);
    }
    case EM_GETSEL: {
        const int start = GetSelStart();
        const int end = start + GetSelLength();
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        return MAKELONG(start, end);
    }
    case EM_SETMARGINS: {
        const QMargins old = m_line->textMargins();
        const int left = (wParam & EC_LEFTMARGIN) ? LOWORD(lParam) : old.left();
        const int right = (wParam & EC_RIGHTMARGIN) ? HIWORD(lParam) : old.right();
        m_line->setTextMargins(left, old.top(), right, old.bottom());
        return 0;
    }
    case WM_SETFONT:
        SetFont(reinterpret_cast<const CFont*>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_COPY:
        CopySelection();
        return 0;
    case WM_CUT:
        if (m_line->isReadOnly())
            return 0;
        CopySelection();
        m_line->del();
        return 0;
    case WM_PASTE: {
        std::string text;
        if (m_line->isReadOnly() || !CClipboard::Get().GetText(&text))
            return 0;
        ReplaceSelection(text.substr(0, text.find_first_of("\r\n")));
        return 0;
    }
    case EM_SETSEL: {
        int start = static_cast<int>(static_cast<std::intptr_t>(wParam));
        int end = static_cast<int>(lParam);
        int length = static_cast<int>(m_line->text().size());
        if (start < 0) {
            m_line->deselect();
            return 0;
        }
        if (end < 0 || end > length)
            end = length;
        start = std::min(start, length);
        m_line->setSelection(start, end - start);
        return 0;
    }
    case EM_LIMITTEXT:
        m_line->setMaxLength(wParam == 0 ? kDefaultTextLimit : static_cast<int>(wParam));
        return 0;
    case EM_GETLIMITTEXT:
        return m_line->maxLength();
    case EM_SETPASSWORDCHAR:
        m_line->setEchoMode(wParam != 0 ? QLineEdit::Password : QLineEdit::Normal);
        return 0;
    case EM_GETPASSWORDCHAR:
        return m_line->echoMode() == QLineEdit::Password ? '*' : 0;
    case WM_KEYDOWN:
        ApplyKeyDown();
        return 0;
    case WM_CHAR:
        InsertByte(static_cast<BYTE>(wParam));
        return 0;
    case WM_SETFOCUS:
        ShowFocus(TRUE);
        return 0;
    case WM_KILLFOCUS:
        m_leadByte = 0;
        ShowFocus(FALSE);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
