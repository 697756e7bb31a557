#pragma once
// The sheet in which the user customises the command bars. It carries the
// Commands and Toolbars pages and the images offered for buttons; while its
// window exists the bars are in customise mode: their controls can be
// dragged between them, and a right click opens a control's context menu,
// whose items and commands the sheet provides.

#include "platform/CImageList.h"
#include "platform/ui/CPropertySheet.h"

#include <memory>
#include <string>

class CCmdUI;
class CTKButtonEditorDlg;
class CTKCommandBars;
class CTKControl;
class CTKCustomizeCommandsPage;
class CTKCustomizeToolbarsPage;
struct TKMENUITEMRECORD;
struct TKNMCONTROL;

class CTKCustomizeSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CTKCustomizeSheet)
public:
    explicit CTKCustomizeSheet(CTKCommandBars* bars, CWnd* parent = nullptr);
    ~CTKCustomizeSheet() override;

    CTKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // The images offered to the buttons.
    CImageList& GetImageList() { return m_imageList; }
    CTKCustomizeToolbarsPage& GetToolbarsPage() { return *m_toolbarsPage; }
    CTKCustomizeCommandsPage& GetCommandsPage() { return *m_commandsPage; }

    // The window comes up: the bars enter customise mode with this sheet
    // as their customise window.
    BOOL OnInitDialog() override;

    // The control context menu and its commands.
    static constexpr UINT kContextMenu = 9336;
    static constexpr UINT kResetCommand = 9315;
    static constexpr UINT kDeleteCommand = 9316;
    static constexpr UINT kNameCommand = 9317;
    static constexpr UINT kCopyImageCommand = 9318;
    static constexpr UINT kPasteImageCommand = 9319;
    static constexpr UINT kResetImageCommand = 9320;
    static constexpr UINT kEditImageCommand = 9321;
    static constexpr UINT kChangeImageCommand = 9322;
    static constexpr UINT kDefaultStyleCommand = 9323;
    static constexpr UINT kImageAndTextCommand = 9324;
    static constexpr UINT kTextOnlyCommand = 9325;
    static constexpr UINT kBeginGroupCommand = 9326;

    // The state of a context-menu command for the selected control (null
    // when none is selected).
    void OnUpdateControlCommand(CCmdUI* ui, CTKControl* selected) const;
    // Runs a context-menu command on the selected control; nothing happens
    // without one. After Delete the control is gone.
    void OnControlCommand(UINT id, CTKControl* selected);
    // Enter in the name box: the control takes the text as its caption.
    void OnControlNameEntered(CTKControl* selected, const std::string& text);
    // An image of Change Button Image chosen: the first icon of the image
    // store's set under that id becomes the control's own image.
    void OnControlImageChosen(CTKControl* selected, UINT iconId);

    // The controls of the context menu's items (a menu item message):
    // TRUE when the record now holds the control to use.
    BOOL OnMenuItemControl(TKMENUITEMRECORD* record);
    // A context-menu control executes: TRUE when the sheet took it.
    BOOL OnControlNotify(const TKNMCONTROL* record);
    // The images of Change Button Image live in the image store under these ids.
    static constexpr UINT kFirstImageChoiceId = 0x50000;

protected:
    // Runs the button editor; TRUE after OK.
    virtual BOOL RunButtonEditor(CTKButtonEditorDlg& editor);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The window goes: the bars leave customise mode.
    void OnDestroy() override;

private:
    CTKControl* Selection() const;
    void OnContextCommand(UINT id);
    void OnUpdateContextCommand(CCmdUI* ui);
    CTKControl* MakeImageChoicePopup();
    // A category per built-in toolbar with copies of its controls.
    void FillCategories();
    void CopyImage(CTKControl* control) const;
    void PasteImage(CTKControl* control) const;
    void EditImage(CTKControl* control);

    CImageList m_imageList;
    CTKCommandBars* m_pCommandBars;
    std::unique_ptr<CTKCustomizeCommandsPage> m_commandsPage;
    std::unique_ptr<CTKCustomizeToolbarsPage> m_toolbarsPage;
};
