#pragma once
// The header of a ladder network: the line "(* Network n *)" and the
// network's comment, or "(* Invalid Network *)" in red for a network that
// could not be drawn from its IL text. Its size follows the text it shows.

#include "CLDElement.h"

class CComment : public CLDElement {
    DECLARE_SERIAL(CComment)
public:
    CComment();
    ~CComment() override;

    // Found mark, childA index, childB index, text, network number, column, row.
    void Serialize(CArchive& ar) override;
    int Find(const std::string& text, int mode) override;
    int ReplaceAll(const std::string& find, const std::string& replace) override;
    int ReplaceOne(const std::string& find, const std::string& replace) override;
    void SetFindResultMark(const CFindResult& record, int mark) override;
    std::string GetTypeText() const override;
    CSize GetSize(BOOL printing) override;
    CSize LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                        CLDPositionMap* positionMap, CDC* dc, BOOL highlight) override;
    CSize LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow) override;
    BOOL HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text) override;
    // The header line and, with a comment, one comment line whose line breaks are the byte 0x01.
    std::string GetILText() override;

    // The text as drawn: the header line, CR LF, then the comment or the invalid mark.
    std::string GetShownText() const;

    int GetNetworkNumber() const { return m_network; }
    void SetNetworkNumber(int network) { m_network = network; }
    const std::string& GetText() const { return m_text; }
    void SetText(const std::string& text) { m_text = text; }
    // 1 for an ordinary header, 0 for the header of a network kept as IL text.
    int GetValidFlag() const { return m_valid; }
    void SetValidFlag(int valid) { m_valid = valid; }
    int GetFoundMark() const { return m_found; }

private:
    // The cells the header covers go into the position map.
    void EnterCoveredCells(CLDPositionMap* positionMap);
    void DrawFoundMark(CDC* dc, int x, int y, int cellWidth, int cellHeight) const;
    // Matches the comment text against the search text; the position of the hit in the copy.
    BOOL Matches(const std::string& text, std::string& commentCopy, int& at) const;
    std::string ReportLine() const;

    int m_found = 0;
    int m_network = 0;
    std::string m_text;
    int m_valid = 1;
};
