#include "CDrawText.h"

#include "CDC.h"
#include "Gbk.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text, UINT format)
{
    if (format & DT_SINGLELINE)
        return {text};
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(line);
        line.clear();
    }
    lines.push_back(line);
    return lines;
}

} // namespace

std::string CDrawText::StripPrefix(const std::string& text, int* mnemonic)
{
    std::string shown;
    int mark = -1;
    for (size_t i = 0; i < text.size();) {
        const int length = GbkCharLength(text, i);
        if (text[i] != '&') {
            shown.append(text, i, static_cast<size_t>(length));
            i += static_cast<size_t>(length);
            continue;
        }
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] == '&') {
            shown += '&';
            i += 2;
            continue;
        }
        if (mark < 0)
            mark = static_cast<int>(shown.size());
        ++i;
    }
    if (mnemonic != nullptr)
        *mnemonic = mark;
    return shown;
}

std::string CDrawText::EndEllipsis(const CDC& dc, const std::string& line, int width, size_t* kept)
{
    if (kept != nullptr)
        *kept = line.size();
    if (dc.GetTextExtent(line).cx <= width)
        return line;
    // One measuring pass: the width up to each character's end plus the dots.
    std::vector<int> widths;
    dc.GetCharacterEnds(line, &widths);
    const int dots = dc.GetTextExtent("...").cx;
    size_t keep = 0;
    size_t end = 0;
    for (const int reached : widths) {
        end += static_cast<size_t>(GbkCharLength(line, end));
        if (reached + dots > width)
            break;
        keep = end;
    }
    if (kept != nullptr)
        *kept = keep;
    return line.substr(0, keep) + "...";
}

int CDrawText::Layout(const CDC& dc, const std::string& text, CRect* rect, UINT format, std::vector<CTextPiece>* pieces)
{
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    const int lineHeight = metrics.tmHeight;
    const std::vector<std::string> lines = SplitLines(text, format);
    const int total = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const std::string& line : lines) {
            const std::string shown = (format & DT_NOPREFIX) ? line : StripPrefix(line, nullptr);
            const int width = dc.GetTextExtent(shown).cx;
            widest = width > widest ? width : widest;
        }
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }

    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    for (const std::string& line : lines) {
        int mnemonic = -1;
        std::string shown = (format & DT_NOPREFIX) ? line : StripPrefix(line, &mnemonic);
        size_t kept = shown.size();
        if (format & DT_END_ELLIPSIS)
            shown = EndEllipsis(dc, shown, rect->Width(), &kept);
        const int width = dc.GetTextExtent(shown).cx;
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - width;
        CTextPiece piece;
        piece.at = CPoint(x, y);
        piece.text = shown;
        if (mnemonic >= 0 && static_cast<size_t>(mnemonic) < kept) {
            const size_t index = static_cast<size_t>(mnemonic);
            piece.underline = TRUE;
            piece.underlineLeft = x + dc.GetTextExtent(shown.substr(0, index)).cx;
            piece.underlineRight = x + dc.GetTextExtent(shown.substr(0, index + static_cast<size_t>(GbkCharLength(shown, index)))).cx;
        }
        if (pieces != nullptr)
            pieces->push_back(piece);
        y += lineHeight;
    }
    return y - rect->top;
}

int CDrawText::Draw(CDC& dc, const std::string& text, CRect* rect, UINT format)
{
    std::vector<CTextPiece> pieces;
    const int height = Layout(dc, text, rect, format, &pieces);
    if (format & DT_CALCRECT)
        return height;

    const CRgn clip = dc.m_clip;
    const BOOL hadClip = dc.m_hasClip;
    if ((format & DT_NOCLIP) == 0) {
        dc.StartClip();
        dc.m_clip.IntersectRect(dc.m_mapping.LPtoDP(*rect));
        ++dc.m_clipGeneration;
    }
    const UINT align = dc.m_textAlign;
    dc.m_textAlign = TA_LEFT | TA_TOP;
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    for (const CTextPiece& piece : pieces) {
        dc.DoTextOut(piece.at.x, piece.at.y, piece.text);
        if (piece.underline) {
            const int lineY = piece.at.y + metrics.tmAscent + 1;
            dc.DoFillSolidRect(CRect(piece.underlineLeft, lineY, piece.underlineRight, lineY + 1), dc.m_textColor);
        }
    }
    dc.m_textAlign = align;
    if ((format & DT_NOCLIP) == 0) {
        dc.m_clip = clip;
        dc.m_hasClip = hadClip;
        ++dc.m_clipGeneration;
    }
    return height;
}
