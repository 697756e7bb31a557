#pragma once
// The page "地址一览表" of the CANopen sheet: every mapped object with its
// local address and the global variable there, rebuilt from the network
// page's working slave list each time the page comes to the front, and the
// command that assigns new local memory to all mapped objects.

#include "hardware/canopen/CCanOpenCrossRefList.h"
#include "platform/ui/CCPGridCtrl.h"
#include "platform/ui/CPropertyPage.h"

class CCanOpenSlaveGrid;
class CZULAppData;

constexpr UINT IDD_CANOPEN_CROSSREF_PAGE = 4035;
constexpr UINT IDC_CROSSREF_REASSIGN = 4420;
constexpr UINT IDC_CROSSREF_HELP = 4411;
constexpr UINT IDC_CROSSREF_GRID = 2001;

// The read-only grid over the overview's rows.
class CCanOpenCrossRefGrid : public CCPGridCtrl {
public:
    CCanOpenCrossRefGrid(const CCanOpenCrossRefList& list, const CZULAppData& app, QWidget* parent);
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override;

private:
    const CCanOpenCrossRefList& m_list;
    const CZULAppData& m_app;
};

class CCanOpenCrossRef : public CPropertyPage {
    DECLARE_DYNAMIC(CCanOpenCrossRef)
public:
    CCanOpenCrossRef(CZULAppData& app, CCanOpenSlaveGrid& slaves);

    const CCanOpenCrossRefList& List() const { return m_list; }
    CCanOpenCrossRefGrid* Grid() const { return m_grid; }

    BOOL OnInitDialog() override;
    void OnSetActive() override { RebuildList(); }
    void OnKillActive() override { SetFocus(); }
    void OnHelp() override;
    void RebuildList();
    void OnReassignMemory();

private:
    CZULAppData& m_app;
    CCanOpenSlaveGrid& m_slaves;
    CCanOpenCrossRefList m_list;
    CCanOpenCrossRefGrid* m_grid = nullptr;
};
