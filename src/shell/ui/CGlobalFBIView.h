#pragma once
// The "FB Instance" tab of the global-variables window: a read-only grid
// over the project's FB-instance list as the last Compile All found it.

#include "platform/ui/CCPGridView.h"

#include <string>

class CZULFB;

class CGlobalFBIView : public CCPGridView {
    Q_OBJECT
    DECLARE_DYNCREATE(CGlobalFBIView)
public:
    enum Column { COL_INSTANCE = 0, COL_FB, COL_POSITION, COLUMN_COUNT };

    // Grid rows = n; the frame passes max(instance count, 1) at creation and on every activation.
    void SetRowCount(int n);

    // CCPGridHost
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSetActiveCell(int column, int row) override;
    // Enter and Delete do nothing here.
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    // The active cell on the status bar while the table is in front; leaving
    // the front takes it off.
    void ShowCellOnStatusBar(BOOL shown);

protected:
    int OnCreate() override;

private:
    const CZULFB* GetRecord(int row) const;
    void ShowStatusText();
};
