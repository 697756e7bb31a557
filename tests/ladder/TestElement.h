#pragma once
// A small element for building trees in tests: by its kind it stands for a
// contact (one cell, successor by link, "LD"/"AND"/"OR" lines as a contact
// writes them), a coil (the root: its input to the left, "ST" after it) or
// a block (one cell, an FB instance or a function by its flag).

#include "ladder/CLDElement.h"
#include "platform/CArchive.h"

#include <algorithm>
#include <string>
#include <vector>

class CTestElement : public CLDElement {
    DECLARE_SERIAL(CTestElement)
public:
    CTestElement() : CTestElement(LD_KIND_CONTACT, "?") {}
    CTestElement(int kind, std::string operand, int link = LD_LINK_SERIES, std::string typeText = "-| |-")
        : m_operand(std::move(operand)), m_typeText(std::move(typeText))
    {
        m_kind = kind;
        m_link = link;
        m_width = 1;
        m_height = 1;
        m_position.SetCell(0);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_childAIndex << m_childBIndex << m_kind << m_link << m_operand;
        else
            ar >> m_childAIndex >> m_childBIndex >> m_kind >> m_link >> m_operand;
    }
    // Search passes note the visit in the visit log and go on to the successor.
    int Find(const std::string& text, int mode) override
    {
        return Visit("find", [&](CLDElement* next) { return next->Find(text, mode); });
    }
    int ReplaceAll(const std::string& find, const std::string& replace) override
    {
        return Visit("all", [&](CLDElement* next) { return next->ReplaceAll(find, replace); });
    }
    int ReplaceOne(const std::string& find, const std::string& replace) override
    {
        return Visit("one", [&](CLDElement* next) { return next->ReplaceOne(find, replace); });
    }
    BOOL IsFunction() const override { return m_function; }
    std::string GetTypeText() const override { return m_typeText; }
    std::string GetOperand() const override { return m_operand; }
    CSize GetSize(BOOL printing) override
    {
        if (m_kind == LD_KIND_COIL)
            return m_childA ? m_childA->GetSize(printing) : CSize(0, 0);
        return SuccessorSize(printing);
    }
    CSize LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                        CLDPositionMap* positionMap, CDC* dc, BOOL highlight) override
    {
        return Layout({cellWidth, cellHeight, originCol, originRow, pouName, positionMap, dc, highlight});
    }
    CSize LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow) override
    {
        return Layout({cellWidth, cellHeight, originCol, originRow, std::string(), positionMap, nullptr, FALSE});
    }
    BOOL HitTestOperandText(int, int, int, int, std::string*) override { return FALSE; }
    std::string GetILText() override
    {
        if (m_kind == LD_KIND_COIL)
            return (m_childA ? m_childA->GetILText() : std::string()) + "ST    " + m_operand + "\r\n";
        const int parentKind = m_parent ? m_parent->GetKind() : LD_KIND_COMMENT;
        const int parentLink = m_parent ? m_parent->GetLink() : 0;
        std::string mnemonic;
        if (m_link == LD_LINK_SERIES) {
            const bool load = parentKind == LD_KIND_COIL
                || (parentKind == LD_KIND_LOGIC_NODE && parentLink == LD_LINK_PARALLEL);
            mnemonic = load ? "LD" : "AND";
        } else {
            mnemonic = parentKind == LD_KIND_LOGIC_NODE && parentLink == LD_LINK_SERIES ? "LD" : "OR";
        }
        std::string text = mnemonic + "    " + m_operand + "\r\n";
        if (CLDElement* next = GetSuccessor())
            text += next->GetILText();
        return text;
    }

    void SetFunction(BOOL function) { m_function = function; }

    static std::vector<std::string>& VisitLog()
    {
        static std::vector<std::string> log;
        return log;
    }

private:
    template <typename Pass>
    int Visit(const char* pass, Pass goOn)
    {
        VisitLog().push_back(std::string(pass) + " " + m_operand);
        CLDElement* next = GetSuccessor();
        return 1 + (next ? goOn(next) : 0);
    }

    CSize Layout(const CLDLayoutPass& pass)
    {
        m_position = m_layoutRect;
        if (m_kind == LD_KIND_COIL)
            return m_childA ? LayoutChild(m_childA, m_layoutRect, pass) : CSize(0, 0);
        InsertPosition(m_position.column, m_position.row, this, pass.positionMap);
        return LayoutSuccessor(pass);
    }

    std::string m_operand;
    std::string m_typeText;
    BOOL m_function = FALSE;
};
