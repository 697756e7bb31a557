#pragma once
// The page "网络配置" of the CANopen sheet: the slave-type library as a tree
// by category on the left, the slave list on the right, and the commands
// that import EDS files, delete types, add, move and delete slaves, choose
// a slave's boot-up steps and save the list into the project.

#include "hardware/canopen/CCanOpenNetworkModel.h"
#include "hardware/canopen/CEdsImport.h"
#include "hardware/canopen/IEdsImportHost.h"
#include "platform/ui/CPropertyPage.h"

class CCanOpenSlaveList;
class CTreeCtrl;
class CZULAppData;
class QPoint;
class QTreeWidgetItem;

constexpr UINT IDD_CANOPEN_NETWORK_PAGE = 4033;
constexpr UINT IDC_NETWORK_IMPORT_EDS = 4291;
constexpr UINT IDC_NETWORK_DELETE_TYPE = 4292;
constexpr UINT IDC_NETWORK_MOVE_UP = 4296;
constexpr UINT IDC_NETWORK_MOVE_DOWN = 4297;
constexpr UINT IDC_NETWORK_DELETE_SLAVE = 4298;
constexpr UINT IDC_NETWORK_BOOT = 4299;
constexpr UINT IDC_NETWORK_SAVE = 1;
constexpr UINT IDC_NETWORK_HELP = 4003;
constexpr UINT IDC_NETWORK_TYPE_TREE = 2000;
constexpr UINT IDC_NETWORK_SLAVE_LIST = 4300;

class CCanOpenNetwork : public CPropertyPage, public IEdsImportHost {
    DECLARE_DYNAMIC(CCanOpenNetwork)
public:
    CCanOpenNetwork(CZULAppData& app, std::string userCanOpenFolder);
    ~CCanOpenNetwork() override;

    CCanOpenNetworkModel& Model() { return m_model; }
    CTreeCtrl* TypeTree() const { return m_tree; }
    CCanOpenSlaveList* SlaveList() const { return m_list; }
    // The tree item of a text, first in tree order; null when none.
    QTreeWidgetItem* FindTreeItem(const std::string& text) const;

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnKillActive() override;
    void OnHelp() override;

    void AddSlaveToNetwork();
    void OnDeleteSlaveType();
    void OnImportEds();
    void OnMoveSlaveUp();
    void OnMoveSlaveDown();
    void OnDeleteSlave();
    void OnBootProcedure();
    BOOL SaveToProject();

    // The EDS import's needs.
    std::string ChooseEdsFile() override;
    std::string ChooseCategory() override;
    void InsertSlaveTypeItem(const std::string& typeName, const std::string& category) override;
    void SetRebuildNeeded() override { m_model.SetRebuildNeeded(TRUE); }

protected:
    void OnDestroy() override;
    // Right presses on the type tree and the slave list open their menus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildTypeTree();
    QTreeWidgetItem* BranchItem(const std::string& category) const;
    void RepaintSlaves();
    void OpenHelp();
    bool OnTreeRightPress(const QPoint& at, const QPoint& screen);

    CZULAppData& m_app;
    CCanOpenNetworkModel m_model;
    CEdsImport m_import;
    CTreeCtrl* m_tree = nullptr;
    CCanOpenSlaveList* m_list = nullptr;
    QTreeWidgetItem* m_rootItem = nullptr;
    QTreeWidgetItem* m_ioItem = nullptr;
    QTreeWidgetItem* m_driveItem = nullptr;
};
