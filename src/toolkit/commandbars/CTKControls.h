#pragma once
// The ordered controls of one command bar. Keeps each control's index,
// collection and parent bar in step with the order, makes controls by type
// and from menu items, decides where keyboard navigation goes next and
// keeps a reference copy of the controls as first built, against which
// customisation is measured.

#include "platform/ui/CCmdTarget.h"
#include "platform/ui/CWnd.h"

#include <string>
#include <vector>

class CMenu;
class CTKCommandBar;
class CTKCommandBars;
class CTKControl;
class CTKPopupBar;

// Sent to the site for every menu item turned into a control; lParam is a
// TKMENUITEMRECORD the site may change. Non-zero: the record's values count.
constexpr UINT WM_TK_MENUITEM_CONTROL = 0x052F;

// Sent to the site for the popup bar of a new popup control; lParam is a
// TKPOPUPBARRECORD. Non-zero with a CTKPopupBar in the record: that bar is
// used, and the site hands its reference over with it.
constexpr UINT WM_TK_POPUP_BAR = 0x0530;

// Ids of menu items with a meaning of their own.
constexpr UINT kTKMdiFirstChildId = 0xFF00;

// Layout modes of CalcLayout.
constexpr DWORD kTKLayoutStretch = 0x01;
constexpr DWORD kTKLayoutHorz = 0x02;
constexpr DWORD kTKLayoutMRUWidth = 0x04;
constexpr DWORD kTKLayoutHorzDock = 0x08;
constexpr DWORD kTKLayoutVertDock = 0x10;
constexpr DWORD kTKLayoutLengthY = 0x20;
constexpr DWORD kTKLayoutCommit = 0x40;
constexpr DWORD kTKLayoutSingleRow = 0x80;
constexpr DWORD kTKLayoutRememberedWidth = 0x100;

// One control's working place during a layout.
struct TKLAYOUTRECORD {
    CRect rect;
    CRect rowBand;
    CSize size;
    BOOL visible = FALSE;
    BOOL wrap = FALSE;
    BOOL notFit = FALSE;
    BOOL beginGroup = FALSE;
};

struct TKMENUITEMRECORD {
    UINT nId = 0;
    CTKControl* pControl = nullptr;
    int nSourceKind = 0;
    int nPosition = 0;
    const CMenu* pMenu = nullptr;
    CTKCommandBar* pBar = nullptr;
    std::string strCaption;
    int nType = 0;
};

struct TKPOPUPBARRECORD {
    CTKCommandBar* pBar = nullptr;
    int nPopup = 1;
    // Filled only by the toolbar form of the message.
    DWORD dwToolBarFields[3] = {};
    // The caption offered; the site may point it at a text of its own.
    const char* pszCaption = nullptr;
    UINT nId = 0;
};

class CTKControls : public CCmdTarget {
    DECLARE_SERIAL(CTKControls)
public:
    CTKControls();
    ~CTKControls() override;

    void SetParent(CTKCommandBar* parent);
    CTKCommandBar* GetParent() const { return m_pParent; }
    void SetCommandBars(CTKCommandBars* commandBars) { m_pCommandBars = commandBars; }
    CTKCommandBars* GetCommandBars() const;
    // Rewrites index, collection and parent of every control.
    void RefreshIndexes();

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    // nullptr outside 0..count-1.
    CTKControl* GetAt(int index) const;
    CTKControl* GetFirst() const { return GetAt(0); }
    void GetNext(CTKControl*& control) const;

    CTKControl* FindControl(UINT id) const;
    // id -1 (as UINT) matches any id; type 0 any type.
    CTKControl* FindControl(int type, UINT id, BOOL visibleOnly, BOOL recursive) const;
    // The first visible control whose rectangle holds the point.
    CTKControl* HitTest(CPoint point) const;
    // Without strict, a control hidden only because it did not fit counts.
    int GetVisibleCount(BOOL strict) const;

