#include "toolkit/commandbars/CTKCustomizeSheet.h"

#include "platform/CClipboard.h"
#include "platform/CImageList.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKControlEdit.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKCustomizeCommandsPage.h"
#include "toolkit/commandbars/CTKCustomizeMenuButton.h"
#include "toolkit/commandbars/CTKCustomizeMenuEdit.h"
#include "toolkit/commandbars/CTKCustomizeToolbarsPage.h"
#include "toolkit/commandbars/CTKPopupToolBar.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKButtonEditorDlg.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <cmath>
#include <set>

namespace {

constexpr int kClipboardIconWidth = 16;
constexpr UINT kAllCommandsCategory = 9337;
// The image choice toolbar: each button's width beyond its icon, and the toolbar's margin.
constexpr int kImageChoiceButtonExtra = 7;
constexpr int kImageChoiceMargin = 6;
constexpr int kFirstButtonKind = 1;
constexpr int kLastButtonKind = 4;

// Button styles of the context menu.
constexpr int kDefaultStyle = 0;
constexpr int kTextOnlyStyle = 1;
constexpr int kImageAndTextStyle = 3;

BOOL IsButtonKind(const CTKControl* control)
{
    return control->GetType() >= kFirstButtonKind && control->GetType() <= kLastButtonKind;
}

COLORREF ButtonFace()
{
    return CTKSystemColors::Instance().LookupColor(COLOR_BTNFACE);
}

// The icon drawn over the button face, as other programs take a bitmap.
CIconImage OverButtonFace(const CIconImage& icon)
{
    const COLORREF face = ButtonFace();
    CIconImage bitmap(icon.Width(), icon.Height());
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width(); ++x) {
            const DWORD pixel = icon.GetPixel(x, y);
            const int alpha = CIconImage::AlphaOf(pixel);
            const COLORREF color = CIconImage::ColorFromArgb(pixel);
            const auto blend = [alpha](int top, int under) { return (top * alpha + under * (255 - alpha)) / 255; };
            bitmap.SetPixel(x, y, CIconImage::ArgbFromColor(RGB(blend(GetRValue(color), GetRValue(face)),
                                                                 blend(GetGValue(color), GetGValue(face)),
                                                                 blend(GetBValue(color), GetBValue(face)))));
        }
    }
    return bitmap;
}

void Redraw(CTKControl* control)
{
    if (CTKCommandBar* bar = control->GetParent())
        if (bar->IsWindow())
            bar->DelayRedraw();
}

} // namespace

IMPLEMENT_DYNAMIC(CTKCustomizeSheet, CPropertySheet)

CTKCustomizeSheet::CTKCustomizeSheet(CTKCommandBars* bars, CWnd* parent)
    : CPropertySheet("Customize", parent), m_pCommandBars(bars),
      m_commandsPage(std::make_unique<CTKCustomizeCommandsPage>(this)),
      m_toolbarsPage(std::make_unique<CTKCustomizeToolbarsPage>(this))
{
    using Cmd = CCmdEntry<CTKCustomizeSheet>;
    static const Cmd kCommands[] = {
        Cmd::CommandRange(kResetCommand, kBeginGroupCommand, &CTKCustomizeSheet::OnContextCommand),
        Cmd::UpdateRange(kResetCommand, kBeginGroupCommand, &CTKCustomizeSheet::OnUpdateContextCommand),
    };
    AddCommandTable(kCommands);
    FillCategories();
    AddPage(m_toolbarsPage.get());
    AddPage(m_commandsPage.get());
}

CTKCustomizeSheet::~CTKCustomizeSheet()
{
    if (IsWindow())
        DestroyWindow();
    ForgetPage(m_toolbarsPage.get());
    ForgetPage(m_commandsPage.get());
}

void CTKCustomizeSheet::FillCategories()
{
    if (!m_pCommandBars)
        return;
    auto* all = new CTKControls;
    std::set<UINT> listed;
    for (int i = 0; i < m_pCommandBars->GetCount(); ++i) {
        const CTKToolBar* bar = m_pCommandBars->GetBarAt(i);
        if (bar->GetType() != kTKBarToolbar || !bar->IsBuiltIn())
            continue;
        auto* controls = new CTKControls;
        for (int j = 0; j < bar->GetControlCount(); ++j) {
            const CTKControl* control = bar->GetControl(j);
            if (control->IsTemporary() || (control->GetFlags() & kTKFlagNoCustomize))
                continue;
            if (CTKControl* copy = controls->AddClone(control, -1, TRUE))
                copy->SetBeginGroup(FALSE);
            if (listed.insert(control->GetID()).second)
                if (CTKControl* copy = all->AddClone(control, -1, TRUE))
                    copy->SetBeginGroup(FALSE);
        }
        m_commandsPage->AddCategory(bar->GetBarTitle(), controls);
        controls->InternalRelease();
    }
    m_commandsPage->AddCategory(CResourceStore::Instance().LoadString(kAllCommandsCategory), all);
    all->InternalRelease();
}

