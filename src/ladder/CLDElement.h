#pragma once
// The common base of the elements of a ladder network: coils, contacts,
// blocks, network headers and the series/parallel logic nodes. A network is
// a binary tree of elements under a root coil; the base holds the links, the
// cell geometry, the kind and link codes and the default behaviour of the
// operations through which the program, the painter, the clipboard, the
// undo snapshots and the conversions work on any element.
//
// Every element is entered in a registry of live elements while it exists,
// so that a find result can tell whether its element still lives before it
// touches it.

#include "CLDCellRect.h"
#include "model/ILDClipboardElement.h"
#include "platform/CObject.h"
#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CDC;
class CLDElement;
class CLDNameTables;
struct CFindResult;
struct CFindState;

// Element kinds.
constexpr int LD_KIND_LOGIC_NODE = -1;
constexpr int LD_KIND_COIL = 0;
constexpr int LD_KIND_CONTACT = 1;
constexpr int LD_KIND_BLOCK = 2;
constexpr int LD_KIND_COMMENT = 3;

// Links: the successor of a contact or block, the operation of a logic node.
constexpr int LD_LINK_SERIES = 1;
constexpr int LD_LINK_PARALLEL = 2;

// Type bytes of a flattened sequence.
constexpr BYTE LD_TYPE_OTHER = 0;
constexpr BYTE LD_TYPE_COIL = 1;
constexpr BYTE LD_TYPE_LOGIC_NODE = 2;
constexpr BYTE LD_TYPE_CONTACT = 4;
constexpr BYTE LD_TYPE_BLOCK = 6;

// Text anchors of DrawText.
constexpr int LD_TEXT_LEFT = 1;
constexpr int LD_TEXT_RIGHT = 2;
constexpr int LD_TEXT_CENTRE = 0;

// Find modes: report hits, clear the marks, mark all hits.
constexpr int LD_FIND_REPORT = 0;
constexpr int LD_FIND_CLEAR = 1;
constexpr int LD_FIND_MARK = 2;

// Find-result actions.
constexpr int LD_FIND_ACTION_FOUND = 1;
constexpr int LD_FIND_ACTION_REPLACED = 2;

// The cell of the diagram.
constexpr int LD_CELL_WIDTH = 100;
constexpr int LD_CELL_HEIGHT = 40;

constexpr COLORREF LD_HIGHLIGHT_TEXT = RGB(250, 250, 250);
constexpr COLORREF LD_HIGHLIGHT_BACK = RGB(0, 0, 0);

// Cells of the diagram: the decimal text of (row << 16 | column) -> the element there.
using CLDPositionMap = std::unordered_map<std::string, CLDElement*>;

// The arguments of one layout pass; without a device it places and draws nothing.
struct CLDLayoutPass {
    int cellWidth = LD_CELL_WIDTH;
    int cellHeight = LD_CELL_HEIGHT;
    int originCol = 0;
    int originRow = 0;
    std::string pouName;
    CLDPositionMap* positionMap = nullptr;
    CDC* dc = nullptr;
    BOOL highlight = FALSE;

    BOOL IsDrawing() const { return dc != nullptr; }
    BOOL IsPrinting() const;
};

class CLDElement : public CObject, public ILDClipboardElement {
    DECLARE_DYNAMIC(CLDElement)
public:
    CLDElement();
    ~CLDElement() override;
    CLDElement(const CLDElement&) = delete;
    CLDElement& operator=(const CLDElement&) = delete;

