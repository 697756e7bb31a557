#pragma once
// The single-line edit control: a window of the layer whose text editing
// is done by a Qt line edit inside its client area. Keys reach the window as
// WM_KEYDOWN / WM_CHAR; what the handlers pass on to the default processing
// edits the text (a character is inserted, Backspace deletes, the cursor
// keys move), so a derived class filters typed characters in OnChar.
// The window holds the focus; the inner line edit only shows it.

#include "platform/ui/CWnd.h"

class CFont;
class QKeyEvent;
class QLineEdit;

// Edit styles.
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;

// Edit messages.
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_SETMARGINS = 0x00D3;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;

// Margins of EM_SETMARGINS (lParam: left in the low word, right in the high word).
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;

// Clipboard messages: the selection goes to, or the clipboard's text replaces it.
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;

class CEdit : public CWnd {
    Q_OBJECT
public:
    explicit CEdit(QWidget* parent = nullptr);

    // The edit inside a Qt dialog (no window of the layer as parent).
    BOOL CreateInDialog(DWORD style, UINT id);
    void SetSel(int start, int end);
    void LimitText(int maxChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
    int GetLimitText() { return static_cast<int>(SendMessage(EM_GETLIMITTEXT)); }
    // The selection as the user sees it (characters, not bytes).
    int GetSelStart() const;
    int GetSelLength() const;
    int GetCursorPosition() const;
    // The selection as EM_GETSEL gives it: start and end (end == start when none).
    void GetSel(int& start, int& end);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The text has changed (by typing or by WM_SETTEXT).
    void Changed();

protected:
    bool event(QEvent* event) override;
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    UINT OnGetDlgCode() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Sends the key messages of the event to this window at once, before
    // any pre-translation (accelerators, dialog keys).
    void DispatchKeyDirectly(QKeyEvent* key);

private:
    LRESULT CopyText(char* buffer, size_t size) const;
    void ApplyKeyDown();
    void InsertByte(BYTE byte);
    void ShowFocus(BOOL focused);

    void SetFont(const CFont* font);
    void CopySelection() const;
    void ReplaceSelection(const std::string& text);

    QLineEdit* m_line = nullptr;       // child, owned by Qt
    const CFont* m_font = nullptr;     // set by WM_SETFONT, not owned
    QKeyEvent* m_keyEvent = nullptr;   // the key being dispatched
    BYTE m_leadByte = 0;               // first byte of a double-byte character
};
