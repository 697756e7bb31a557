#pragma once
// The inner node of a network's tree: two parts in series (link 1: childB
// the left part, childA what follows it) or in parallel (link 2: childA the
// upper branch, childB the lower one). It has no cell of its own; it places
// its parts, draws the connections of a parallel branch and writes the
// "AND(" / "OR(" brackets of the IL text.

#include "CLDElement.h"

class CLogicNode : public CLDElement {
    DECLARE_SERIAL(CLogicNode)
public:
    CLogicNode();
    ~CLogicNode() override;

    // childA index, childB index, kind, link; a stored kind other than a
    // logic node's is refused with the archive's badClass error.
    void Serialize(CArchive& ar) override;
    int Find(const std::string& text, int mode) override;
    int ReplaceAll(const std::string& find, const std::string& replace) override;
    int ReplaceOne(const std::string& find, const std::string& replace) override;
    std::string GetTypeText() const override;
    CSize GetSize(BOOL printing) override;
    CSize LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                        CLDPositionMap* positionMap, CDC* dc, BOOL highlight) override;
    CSize LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow) override;
    BOOL HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text) override;
    std::string GetILText() override;

    int GetExtraRows() const { return m_extraRows; }

private:
    CSize Layout(const CLDLayoutPass& pass);
    CSize LayoutSeries(const CLDLayoutPass& pass);
    CSize LayoutParallel(const CLDLayoutPass& pass);
    // A series node without a right part whose left part is a series node
    // stands for that left part: it takes over the left part's parts.
    void AbsorbSeriesLeftPart();
    void DrawBranchLines(CSize upper, CSize lower, const CLDLayoutPass& pass);
    BOOL IsSeriesNode(const CLDElement* element) const;
    // The parts in search order: series left then right, parallel upper then lower.
    CLDElement* FirstSearchPart() const;
    CLDElement* SecondSearchPart() const;

    int m_extraRows = 0;
};
