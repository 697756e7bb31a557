#pragma once
// The project tree: the view of the "Workspace" pane. It shows the open
// project as a fixed skeleton (project, PROGRAM with Initial Data and the
// POUs, CONFIGURATION with RESOURCE, Hardware and Global Variable, Status
// Chart, Communications), opens what stands behind a node, and is the one
// place where POUs are created, deleted and renamed. A POU view takes its
// node from the tree's current item, so callers that open a POU document
// make its item current first.

#include "platform/CImageList.h"
#include "platform/ui/CTreeView.h"
#include "shell/IPOURenameHost.h"

#include <memory>
#include <string>

class CCmdUI;
class CProjTreeNode;
class CZULAppData;
struct CNewPOUPlan;
class IProjTreeHost;

// Commands of the tree and of its context menus.
constexpr UINT ID_PROJTREE_OPEN_GLOBAL_VARIABLES = 32831;
constexpr UINT ID_PROJTREE_OPEN_STATUS_CHART = 32851;
constexpr UINT ID_PROJTREE_OPEN_HARDWARE = 32859;
constexpr UINT ID_PROJTREE_OPEN_COMMUNICATIONS = 32860;
constexpr UINT ID_PROJTREE_OPEN_POU = 32861;
constexpr UINT ID_PROJTREE_DELETE = 32862;
constexpr UINT ID_PROJTREE_RENAME = 32863;
constexpr UINT ID_PROJTREE_PROPERTY = 32864;
constexpr UINT ID_PROJTREE_OPEN_INITIAL_DATA = 32875;
constexpr UINT ID_PROJTREE_NEW_SUBROUTINE = 32923;
constexpr UINT ID_PROJTREE_NEW_INTERRUPT = 32924;
constexpr UINT ID_PROJTREE_OPEN_ALL_PROGRAMS = 32968;
constexpr UINT ID_PROJTREE_CLOSE_ALL = 32969;

class CProjTreeView : public CTreeView, public IPOURenameHost {
    Q_OBJECT
    DECLARE_DYNCREATE(CProjTreeView)
public:
    CProjTreeView();
    ~CProjTreeView() override;

    // Set by the main frame after it created the view; both outlive it.
    void Attach(CZULAppData* app, IProjTreeHost* host);

    // The skeleton of a new or opened project (an earlier one is cleared first).
    void BuildProjectTree();
    // The skeleton and the POUs of the opened project, PROGRAM sorted; a POU
    // path too long resets the project and leaves the tree as it was.
    void FillProjectTree();
    void ClearProjectTree();
    // Creates a POU: 0 MAIN, 1 subroutine, 2 interrupt routine; FALSE when
    // refused or when its document could not be created (the POU is withdrawn).
    BOOL NewPOU(int type);
    // Opens the document or window of an item.
    void OpenTreeNode(HTREEITEM item);

    HTREEITEM GetCurrentItem() const { return m_current; }
    HTREEITEM SetCurrentItem(HTREEITEM item);
    // The node an item stands for; null for the groups and for no item.
    CProjTreeNode* GetItemNode(HTREEITEM item) const;
    HTREEITEM GetProgramItem() const { return m_program; }
    // The item that stands for a node; null when none does.
    HTREEITEM FindNodeItem(const CProjTreeNode* node) const;
    // The first child of PROGRAM with a node whose text contains the text; null when none.
    HTREEITEM FindPOUItem(const std::string& text) const;
    // The text of the project's item ("Project: " and the project's name).
    void SetProjectItemText(const std::string& text);
    BOOL IsRenaming() const { return m_renaming; }

    // Whether the POU of the node has an open document (by its title).
    BOOL IsPOUDocumentOpen(const CProjTreeNode& node) const;

    // Commands.
    void OnOpen();
    void OnOpenHardware();
    void OnOpenStatusChart();
    void OnDelete();
    void OnRename();
    void OnProperty();
    void OnNewSubroutine();
    void OnNewInterrupt();
    void OnOpenAllPrograms();
    void OnCloseAll();

    // IPOURenameHost
    void SetPOUItemText(const CProjTreeNode& node, const std::string& label) override;
    void RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName) override;

protected:
    int OnCreate() override;
    DWORD GetTreeStyle() const override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnContextMenu(CWnd* wnd, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

private:
    void OnUpdatePOUCommand(CCmdUI* cmdUI);
    HTREEITEM InsertNode(CProjTreeNode* node, const std::string& text, int image, HTREEITEM parent,
                         HTREEITEM after);
    HTREEITEM InsertPOU(CProjTreeNode* node);
    void WithdrawNewPOU(HTREEITEM item, const CNewPOUPlan& plan);
    void SortProgram();
    void OpenPOU(HTREEITEM item, CProjTreeNode& node);
    void OpenCommunications();
    void DeletePOUItem(HTREEITEM item);
    void DropItem(HTREEITEM item);
    // The current item's POU node (kinds 2 to 4); null otherwise.
    CProjTreeNode* CurrentPOUNode() const;
    void OnEndLabelEdit(HTREEITEM item, const char* text);
    HTREEITEM FindNodeItemUnder(HTREEITEM parent, const CProjTreeNode* node) const;

    CZULAppData* m_app = nullptr;
    IProjTreeHost* m_host = nullptr;
    HTREEITEM m_program = nullptr;
    HTREEITEM m_current = nullptr;
    std::unique_ptr<CProjTreeNode> m_projectNode;
    std::unique_ptr<CProjTreeNode> m_programNode;
    std::unique_ptr<CProjTreeNode> m_initialDataNode;
    std::unique_ptr<CProjTreeNode> m_globalVariableNode;
    std::unique_ptr<CProjTreeNode> m_statusChartNode;
    std::unique_ptr<CProjTreeNode> m_hardwareNode;
    std::unique_ptr<CProjTreeNode> m_communicationsNode;
    HTREEITEM m_initialDataItem = nullptr;
    HTREEITEM m_statusChartItem = nullptr;
    CImageList m_images;
    BOOL m_renaming = FALSE;
};
