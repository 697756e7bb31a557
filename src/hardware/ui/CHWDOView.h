#pragma once
// The page of a digital output module: its Q address block and the states
// of its outputs while the PLC is in STOP, sixteen boxes in two rows of
// eight labelled with the Q bytes they stand for. The states reach the
// record only through ApplyToModule.

#include "hardware/ui/CHWModulePage.h"

class QCheckBox;
class QLabel;

constexpr int HW_STOP_STATE_BOXES = 16;

class CHWDOView : public CHWModulePage {
    DECLARE_DYNCREATE(CHWDOView)
public:
    CHWDOView();

    void OnInitialUpdate() override;
    void OnDefaultButton() override;
    void OnCancelButton() override;
    BOOL ApplyToModule() override;
    bool StoresOnApply() const override { return true; }

    void OnSelectAll();
    void OnOutputStateClicked();

    CStartFieldControls& OutputStart() { return m_output; }
    QCheckBox* StateBox(int k) const { return m_boxes[k]; }
    QCheckBox* SelectAllBox() const { return m_selectAll; }
    QLabel* RowLabel(int row) const { return m_rowLabels[row]; }

protected:
    CHWDOView(UINT templateId, QSize formSize);
    void BuildOutputBlock(int top);
    void OnStartWritten(CStartFieldControls& controls, const CStartAddressField::Change& change) override;
    void ShowRowLabels();
    void LoadStates(int count);
    int QLength() const { return m_output.field.Length(); }

    CStartFieldControls m_output;

private:
    QCheckBox* m_selectAll = nullptr;
    QCheckBox* m_boxes[HW_STOP_STATE_BOXES] = {};
    QLabel* m_rowLabels[2] = {};
};
