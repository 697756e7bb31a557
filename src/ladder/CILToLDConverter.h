#pragma once
// Turns IL lines into ladder networks in two passes. Parse splits the lines
// into networks at their headers, checks every line against the shapes a
// rung can show and marks the networks that cannot be drawn; Build makes
// for every network its header comment and root coil: the coil chain with
// its input tree of contacts, logic nodes and boxes, or, for a marked
// network, a coil that keeps the network's own IL lines.

#include "CILBlockBuilder.h"
#include "CILLineScanner.h"

#include <memory>
#include <string>
#include <vector>

class CLDContext;
class CLDElement;
class CLogicNode;

// Deletes a built network item with its tree; FB instances stay.
struct LDTreeDeleter {
    void operator()(CLDElement* element) const;
};
using LDItemPtr = std::unique_ptr<CLDElement, LDTreeDeleter>;

class CILToLDConverter {
public:
    // An "OR(" or "AND(" line, the ")" that closes it (-1 while open) and its kind.
    struct BlockRecord {
        int start = 0;
        int end = -1;
        int kind = 0;
    };

    // The catalogue and the project's POU names the networks are made with.
    explicit CILToLDConverter(const CLDContext& context);
    virtual ~CILToLDConverter() = default;
    CILToLDConverter(const CILToLDConverter&) = delete;
    CILToLDConverter& operator=(const CILToLDConverter&) = delete;

    // Converting pasted text: the header comments take the network numbers
    // from values, one per network, in order.
    void SetPasteMode(const std::vector<int>* values);
    // Reading a program file: a network that cannot be built is kept as IL
    // like a marked one, instead of failing the build, so no line is lost.
    void KeepUnbuildableNetworks() { m_keepUnbuildable = TRUE; }

    // FALSE only for no lines. Messages for the lines that cannot be drawn go to errorText.
    BOOL Parse(const std::vector<std::string>& lines, std::string* errorText);
    // After a successful Parse: two items per network (header, root). FALSE,
    // with no items, when the text has no network or a drawable network
    // cannot be built (unless such networks are kept).
    BOOL Build();
    // The built items; the converter keeps none.
    std::vector<LDItemPtr> TakeResults();

    // The first pass, for inspection.
    const std::vector<std::string>& GetCollectedLines() const { return m_lines; }
    const std::vector<int>& GetNetworkStarts() const { return m_networkStarts; }
    const std::vector<int>& GetFirstCoilLines() const { return m_firstCoilLines; }
    const std::vector<std::string>& GetHeaderTexts() const { return m_headerTexts; }
    const std::vector<BlockRecord>& GetBlockRecords() const { return m_blockRecords; }
    // Whether network k failed a check and is kept as IL.
    BOOL IsNetworkMarked(int network) const;

    static const char* const INVALID_MARK;

private:
    // One series or parallel build: its parent, the last element placed and
    // the node that the last join made.
    struct Chain {
        CLDElement* parent = nullptr;
        CLDElement* last = nullptr;
        CLDElement* open = nullptr;
    };

    // First pass.
    void StartNetwork();
    void MarkNetwork();
    void CloseOpenBlocks();
    int GetBlockEndType() const;
    void AppendSource(const std::string& line);

    // Second pass.
    void AddNetworkHeader(const std::string& text, int network);
    // Network k with its header number, kept as a coil holding its own lines.
    void KeepNetworkAsIL(int network, int number, const std::string& text);
    void DeleteResults();
    // FALSE when the network cannot be drawn.
    BOOL BuildNetwork(int first, int last, int coilLine);
    CLDElement* BuildCoilChain(int start, int end);
    BOOL BuildSeries(int first, int last, CLDElement* parent);
    BOOL BuildParallel(int first, int last, CLDElement* parent);
    CLDElement* MakeFirstContact(int line);
    CLDElement* MakeContact(const std::vector<std::string>& tokens);
    CLogicNode* MakeBlockNode(const std::vector<std::string>& tokens);
    int FindBlockEnd(int line);
    // The box of a line and the lines it used; FALSE when it cannot be made.
    BOOL MakeBox(int line, int last, std::vector<std::string>& tokens, CLDElement** box, int* consumed);
    // A block's end inside the range, or -1.
    int BlockEndWithin(int line, int last);

    void AttachFirst(Chain& chain, int mode, CLDElement* element);
    BOOL AddParallelPart(Chain& chain, CLDElement* element);
    BOOL AddSeriesPart(Chain& chain, CLDElement* element);
    BOOL AddSeriesPartInParallel(Chain& chain, CLDElement* element);
    BOOL AddParallelPartInParallel(Chain& chain, CLDElement* element);

    const std::vector<int>* m_values = nullptr;
    int m_pasteMode = 0;
    int m_valuePosition = 0;
    std::vector<BlockRecord> m_blockRecords;
    int m_blockLookup = 0;
    std::vector<int> m_networkStarts;
    std::vector<int> m_firstCoilLines;
    std::vector<std::string> m_headerTexts;
    std::vector<std::string> m_lines;
    // Per network, its input lines as written, for a network kept as IL.
    std::vector<std::vector<std::string>> m_sources;
    CILLineScanner m_scanner;
    CILBlockBuilder m_blockBuilder;
    std::vector<LDItemPtr> m_results;
    BOOL m_keepUnbuildable = FALSE;

    // Parse state.
    std::vector<int> m_blockStack;
    std::string* m_errorText = nullptr;
};
