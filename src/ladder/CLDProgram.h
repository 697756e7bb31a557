#pragma once
// The ladder form of a POU's program: its networks (item 2n the header
// comment of network n, item 2n+1 its root coil), the editor, the
// selection, the cell map the layout fills and the branch ends. The file
// form is the IL text of the networks, read back through the IL-to-LD
// conversion; the undo snapshots hold the element records themselves.

#include "CILToLDConverter.h"
#include "CLDContext.h"
#include "CLDElement.h"
#include "CLDNameTables.h"
#include "model/ILocalVarLookup.h"
#include "pouedit/CPOUProgram.h"

#include <memory>
#include <string>
#include <vector>

class CLDEditor;
class IPOUEditorHost;

// A POU holds at most this many networks.
constexpr int LD_MAX_NETWORKS = 200;

// The program answers its elements' local-variable look-ups from the
// local-variable table its POU document holds.
class CLDProgram : public CPOUProgram, public ILocalVarLookup {
public:
    CLDProgram(CZULAppData& app, IPOUEditorHost* host);
    ~CLDProgram() override;

    void Serialize(CArchive& ar, BOOL toFile) override;
    void Clear() override;
    // One default network, or the PID loop being generated, then the first snapshot.
    BOOL InitNew() override;
    BOOL OnOpened(const std::string& path) override;
    void AfterSave(const std::string& path, int prepared) override;
    int PrepareSave(const std::string& path) override;
    void DiscardChanges() override;
    void GetILLines(std::vector<std::string>& lines) override;
    BOOL GoToFindResult(int result, int column, int row) override;
    BOOL GoToLine(int network) override;
    BOOL IsValid() override { return TRUE; }

    // The file form: the items' IL text; loading hands the lines to LoadFromIL.
    void SerializeIL(CArchive& ar);
    // Replaces the networks by those converted from a program file's lines;
    // a network that cannot be built is kept as IL. FALSE, with the networks
    // as they were, when the lines give no network.
    BOOL LoadFromIL(const std::vector<std::string>& lines);
    // As LoadFromIL for the lines of a POU switched from IL: FALSE, with the
    // networks as they were, also when one network cannot be built.
    BOOL ConvertFromIL(const std::vector<std::string>& lines);
    // Appends a default network; FALSE at the network limit.
    BOOL InsertNetwork();
    // Appends a built item (header or root) and gives it the program's names.
    void AppendItem(LDItemPtr item);
    // Inserts a built item before the item at index (clamped to the items) and gives it the program's names.
    void InsertItem(int index, LDItemPtr item);

    BOOL Find(const std::string& text, int mode);
    BOOL ReplaceAll(const std::string& find, const std::string& replace);
    void Replace(const std::string& find, const std::string& replace);

    // The local-variable maps from the POU's local-variable table.
    void RebuildLocalSymbolMaps();
    // A local variable of the POU's table; FALSE without a POU document.
    BOOL FindLocalVar(const std::string& name, OperandTypeFlags& flags) const override;

    CSize GetExtent() const { return CSize(m_extentColumns, m_extentRows); }
    CSize GetCellSize() const { return CSize(m_cellWidth, m_cellHeight); }
    const std::vector<LDItemPtr>& GetItems() const { return m_items; }
    int GetNetworkCount() const { return static_cast<int>(m_items.size() / 2); }
    // The first row of the last network's header plus 36; 0 below two items.
    int GetInitialRowExtent() const;

    CLDElement* GetSelection() const { return m_selected; }
    void Select(CLDElement* element);
    void ClearSelection();
    int SetSelectionFlag(int flag);
    int GetSelectionFlag() const { return m_selectionFlag; }

    BOOL LookupCell(int column, int row, CLDElement** element) const;
    void ClearCellMap() { m_positionMap.clear(); }
    CLDPositionMap& GetPositionMap() { return m_positionMap; }

    CLDElement* GetBranchStart() const { return m_branchStart; }
    CLDElement* GetBranchEnd() const { return m_branchEnd; }
    void SetBranchEnds(CLDElement* start, CLDElement* end);

    BOOL IsLayoutChanged() const { return m_layoutChanged; }
    void SetLayoutChanged(BOOL changed) { m_layoutChanged = changed ? TRUE : FALSE; }
    const std::string& GetName() const { return m_name; }
    // The POU the networks belong to, for a program made from another's lines.
    void SetName(const std::string& name);
    CLDEditor& GetLDEditor() const { return *m_editor; }
    CLDNameTables& GetNames() { return m_names; }
    CZULAppData& GetApp() const { return m_app; }

