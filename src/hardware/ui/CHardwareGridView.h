#pragma once
// The upper pane of the hardware window: the module grid, one row per slot
// of the configuration. It draws the rows of the grid model and hands the
// model its clicks and keys; the model's selection is shown back.

#include "hardware/CHardwareGridModel.h"
#include "hardware/ui/CHWModulePage.h"
#include "platform/ui/CCPGridView.h"

#include <memory>

class CCmdUI;
class CZULAppData;
class IHardwareHost;

// The grid's context menu and its one command.
constexpr UINT IDR_HW_GRID_MENU = 155;
constexpr UINT ID_HW_REMOVE_MODULE = 32852;

class CHardwareGridView : public CCPGridView, public IModuleGridRedraw {
    DECLARE_DYNCREATE(CHardwareGridView)
public:
    CHardwareGridView();
    ~CHardwareGridView() override;

    // The application data and the window around the grid; then the
    // model empties a configuration without CPU and sets the rows.
    void OnInitialUpdate(CZULAppData& app, IHardwareHost& host);
    CHardwareGridModel* GetModel() const { return m_model.get(); }

    void SelectModuleRow(int row, int column);
    void InsertCatalogModule(const CModuleCatalogEntry* row);
    void RemoveModule();
    void OnUpdateRemoveModule(CCmdUI* cmdUI);
    void RedrawGrid() override;

    // CCPGridHost
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSetActiveCell(int column, int row) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

protected:
    int OnCreate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowModelSelection();
    bool OnMousePress(QObject* watched, QEvent* event);
    bool OnGridKey(QEvent* event);
    void ShowContextMenu(QPoint screen);

    std::unique_ptr<CHardwareGridModel> m_model;
    bool m_showing = false;
};
