#pragma once
// The sheet in which the user customises the command bars. It carries the
// Toolbars page and the images offered for buttons; while it is open the
// controls of the bars can be dragged between them.

#include "platform/CImageList.h"
#include "platform/ui/CPropertySheet.h"

#include <memory>
#include <string>

class CCmdUI;
class CTKButtonEditorDlg;
class CTKCommandBars;
class CTKControl;
class CTKCustomizeToolbarsPage;

class CTKCustomizeSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CTKCustomizeSheet)
public:
    explicit CTKCustomizeSheet(CTKCommandBars* bars, CWnd* parent = nullptr);
    ~CTKCustomizeSheet() override;

    CTKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // The images offered to the buttons.
    CImageList& GetImageList() { return m_imageList; }
    CTKCustomizeToolbarsPage& GetToolbarsPage() { return *m_toolbarsPage; }

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

protected:
    // Runs the button editor; TRUE after OK.
    virtual BOOL RunButtonEditor(CTKButtonEditorDlg& editor);

private:
    void CopyImage(CTKControl* control) const;
    void PasteImage(CTKControl* control) const;
    void EditImage(CTKControl* control);

    CImageList m_imageList;
    CTKCommandBars* m_pCommandBars;
    std::unique_ptr<CTKCustomizeToolbarsPage> m_toolbarsPage;
};
