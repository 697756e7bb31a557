#pragma once
// The input element of a ladder network: one cell that tests a bit operand
// (normally open or closed, immediate or not) or, as "-|NOT|-", inverts the
// current result. Its series successor follows to the right, its parallel
// successor below.

#include "CLDElement.h"

class CContact : public CLDElement {
    DECLARE_SERIAL(CContact)
public:
    CContact();
    ~CContact() override;

    // Type-found mark, operand-found mark, childA index, childB index,
    // operand, type text, kind, link.
    void Serialize(CArchive& ar) override;
    // The search passes return the hits in the contact and its successors.
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
    // The contact's line in its load, AND or OR form, then its successor's lines.
    std::string GetILText() override;
    void NormaliseOperand() override;

    void SetTypeText(const std::string& typeText) { m_typeText = typeText; }
    // The operand type mask of the contact's catalogue row; 0 for an unknown type.
    DWORD GetOperandPinMask() const;
    BOOL IsOperandValidForMask(DWORD mask, const std::string& text) const;
    // Type text, the byte 0x01, the operand as the IL line writes it.
    std::string GetTransferText();

    // The type text between its bars: "", "/", "I", "/I" or "NOT".
    std::string GetInnerText() const;
    int GetForcedMark() const { return m_forced; }
    int GetOperandFoundMark() const { return m_operandFound; }
    int GetTypeFoundMark() const { return m_typeFound; }

private:
    CSize Layout(const CLDLayoutPass& pass);
    BOOL IsNotType() const;
    // The operand as the IL line and the transfer text write it.
    std::string AddressText();
    void DrawSymbol(const CLDLayoutPass& pass, CPoint origin);
    void DrawOperand(const CLDLayoutPass& pass);
    void DrawMarks(const CLDLayoutPass& pass, CPoint origin) const;
    void DrawParallelLinks(const CLDLayoutPass& pass, CPoint origin, CSize below) const;
    BOOL InOperandArea(int x, int y, int cellWidth, int cellHeight) const;
    // Whether the text matches the search text under the dialog's options.
    BOOL Matches(const std::string& text, const std::string& searchCopy, std::string* copy) const;
    std::string OperandReportLine() const;
    void FillOperandResult(int action, const std::string& lineText) const;

    std::string m_operand;
    std::string m_typeText;
    int m_forced = 0;
    int m_operandFound = 0;
    int m_typeFound = 0;
};
