#pragma once
// New Toolbar / Rename Toolbar: asks for a toolbar's name. A new toolbar
// is offered "Custom n" with the lowest n that no bar's title has and gets
// the lowest free bar id of the custom range; a name that is blank or that
// another bar already has is refused with a message and the dialog stays
// open. When every custom id is taken the dialog says so and cancels.

#include "platform/WinTypes.h"

#include <QDialog>

#include <string>

class CTKCommandBars;
class CTKToolBar;
class QLineEdit;

class CTKToolbarNameDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr UINT kFirstCustomBarId = 0xE800;
    static constexpr UINT kLastCustomBarId = 0xE8FE;
    static constexpr UINT kNameEditId = 9329;

    // bar: the toolbar to rename, nullptr for a new toolbar.
    CTKToolbarNameDlg(QWidget* parent, CTKCommandBars* bars, CTKToolBar* bar);
    ~CTKToolbarNameDlg() override;

    // "Custom n" with the lowest n from 1 that no bar's title equals.
    static std::string ProposeName(const CTKCommandBars* bars);

    void OnInitDialog();
    // Checks the name, picks the bar id of a new toolbar and ends the dialog
    // (OK, or Cancel when no id is left); stays open on a refused name.
    void OnOK();
    void accept() override;

    // The name in the edit; SetName fills the edit.
    std::string GetName() const;
    void SetName(const std::string& name);
    UINT GetBarId() const { return m_barId; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Tell(UINT textId, const std::string& name = {}) const;

    QLineEdit* m_edit;
    UINT m_barId = 0;
    CTKToolBar* m_bar;
    CTKCommandBars* m_bars;
    BOOL m_initialized = FALSE;
};
