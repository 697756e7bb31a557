#pragma once
// The Toolbars page of the customise sheet: every bar with a check box for
// its visibility (the menu bar always stays), and New, Rename, Delete and
// Reset. Only toolbars the user made can be renamed and deleted; only
// built-in ones can be reset.

#include "platform/ui/CPropertyPage.h"

class CTKCustomizeSheet;
class CTKToolBar;
class CTKToolbarNameDlg;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class CTKCustomizeToolbarsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTKCustomizeToolbarsPage)
public:
    static constexpr UINT kTemplateId = 9304;
    static constexpr UINT kListId = 9305;
    static constexpr UINT kNewId = 9308;
    static constexpr UINT kRenameId = 9309;
    static constexpr UINT kDeleteId = 9310;
    static constexpr UINT kResetId = 9311;

    explicit CTKCustomizeToolbarsPage(CTKCustomizeSheet* sheet = nullptr);
    ~CTKCustomizeToolbarsPage() override;

    BOOL OnInitDialog() override;
    // Lists the bars again, keeping the selected bar selected.
    void Refill();
    void OnSelChange();
    void OnCheckChange(QListWidgetItem* item);
    void OnNew();
    void OnRename();
    void OnDelete();
    void OnReset();

    QListWidget* GetList() const { return m_list; }
    QPushButton* GetButton(UINT id) const;

protected:
    // Runs the name dialog; TRUE after OK.
    virtual BOOL RunNameDialog(CTKToolbarNameDlg& dialog);

private:
    CTKToolBar* SelectedBar() const;
    void AddItem(int row, CTKToolBar* bar, int index);

    CTKCustomizeSheet* m_pSheet;
    QListWidget* m_list = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_new = nullptr;
    BOOL m_filling = FALSE;
};
