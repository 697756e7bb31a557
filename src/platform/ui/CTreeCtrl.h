#pragma once
// The tree-view control, once for every tree of the program: items with a
// text, an image and a value, expand state, selection, hit tests and label
// editing. A Qt tree inside the client area shows the items; its mouse
// buttons and keys reach the input target (the control itself, or the view
// that holds it) as window messages after the tree has handled them, and the
// parent is told of selection changes and of the end of a label edit with
// WM_NOTIFY; the key that ends a label edit reaches only the editor.

#include "platform/ui/CWnd.h"

#include <functional>
#include <string>

class CImageList;
class QTreeWidget;
class QTreeWidgetItem;

using HTREEITEM = QTreeWidgetItem*;

// Tree-view styles.
constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_TRACKSELECT = 0x0200;

// Insertion places and the root.
inline HTREEITEM const TVI_ROOT = nullptr;
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0xFFFE));
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0xFFFF));

// Hit-test results.
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL;

// Expand actions and item states.
constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_EXPANDED = 0x0020;

// Notification codes.
constexpr UINT TVN_SELCHANGED = static_cast<UINT>(-402);
constexpr UINT TVN_ENDLABELEDIT = static_cast<UINT>(-411);

// TVN_SELCHANGED: the item that lost and the item that got the selection.
struct NMTREEVIEW {
    NMHDR hdr;
    HTREEITEM itemOld = nullptr;
    HTREEITEM itemNew = nullptr;
};

// TVN_ENDLABELEDIT: the item and the text entered; a cancelled edit sends none.
// The parent answers TRUE to keep the text.
struct NMTVDISPINFO {
    NMHDR hdr;
    HTREEITEM item = nullptr;
    const char* pszText = nullptr;   // GBK
};

class CTreeCtrl : public CWnd {
    Q_OBJECT
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    explicit CTreeCtrl(QWidget* parent = nullptr);

    // The images of the items; the list must outlive the control's use of it.
    void SetImageList(const CImageList* images);

    // Inserts under parent (TVI_ROOT for the root) after the item given, or
    // first or last; null when parent is not an item of the tree.
    HTREEITEM InsertItem(const std::string& text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    BOOL ItemHasChildren(HTREEITEM item) const;

    std::string GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const std::string& text);
    LPARAM GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, LPARAM data);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);

    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM item);
    BOOL Expand(HTREEITEM item, UINT code);
    // Orders the children of an item by their values (stable); the items and
    // the selection stay as they are.
    BOOL SortChildren(HTREEITEM parent, const std::function<bool(LPARAM, LPARAM)>& less);
    UINT GetItemState(HTREEITEM item, UINT mask) const;

    // The item at a client point, null when none; flags get TVHT_*.
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    // The item's row, or with textOnly its text, in client coordinates.
    BOOL GetItemRect(HTREEITEM item, CRect* rect, BOOL textOnly) const;

    // Opens the label editor (TVS_EDITLABELS only); its end is TVN_ENDLABELEDIT.
    BOOL EditLabel(HTREEITEM item);
    // A label edit that its editor has committed and the parent has not yet heard of.
    BOOL IsEndLabelEditPending() const { return m_committed != nullptr; }

    // Where the tree's input messages go: the control (null) or its view.
    void SetInputTarget(CWnd* target) { m_inputTarget = target; }
    QTreeWidget* Tree() const { return m_tree; }

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    BOOL IsItem(HTREEITEM item) const;
    void ApplyStyles();
    void ApplyImage(HTREEITEM item, int image);
    void NotifyParent(NMHDR& header, UINT code);
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnItemEdited(QTreeWidgetItem* item);
    void NotifyEndLabelEdit();
    // Forgets a label edit whose item is deleted: the item itself or one above it.
    void ForgetEditsOf(HTREEITEM item);
    void ForwardInput(QObject* watched, QEvent* event);

    QTreeWidget* m_tree = nullptr;   // child, owned by Qt
    const CImageList* m_images = nullptr;
    CWnd* m_inputTarget = nullptr;
    HTREEITEM m_editing = nullptr;
    bool m_labelEditorOpen = false;   // the item delegate's editor is shown
    std::string m_textBeforeEdit;
    // An edit committed by the label editor, told to the parent once the commit is over.
    HTREEITEM m_committed = nullptr;
    std::string m_committedText;
};
