#pragma once
// What every module page of the hardware window's page host shares: the
// record it edits, start-address fields (digits only, with an up-down that
// keeps the start inside the area and steps by 2 in the analog areas) that
// write through to the record, the "Default", "Cancel" and "Help" buttons,
// F1 for the page's help topic, and a right-button press that does nothing.

#include "hardware/CModulePageRules.h"
#include "platform/ui/CFormView.h"

#include <functional>
#include <string>

class CZUL_Q7_PLC;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

// What a page asks of the window it lives in: the module grid redrawn after
// a start address moved.
class IModuleGridRedraw {
public:
    virtual ~IModuleGridRedraw() = default;
    virtual void RedrawGrid() = 0;
};

// A start field with its up-down and the disabled length field beside it.
struct CStartFieldControls {
    CStartAddressField field;
    QLineEdit* edit = nullptr;
    QScrollBar* upDown = nullptr;
    QLineEdit* length = nullptr;
    // The page shows its fields again after every change, so an emptied
    // field reads "0" at once.
    bool refreshed = false;
};

class CHWModulePage : public CFormView {
    DECLARE_DYNAMIC(CHWModulePage)
public:
    CHWModulePage(UINT templateId, QSize formSize, const char* helpTopic);
    ~CHWModulePage() override;

    // Set by the page host before the initial update.
    void SetModule(CZUL_Q7_PLC* module) { m_module = module; }
    CZUL_Q7_PLC* GetModule() const { return m_module; }
    void SetGridRedraw(IModuleGridRedraw* grid) { m_grid = grid; }
    const char* GetHelpTopic() const { return m_helpTopic; }

    virtual void OnDefaultButton() = 0;
    virtual void OnCancelButton() = 0;
    void OnHelpButton();
    // Writes the page's settings into the record; the consistency check
    // calls it. Pages that write everything at once have nothing to store.
    virtual BOOL ApplyToModule() { return TRUE; }
    // Whether the check asks this page to store its settings.
    virtual bool StoresOnApply() const { return false; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnRButtonDown(UINT flags, CPoint point) override;

    // Builds a start field at a place in dialog units; the field shows the
    // record's start and the length of the module's range in the area.
    void AddStartField(CStartFieldControls& controls, ModuleArea area, int left, int top, bool refreshed = false);
    // Called after the field wrote a new start; the default does nothing.
    virtual void OnStartWritten(CStartFieldControls& controls, const CStartAddressField::Change& change);
    // Shows the record's start after Default or Cancel moved it.
    void ShowStart(CStartFieldControls& controls);
    // The start typed in the field, as the record must take it.
    int StartFromField(const CStartFieldControls& controls) const;
    // Cancel's common step: the remembered start back into the record.
    void RestoreStart(CStartFieldControls& controls);
    // Default's common step; FALSE after the failing area's message.
    bool Reallocate(const std::vector<ModuleArea>& areas, const std::vector<const char*>& noRoomTexts);

    QWidget* AddLabel(const char* text, int left, int top, int width, int height);
    QWidget* AddGroup(const char* text, int left, int top, int width, int height);
    void AddButtons(int left, int top);
    void RedrawGrid();

    CZUL_Q7_PLC* m_module = nullptr;

private:
    void OnStartText(CStartFieldControls& controls);

    const char* m_helpTopic;
    IModuleGridRedraw* m_grid = nullptr;
};