BOOL CTKCustomizeSheet::OnInitDialog()
{
    if (m_pCommandBars) {
        m_pCommandBars->GetCustomizeContext()->SetCustomizeWindow(this);
        m_pCommandBars->SetCustomizeMode(TRUE);
    }
    return CPropertySheet::OnInitDialog();
}

void CTKCustomizeSheet::OnDestroy()
{
    if (m_pCommandBars && m_pCommandBars->GetCustomizeContext()->GetCustomizeWindow() == this) {
        m_pCommandBars->GetCustomizeContext()->SetCustomizeWindow(nullptr);
        m_pCommandBars->SetCustomizeMode(FALSE);
    }
    CPropertySheet::OnDestroy();
}

CTKControl* CTKCustomizeSheet::Selection() const
{
    return m_pCommandBars ? m_pCommandBars->GetCustomizeSelection() : nullptr;
}

void CTKCustomizeSheet::OnContextCommand(UINT id)
{
    OnControlCommand(id, Selection());
}

void CTKCustomizeSheet::OnUpdateContextCommand(CCmdUI* ui)
{
    OnUpdateControlCommand(ui, Selection());
}

BOOL CTKCustomizeSheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_TK_MENUITEM_CONTROL) {
        *result = OnMenuItemControl(reinterpret_cast<TKMENUITEMRECORD*>(lParam)) ? 1 : 0;
        return TRUE;
    }
    if (message == WM_TK_EXECUTE) {
        *result = OnControlNotify(reinterpret_cast<const TKNMCONTROL*>(lParam)) ? 1 : 0;
        return TRUE;
    }
    return CPropertySheet::OnWndMsg(message, wParam, lParam, result);
}

BOOL CTKCustomizeSheet::OnMenuItemControl(TKMENUITEMRECORD* record)
{
    if (!record || record->nSourceKind != 0 || record->nId < kResetCommand || record->nId > kBeginGroupCommand)
        return FALSE;
    // The bar keeps the control's own type.
    if (record->nId == kChangeImageCommand) {
        record->pControl = MakeImageChoicePopup();
        record->nType = kTKControlPopup;
        return TRUE;
    }
    CTKControl* control = nullptr;
    if (record->nId == kNameCommand)
        control = new CTKCustomizeMenuEdit;
    else
        control = new CTKCustomizeMenuButton;
    control->SetID(record->nId);
    control->SetCaption(record->strCaption);
    record->pControl = control;
    record->nType = control->GetType();
    return TRUE;
}

CTKControl* CTKCustomizeSheet::MakeImageChoicePopup()
{
    auto* popup = new CTKControlPopup;
    CTKPopupToolBar* images = CTKPopupToolBar::NewPopupToolBar(nullptr);
    const int count = m_imageList.GetImageCount();
    const CSize icon = m_imageList.GetIconSize();
    std::vector<UINT> ids;
    for (int i = 0; i < count; ++i) {
        const UINT id = kFirstImageChoiceId + static_cast<UINT>(i);
        ids.push_back(id);
        CTKControl* button = images->GetControls()->AddNewControl(kTKControlButton, kChangeImageCommand);
        button->SetIconId(static_cast<int>(id));
        button->SetFlags(button->GetFlags() | kTKFlagNoUpdate);
    }
    CTKCommandImages* store = m_pCommandBars ? m_pCommandBars->GetImageStore() : nullptr;
    if (store && count > 0)
        store->AddIconsFromImageList(&m_imageList, ids.data(), count, icon.cx, icon.cy, CTKCommandImages::kNormal,
                                     FALSE);
    // The buttons make a square.
    const int perRow = static_cast<int>(std::sqrt(static_cast<double>(count)));
    images->SetMRUWidth(perRow * (icon.cx + kImageChoiceButtonExtra) + kImageChoiceMargin);
    popup->SetCommandBar(images);
    images->InternalRelease();
    return popup;
}

