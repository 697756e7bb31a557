#pragma once
// The output element of a ladder network: the root of every network's tree,
// standing in the network's last column with its input tree to the left and
// further coils of the network chained below it (childB, link 2). Its IL text
// closes the network: the input's lines, then one line per coil.
//
// A network whose IL cannot be drawn is kept as a coil whose graphical flag
// is 0: it holds the network's IL lines, draws nothing and writes them back
// unchanged.

#include "CLDElement.h"

class CCoil : public CLDElement {
    DECLARE_SERIAL(CCoil)
public:
    CCoil();
    ~CCoil() override;

    // Coil-found mark, operand-found mark, childA index, childB index,
    // operand, type text, kind, link, then the graphical flag and the held IL
    // text, so that an undo snapshot keeps a network held as IL.
    void Serialize(CArchive& ar) override;
    int Find(const std::string& text, int mode) override;
    int ReplaceAll(const std::string& find, const std::string& replace) override;
    int ReplaceOne(const std::string& find, const std::string& replace) override;
    void SetFindResultMark(const CFindResult& record, int mark) override;
    std::string GetTypeText() const override;
    BOOL GetEditPosition(CPoint* point, int cellWidth, int cellHeight) override;
    CSize GetSize(BOOL printing) override;
    CSize LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                        CLDPositionMap* positionMap, CDC* dc, BOOL highlight) override;
    CSize LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow) override;
    std::string GetOperand() const override;
    void DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc) override;
    // Trimmed; empty becomes "????"; a direct address is upper-cased.
    void SetOperand(const std::string& text) override;
    BOOL HitTestOperandLabel(CPoint* point, std::string* text, int cellWidth, int cellHeight, BOOL select) override;
    BOOL HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text) override;
    // The input's lines (or "LD    TRUE"), then the line of every coil of the chain.
    std::string GetILText() override;
    // Operands in display form; a label coil's label joins the program's list.
    void NormaliseOperand() override;

    void SetTypeText(const std::string& typeText) { m_typeText = typeText; }
    DWORD GetOperandPinMask() const;
    BOOL IsOperandValidForMask(DWORD mask, const std::string& text) const;
    // Type text, the byte 0x01, the operand as entered.
    std::string GetExchangeText() const;

    // The type text between its brackets: "", "/", "S", "LBL", ...
    std::string GetInnerText() const;
    BOOL HasOperand() const;
    BOOL IsLabelType() const;

    int GetGraphicalFlag() const { return m_graphical; }
    void SetGraphicalFlag(int graphical) { m_graphical = graphical; }
    const std::string& GetHeldILText() const { return m_ilText; }
    void SetHeldILText(const std::string& text) { m_ilText = text; }
    int GetForcedMark() const { return m_forced; }
    int GetOperandFoundMark() const { return m_operandFound; }
    int GetCoilFoundMark() const { return m_coilFound; }
    int GetChainLength() const { return m_chainLength; }
    int GetRailTop() const { return m_railTop; }
    int GetRailBottom() const { return m_railBottom; }
    int GetRailX() const { return m_railX; }

private:
    CSize Layout(const CLDLayoutPass& pass);
    // The next coil of the chain when this one's link is parallel.
    CCoil* NextInChain() const;
    // The coil's line for its inner text, without the "-(NUL)" rule.
    std::string CoilLine(const std::string& operand) const;
    void DrawSymbol(const CLDLayoutPass& pass);
    void DrawOperand(const CLDLayoutPass& pass);
    void DrawMarks(const CLDLayoutPass& pass) const;
    void DrawChainLinks(const CLDLayoutPass& pass, int rows);
    BOOL InOperandArea(int x, int y, int cellWidth, int cellHeight) const;
    BOOL Matches(const std::string& text, const std::string& searchCopy, std::string* copy) const;
    std::string OperandReportLine(const std::string& operand) const;
    void FillResult(int action, const std::string& lineText) const;
    int ReplaceHere(const std::string& find, const std::string& replace, BOOL onlyFirst);

    int m_forced = 0;
    int m_operandFound = 0;
    int m_coilFound = 0;
    std::string m_operand;
    int m_railTop = 0;
    int m_railBottom = 0;
    int m_railX = 0;
    int m_chainLength = 1;
    std::string m_typeText;
    int m_graphical = 1;
    std::string m_ilText;
};