    // A control of type 1 to 7, or nullptr for any other type.
    CTKControl* AddNewControl(int type, UINT id, const std::string& parameter = {}, int before = -1,
                              BOOL temporary = FALSE);
    // Takes over the caller's reference; before out of range appends.
    CTKControl* InsertControl(CTKControl* control, UINT id, const std::string& parameter = {}, int before = -1,
                              BOOL temporary = FALSE);
    CTKControl* AddClone(const CTKControl* source, int before, BOOL recursive);
    // The control of one menu item, or nullptr for the window list's first child.
    CTKControl* AddMenuItem(const CMenu* menu, int position);

    void Remove(CTKControl* control);
    void Remove(int index);
    void RemoveAll();

    // Places the controls in rows for the length and mode and answers the
    // size the bar needs (also written to out when given). Only under
    // kTKLayoutCommit do the controls take their places and wrap flags.
    CSize CalcLayout(CSize* out, CDC* dc, int length, DWORD mode, const CRect& borders, int minimumExtent);

    // The steps of CalcLayout, on the records of the visible controls.
    static int WrapRecords(std::vector<TKLAYOUTRECORD>& records, int width, DWORD* mode);
    static CSize PlaceRecords(std::vector<TKLAYOUTRECORD>& records, BOOL vertical);
    static void FindFloatingWrap(std::vector<TKLAYOUTRECORD>& records, int length, DWORD mode);
    static void CentreRow(std::vector<TKLAYOUTRECORD>& records, int first, int end, int thickness, BOOL vertical,
                          CSize content, int leftBorder, int topBorder);
    static void OffsetRows(std::vector<TKLAYOUTRECORD>& records, CSize* size, DWORD mode, const CRect& borders);
    void AlignRightRecords(std::vector<TKLAYOUTRECORD>& records, CSize size, const CRect& borders, DWORD mode) const;

    // The next control the keyboard or a search reaches from index by step
    // (+1 or -1), wrapping; -1 when none qualifies.
    int GetNextIndex(int index, int step, BOOL keyboard, BOOL skipTemporary) const;

    // Clones of the non-temporary controls, with no parent.
    CTKControls* Duplicate(BOOL recursive) const;
    BOOL IsEqual(const CTKControls* other) const;
    CTKControls* CreateReferenceCopy();
    void ReleaseReferenceCopy();
    CTKControls* GetReferenceCopy() const { return m_pReferenceCopy; }
    // Takes over the caller's reference; releases the previous copy.
    void SetReferenceCopy(CTKControls* reference);

    // The stored form: the controls that are not temporary, then the
    // reference copy in the same form. Loading appends to an empty
    // collection and leaves it empty when the archive fails.
    using CCmdTarget::Serialize;
    void Serialize(CArchive& ar, int schema);
    BOOL IsChanged() const;

private:
    // Loading at a nesting depth: reference copies inside reference copies
    // go only so deep before the archive counts as damaged.
    void Load(CArchive& ar, int schema, int depth);
    CWnd* FindSite() const;
    void InsertAt(CTKControl* control, int before);
    // A new control of a creation type, nullptr for one made elsewhere.
    static CTKControl* NewControlOfType(int type);
    static CTKControl* CreateButtonFor(UINT id, const std::string& text);
    // A popup item whose child bar holds the submenu's items.
    CTKControl* CreatePopupFor(const CMenu* menu, int position, UINT id, const std::string& text) const;
    // A popup control of type 2 to 4 for AddNewControl, its child bar
    // filled from the first submenu of menu resource id.
    CTKControl* CreatePopupOfResource(int type, UINT id) const;
    // The site's popup bar for a popup control (message 0x530), else a new
    // empty one; caption may be replaced by the site's text.
    CTKPopupBar* PopupBarFromSite(UINT id, std::string* caption) const;

    CTKCommandBar* m_pParent = nullptr;
    std::vector<CTKControl*> m_controls;
    CTKCommandBars* m_pCommandBars = nullptr;
    CTKControls* m_pReferenceCopy = nullptr;
};