    // Tree edits around the selection. A refused insertion leaves the tree
    // as it was; whether the new element is then deleted is said per edit.
    // A contact right of the selection (a coil: at the end of its input).
    BOOL AppendSeries(CLDElement* element);
    // A contact left of the selection; deleted when the selection takes none.
    BOOL InsertLeft(CLDElement* element);
    // A contact below the selection; deleted when the selection takes none.
    void AddParallelContact(CLDElement* contact);
    BOOL InsertBlock(CLDElement* block);
    // A coil below the selected coil; the caller gives it the parallel link.
    BOOL AddParallelCoil(CLDElement* coil);
    // Removes the selected element and joins what was around it.
    void DeleteSelected();
    // The branch the user draws: its start and end cells, then the join.
    int PickBranchStart(int column, int row);
    int PickBranchEnd(int leftLimit, int row, int column);
    BOOL ConnectBranch();
    // Puts the run from first to last in parallel with a new contact.
    BOOL WrapInParallel(CLDElement* first, CLDElement* last);
    // Whether element is reached from from along childA links (from itself counts).
    static BOOL IsInSeriesRun(CLDElement* from, CLDElement* element);
    void ClearBranchEnds() { SetBranchEnds(nullptr, nullptr); }
    // Selects the element in the cell right of element; FALSE, with element selected, when there is none.
    BOOL SelectRightNeighbour(CLDElement* element);
    // The network root above an element (the element itself for a root).
    static CLDElement* RootOf(CLDElement* element);
    // The item index of a root in the item array; -1 when it is none.
    int ItemIndexOf(const CLDElement* root) const;

    // Deletes the networks first to last with their trees; FB instances leave the project.
    void DeleteNetworks(int first, int last);
    // Drops every redo snapshot, after edits that took their own undo snapshot.
    void ClearRedoList();

    // Inserts a header and its root at an item index (an even one).
    void InsertItems(int index, LDItemPtr header, LDItemPtr root);
    // Takes a network's header and root out of the array and deletes their trees.
    void RemoveNetworkItems(int rootIndex);

protected:
    // Every edit, an opened file, a switch from IL and pasted IL end in a
    // snapshot: the diagram's FB instances are registered then, never by
    // painting.
    void OnSnapshotPushed() override;

private:
    BOOL ReplaceFromIL(const std::vector<std::string>& lines, BOOL keepUnbuildable);
    BOOL IsMonitoring() const;
    // A new "????" contact of the given link, named by this program.
    CLDElement* NewContact(int link);
    // Places e right of s, in the run, or in a new parallel node for a column element.
    void PlaceRightOf(CLDElement* s, CLDElement* e);
    void DeleteCoil(CLDElement* coil);
    // The tree edit of a contact or block's deletion; FALSE when refused.
    BOOL UnlinkElement(CLDElement* r);
    // Links the rows the user picked for a branch from one element to itself.
    BOOL BranchBelow(CLDElement* start);
    void StoreSnapshot(CArchive& ar);
    void LoadSnapshot(CArchive& ar);
    // One item's records; null when a type byte names no element class or the records do not form one tree.
    LDItemPtr LoadItem(CArchive& ar, BOOL* stop);
    // Each item from the first to the last, or from the last when the search goes up.
    template <typename Visit>
    void VisitItems(BOOL backward, Visit visit);
    BOOL SearchesUp() const;

    std::string m_name;
    CLDContext m_context;
    std::unique_ptr<CLDEditor> m_editor;
    IPOUEditorHost* m_host;
    CLDElement* m_selected = nullptr;
    int m_extentColumns;
    int m_extentRows;
    int m_selectionFlag = 0;
    std::vector<LDItemPtr> m_items;
    BOOL m_layoutChanged = FALSE;
    int m_cellWidth = LD_CELL_WIDTH;
    int m_cellHeight = LD_CELL_HEIGHT;
    CLDPositionMap m_positionMap;
    CLDElement* m_branchStart = nullptr;
    CLDElement* m_branchEnd = nullptr;
    CLDNameTables m_names;
    std::vector<std::string> m_savedFBNames;
    std::vector<std::string> m_savedFBTypes;
};