BOOL CTKCustomizeSheet::OnControlNotify(const TKNMCONTROL* record)
{
    if (!record)
        return FALSE;
    const UINT id = static_cast<UINT>(record->hdr.idFrom);
    if (id == kNameCommand) {
        if (const auto* edit = dynamic_cast<const CTKControlEdit*>(record->pControl))
            OnControlNameEntered(Selection(), edit->GetEditText());
        return TRUE;
    }
    if (id == kChangeImageCommand) {
        if (record->pControl)
            OnControlImageChosen(Selection(), static_cast<UINT>(record->pControl->GetIconId()));
        return TRUE;
    }
    return FALSE;
}

void CTKCustomizeSheet::OnUpdateControlCommand(CCmdUI* ui, CTKControl* selected) const
{
    const UINT id = ui->m_nID;
    if (id == kDefaultStyleCommand || id == kTextOnlyCommand || id == kImageAndTextCommand) {
        ui->SetCheck(0);
        if (!selected) {
            ui->Enable(FALSE);
            return;
        }
        const int style = id == kDefaultStyleCommand ? kDefaultStyle
            : id == kTextOnlyCommand                 ? kTextOnlyStyle
                                                     : kImageAndTextStyle;
        ui->SetCheck(selected->GetStyle() == style ? 1 : 0);
        ui->Enable(IsButtonKind(selected));
        return;
    }
    if (id == kDeleteCommand) {
        ui->Enable(TRUE);
        return;
    }
    if (id == kNameCommand) {
        const std::string caption = selected ? selected->GetCaption() : std::string();
        if (auto* edit = dynamic_cast<CTKControlEdit*>(CTKControl::FromCmdUI(ui)))
            edit->SetEditText(caption);
        else
            ui->SetText(caption);
        ui->Enable(TRUE);
        return;
    }
    if (!selected) {
        // Begin a Group needs a control; the others stay as they are.
        if (id == kBeginGroupCommand)
            ui->Enable(FALSE);
        return;
    }
    const BOOL hasImage = selected->GetImageId() > 0 && IsButtonKind(selected);
    switch (id) {
    case kResetCommand:
        ui->Enable(selected->GetCustomIconId() > 0 || !selected->GetCaption().empty());
        break;
    case kCopyImageCommand:
    case kEditImageCommand:
    case kChangeImageCommand:
        ui->Enable(hasImage);
        break;
    case kPasteImageCommand:
        ui->Enable(CClipboard::Get().IsFormatAvailable(CF_BITMAP) && IsButtonKind(selected));
        break;
    case kResetImageCommand:
        ui->Enable(selected->GetCustomIconId() > 0);
        break;
    case kBeginGroupCommand:
        ui->SetCheck(selected->GetBeginGroup() ? 1 : 0);
        ui->Enable(selected->GetIndex() > 0);
        break;
    default:
        break;
    }
}

void CTKCustomizeSheet::OnControlCommand(UINT id, CTKControl* selected)
{
    if (!selected)
        return;
    switch (id) {
    case kResetCommand:
        selected->SetCustomIconId(0);
        selected->SetCaption(std::string());
        break;
    case kDeleteCommand:
        if (m_pCommandBars && m_pCommandBars->GetCustomizeSelection() == selected)
            m_pCommandBars->SetCustomizeSelection(nullptr);
        if (CTKCommandBar* bar = selected->GetParent()) {
            bar->GetControls()->Remove(selected);
            if (bar->IsWindow())
                bar->DelayRedraw();
        }
        return;
    case kCopyImageCommand:
        CopyImage(selected);
        return;
    case kPasteImageCommand:
        PasteImage(selected);
        return;
    case kResetImageCommand:
        selected->SetCustomIconId(0);
        break;
    case kEditImageCommand:
        EditImage(selected);
        return;
    case kDefaultStyleCommand:
    case kTextOnlyCommand:
    case kImageAndTextCommand:
        selected->SetStyle(id == kDefaultStyleCommand ? kDefaultStyle
                               : id == kTextOnlyCommand ? kTextOnlyStyle
                                                        : kImageAndTextStyle);
        if (CTKCommandBar* bar = selected->GetParent())
            bar->DelayLayout();
        break;
    case kBeginGroupCommand:
        selected->SetBeginGroup(!selected->GetBeginGroup());
        break;
    default:
        return;
    }
    Redraw(selected);
}

void CTKCustomizeSheet::OnControlNameEntered(CTKControl* selected, const std::string& text)
{
    if (!selected)
        return;
    selected->SetCaption(text);
    Redraw(selected);
}