    void Serialize(CArchive& ar) override;
    virtual void AssertValid() const;
    virtual void Dump() const;
    // mode: LD_FIND_REPORT, LD_FIND_CLEAR or LD_FIND_MARK.
    virtual int Find(const std::string& text, int mode) = 0;
    virtual int ReplaceAll(const std::string& find, const std::string& replace) = 0;
    virtual int ReplaceOne(const std::string& find, const std::string& replace) = 0;
    // Sets (1) or clears (0) the found mark that a find result of this
    // element names; elements without marks ignore it.
    virtual void SetFindResultMark(const CFindResult& record, int mark);
    virtual BOOL IsFunction() const;
    virtual std::string GetTypeText() const = 0;
    // Pixel position for the in-place operand editor.
    virtual BOOL GetEditPosition(CPoint* point, int cellWidth, int cellHeight);
    virtual BOOL IsValid() const;
    // Appends the text unless an equal one is listed (searched from the last entry).
    virtual void AddUniqueString(const std::string& text, std::vector<std::string>* list);
    virtual int GetItemIndex() const;
    virtual void SetLayoutRect(const CLDCellRect& rect);
    // Size in cells of the element and its laid-out successors.
    virtual CSize GetSize(BOOL printing);
    virtual CSize LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                                CLDPositionMap* positionMap, CDC* dc, BOOL highlight);
    // Text in the LD text font, anchored at (x, y) inside the element's top-left cell.
    virtual void DrawText(const std::string& text, int x, int y, int alignment, CDC* dc, int originCol, int originRow,
                          int cellWidth, int cellHeight, BOOL inverse);
    virtual CSize LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol,
                             int originRow) = 0;
    virtual void DrawFocus(int cellWidth, int cellHeight, CDC* dc, int originCol, int originRow);
    virtual int GetKind() const;
    virtual void SetLink(int link);
    virtual std::string GetOperand() const;
    // The operand in the current addressing form (symbol names or direct addresses).
    virtual std::string ToDisplayOperand(const std::string& operand);
    virtual BOOL GetLiveValueText(const std::string& operand, std::string* valueText, std::string* bitText,
                                  int expectedType, int* operandFlags);
    // The operand as written to IL and forced: a constant, a direct address or an FB instance.
    virtual BOOL ToAddressOperand(const std::string& operand, std::string* address);
    // Appends the tree in pre-order with its type bytes and sets the child indices.
    virtual void Flatten(std::vector<CLDElement*>* elements, std::vector<BYTE>* typeBytes);
    // Sets the child pointers from the child indices of a sequence (see LinkSequence).
    virtual void Relink(const std::vector<CLDElement*>* elements);
    virtual CLDCellRect GetPosition() const;
    virtual void SetPosition(const CLDCellRect& position);
    // Deletes the tree and this element; a label coil's label leaves the
    // program's label list, and with removeInstance an FB block's instance
    // leaves the project.
    virtual void DeleteTree(BOOL removeInstance);
    virtual void DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc);
    virtual void SetOperand(const std::string& text);
    virtual BOOL HitTestOperandLabel(CPoint* point, std::string* text, int cellWidth, int cellHeight, BOOL select);
    virtual BOOL HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text) = 0;
    // The IL lines of the element and its successors, each ending with CR LF.
    virtual std::string GetILText() = 0;

    // Operand upkeep that the program runs after load, undo and each edit
    // (the paint does it too): the operand in its current display form, a
    // label in the program's list. Nothing for elements without an operand.
    virtual void NormaliseOperand();
    // NormaliseOperand of this element and every element below it.
    void NormaliseTree();

    // A copy in the LD clipboard is freed with its tree; nothing is unregistered.
    void ReleaseCopy() override;

    // Relinks a sequence read back from an archive from the element at
    // rootIndex, once its child indices are known to form one tree: every
    // index inside the sequence, naming a present element, no element named
    // twice and the root named by none. FALSE, with nothing linked, otherwise.
    static BOOL LinkSequence(const std::vector<CLDElement*>& elements, int rootIndex);

    // The live-element registry.
    std::uint64_t GetSerial() const { return m_serial; }
    static BOOL IsLive(const CLDElement* element, std::uint64_t serial);
    // The element of an LD find result while it is still alive, else nullptr.
    static CLDElement* FromFindResult(const CFindResult& result);
    static size_t LiveCount();

    // Stores the element under the key of its cell, replacing what was there.
    static void InsertPosition(int column, int row, CLDElement* element, CLDPositionMap* positionMap);
    static std::string PositionKey(int column, int row);
    // Text of at most n bytes; a longer one is cut (never inside a GBK character) and ".." appended.
    static std::string FitText(const std::string& text, int n);

    // The program whose label list and local maps this element uses, for the whole tree.
    void AttachNames(CLDNameTables* names);
    CLDNameTables* GetNames() const { return m_names; }

    CLDElement* GetChildA() const { return m_childA; }
    CLDElement* GetChildB() const { return m_childB; }
    CLDElement* GetParent() const { return m_parent; }
    void SetChildA(CLDElement* child) { m_childA = child; }
    void SetChildB(CLDElement* child) { m_childB = child; }
    void SetParent(CLDElement* parent) { m_parent = parent; }
    int GetChildAIndex() const { return m_childAIndex; }
    int GetChildBIndex() const { return m_childBIndex; }
    int GetLink() const { return m_link; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    CLDCellRect GetLayoutRect() const { return m_layoutRect; }
    int GetSelectedLabel() const { return m_selectedLabel; }
    void SetSelectedLabel(int label) { m_selectedLabel = label; }
    const CRect& GetDrawnRect() const { return m_drawnRect; }
    BYTE GetTypeByte() const;

protected:
    // Places a child at the rectangle and lays it out with this element as its parent.
    CSize LayoutChild(CLDElement* child, const CLDCellRect& rect, const CLDLayoutPass& pass);
    // The successor rules of a contact or block: link 1 childA to the right,
    // link 2 childB below; any other link hides the successors (0 x 0).
    CSize LayoutSuccessor(const CLDLayoutPass& pass);
    CSize SuccessorSize(BOOL printing);
    // The successor chosen by the link, or nullptr.
    CLDElement* GetSuccessor() const;

    // Pixel origin of the element's top-left cell.
    CPoint CellOrigin(int cellWidth, int cellHeight, int originCol, int originRow) const;

    // Find passes: whether a hit is marked, and the record of a hit.
    static BOOL ShouldMarkHit(const CFindState& state, int mode);
    void FillFindResult(CFindResult& record, int action, int network, const std::string& elementText,
                        const std::string& lineText) const;
    // Search copies: upper-cased unless the match-case option is on.
    static std::string SearchCopy(const CFindState& state, const std::string& text);
    // Whether the search copy occurs in text (whole word when asked), unless
    // the ignore mask leaves out this kind of element; *copy gets text's copy.
    static BOOL MatchesSearch(const std::string& text, const std::string& searchCopy, std::string* copy,
                              int ignoreBit);
    // An operand as the in-place editor opens it: its symbol's name while
    // addresses are shown as symbols.
    static std::string OperandEditText(const std::string& operand);

    // Whether an operand suits a pin's type mask: a local variable of the POU,
    // a global symbol, a direct address or, where the mask allows, a constant.
    // An empty operand and "????" suit; FALSE while the POU is not at hand.
    BOOL OperandSuitsMask(DWORD mask, const std::string& text) const;
    // Whether the operand, or the address of the global symbol it names, is forced.
    BOOL IsOperandForced(const std::string& operand) const;
    static BOOL IsMonitoring();
    // The forced mark: a yellow padlock whose body's top-left corner is given.
    static void DrawPadlock(CDC* dc, int left, int top);
    // The blue frame around a find hit.
    static void DrawFoundFrame(CDC* dc, const CRect& frame);
    // The part of a coil's or contact's type text between its brackets or bars.
    static std::string InnerTypeText(const std::string& typeText, char open, char close);

    // Guard words of a live element.
    static constexpr DWORD GUARD_A = 0x11223344;
    static constexpr DWORD GUARD_B = 0x55667788;

    DWORD m_guardA = GUARD_A;
    DWORD m_guardB = GUARD_B;
    int m_childAIndex = -1;
    int m_childBIndex = -1;
    CLDElement* m_childA = nullptr; // owned
    CLDElement* m_childB = nullptr; // owned
    CLDElement* m_parent = nullptr;
    int m_selectedLabel = -1;
    CLDCellRect m_layoutRect;
    CLDCellRect m_position;
    int m_width = 0;
    int m_height = 0;
    COLORREF m_lineColor = RGB(0, 0, 0);
    CRect m_drawnRect;
    int m_kind = LD_KIND_COIL;
    int m_link = 0;

private:
    void AdoptChild(CLDElement* child);
    // The address whose monitored value an operand shows: a local or global symbol's, else the operand.
    std::string MonitoredAddress(const std::string& operand) const;
    void LinkChildren(const std::vector<CLDElement*>& elements);

    CLDNameTables* m_names = nullptr;
    std::uint64_t m_serial = 0;
};
