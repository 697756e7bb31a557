#pragma once
// The page "对象字典映射" of the CANopen sheet: the configured slaves with
// the objects they can send and receive, the PDO parameter grids of the
// slave clicked in the tree, and the objects mapped into the PDO clicked in
// a PDO grid. The rows stay in the network page's working list; the page
// writes its grids back when it is left, saved or applied.

#include "hardware/canopen/CCanOpenMapODModel.h"
#include "hardware/canopen/CCanOpenPdoMapping.h"
#include "platform/ui/CCPGridCtrl.h"
#include "platform/ui/CPropertyPage.h"

#include <functional>

class CCanOpenNetwork;
class CTreeCtrl;
class CZULAppData;
class QLabel;
class QPoint;
class QTreeWidgetItem;

constexpr UINT IDD_CANOPEN_MAP_PAGE = 4034;
constexpr UINT IDC_MAP_ADD_OBJECT = 4496;
constexpr UINT IDC_MAP_DELETE_OBJECT = 4499;
constexpr UINT IDC_MAP_SAVE = 1;
constexpr UINT IDC_MAP_HELP = 4004;
constexpr UINT IDC_MAP_TRANSMIT_GRID = 4493;
constexpr UINT IDC_MAP_RECEIVE_GRID = 4494;
constexpr UINT IDC_MAP_MAPPING_GRID = 4295;
constexpr UINT IDC_MAP_MAPPING_LABEL = 4400;
constexpr UINT IDC_MAP_TRANSMIT_LABEL = 4301;
constexpr UINT IDC_MAP_RECEIVE_LABEL = 4302;

// A grid of eight PDO rows; a click on a row selects that PDO.
class CCanOpenPdoGridCtrl : public CCPGridCtrl {
public:
    CCanOpenPdoGridCtrl(CCanOpenPdoTable& table, std::function<void(int pdo, int list)> selectPdo, QWidget* parent);
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    void CreateCellCtrl(UINT id, CCPCellCtrl& control) override;
    void OnSetActiveCell(int column, int row) override;
    // Column 0 becomes active and the focus row's first cell the selection.
    void SelectFirstCell();

protected:
    // A click on a read-only cell selects its whole row.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CCanOpenPdoTable& m_table;
    std::function<void(int, int)> m_selectPdo;
    bool m_selectingFirstCell = false;
};

// The 64 mapping rows of the shown PDO.
class CCanOpenMapGridCtrl : public CCPGridCtrl {
public:
    CCanOpenMapGridCtrl(CCanOpenMapODModel& model, QWidget* parent);
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;
    void OnSaveCellData(int column, int row, const std::string& text) override;
    void OnSetActiveCell(int, int row) override { m_focusRow = row; }
    int FocusRow() const { return m_focusRow; }

protected:
    // A click on a read-only cell selects its whole row.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CCanOpenMapODModel& m_model;
    int m_focusRow = 0;
};

class CCanOpenMapOD : public CPropertyPage {
    DECLARE_DYNAMIC(CCanOpenMapOD)
public:
    CCanOpenMapOD(CZULAppData& app, CCanOpenNetwork& network);

    CCanOpenMapODModel& Model() { return m_model; }
    CTreeCtrl* Tree() const { return m_tree; }
    CCanOpenMapGridCtrl* MapGrid() const { return m_mapGrid; }
    // The tree item of a text, first in tree order; null when none.
    QTreeWidgetItem* FindTreeItem(const std::string& text) const;

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnKillActive() override;
    void OnHelp() override;

    BOOL StoreCurrentSlave();
    // A click on a tree item: a slave item loads that slave.
    void OnTreeItemClicked(QTreeWidgetItem* item);
    void OnSelectPdo(int pdo, int list);
    void OnAddMappedObject();
    void OnDeleteMappedObject();
    // The tree is walked by mouse only: its paging, Home, End and arrow keys do nothing.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Right presses on the object tree and the mapping grid open their menus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One branch open at a time: the clicked item opens, the branch opened before closes.
    void ExpandOnly(QTreeWidgetItem* item);
    bool OnTreeRightPress(const QPoint& at, const QPoint& screen);
    void BuildODTree();
    void RepaintGrids();
    void ShowLabels();
    CCanOpenPdoMapping Mapping();

    CZULAppData& m_app;
    CCanOpenNetwork& m_network;
    CCanOpenMapODModel m_model;
    CTreeCtrl* m_tree = nullptr;
    QTreeWidgetItem* m_openItem = nullptr;   // owned by the tree; a rebuild forgets it
    CCanOpenPdoGridCtrl* m_transmitGrid = nullptr;
    CCanOpenPdoGridCtrl* m_receiveGrid = nullptr;
    CCanOpenMapGridCtrl* m_mapGrid = nullptr;
    QLabel* m_mapLabel = nullptr;
    QLabel* m_transmitLabel = nullptr;
    QLabel* m_receiveLabel = nullptr;
};