void CTKCustomizeSheet::OnControlImageChosen(CTKControl* selected, UINT iconId)
{
    CTKCommandImages* store = m_pCommandBars ? m_pCommandBars->GetImageStore() : nullptr;
    if (!selected || !store)
        return;
    const CTKImageManagerIcons* icons = store->GetCommandIcons(iconId);
    if (!icons || icons->IsEmpty())
        return;
    const CIconImage image = icons->Walk().front().second->GetNormalImage().GetIcon();
    selected->SetCustomIconId(store->AddCustomIcon(image, FALSE));
    Redraw(selected);
}

void CTKCustomizeSheet::CopyImage(CTKControl* control) const
{
    CTKCommandImages* store = m_pCommandBars ? m_pCommandBars->GetImageStore() : nullptr;
    const UINT iconId = control->GetImageId();
    CTKCommandIcon* icon = store && iconId ? store->FindIcon(iconId, kClipboardIconWidth) : nullptr;
    if (!icon || !icon->GetNormalImage().HasIcon())
        return;
    const CIconImage& image = icon->GetNormalImage().GetIcon();
    const BOOL alpha = icon->IsAlpha();
    IClipboard& clipboard = CClipboard::Get();
    clipboard.Empty();
    CIconImage bitmap = alpha ? image : OverButtonFace(image);
    bitmap.SetAlpha(alpha);
    if (!clipboard.SetBitmap(bitmap))
        return;
    if (alpha)
        clipboard.SetData(store->GetAlphaMarkerFormat(), std::vector<BYTE>(1, 0));
    if (store->GetCommandIcons(iconId))
        store->CopyToClipboard(iconId);
}

void CTKCustomizeSheet::PasteImage(CTKControl* control) const
{
    CTKCommandImages* store = m_pCommandBars ? m_pCommandBars->GetImageStore() : nullptr;
    if (!store)
        return;
    const IClipboard& clipboard = CClipboard::Get();
    if (clipboard.IsFormatAvailable(store->GetToolBarImageFormat())) {
        if (const UINT id = store->PasteFromClipboard()) {
            control->SetCustomIconId(id);
            Redraw(control);
        }
        return;
    }
    CIconImage bitmap;
    if (!clipboard.IsFormatAvailable(CF_BITMAP) || !clipboard.GetBitmap(&bitmap) || bitmap.IsEmpty())
        return;
    const BOOL alpha = clipboard.IsFormatAvailable(store->GetAlphaMarkerFormat());
    CIconImage icon;
    if (alpha) {
        icon = CreateAlphaIcon(bitmap);
    } else {
        // The button face of another program's bitmap is transparent.
        CImageList list;
        if (!list.Create(bitmap.Width(), bitmap.Height(), ILC_COLOR24 | ILC_MASK)
            || list.Add(bitmap, ButtonFace()) < 0 || list.GetImageCount() != 1)
            return;
        icon = list.GetIcon(0);
    }
    control->SetCustomIconId(store->AddCustomIcon(icon, alpha));
    Redraw(control);
}

BOOL CTKCustomizeSheet::RunButtonEditor(CTKButtonEditorDlg& editor)
{
    return editor.exec() == QDialog::Accepted;
}

void CTKCustomizeSheet::EditImage(CTKControl* control)
{
    CTKPopupTracker::Get().CloseTrackedBars();
    CTKCommandImages* store = m_pCommandBars ? m_pCommandBars->GetImageStore() : nullptr;
    const UINT iconId = control->GetImageId();
    CTKCommandBar* bar = control->GetParent();
    if (!store || !bar || iconId == 0)
        return;
    const CSize size = bar->GetButtonIconSize();
    CTKCommandIcon* icon = store->FindIcon(iconId, size.cx);
    CTKButtonEditorDlg editor(this);
    if (icon && icon->GetNormalImage().HasIcon())
        editor.SetIcon(icon->GetNormalImage().GetIcon(), icon->IsAlpha());
    else
        editor.SetSize(size.cx, size.cy);
    if (!RunButtonEditor(editor))
        return;
    BOOL alpha = FALSE;
    const CIconImage edited = editor.GetIcon(&alpha);
    if (edited.IsEmpty())
        return;
    if (control->GetCustomIconId() > 0) {
        if (icon)
            icon->SetIcon(edited, alpha);
    } else {
        control->SetCustomIconId(store->AddCustomIcon(edited, alpha));
    }
    Redraw(control);
}
