#pragma once
// A device context that draws nothing and keeps every call as one line of
// text ("LineTo(10,4)", "TextOut(2,3,\"LD\")"), so that a drawing can be
// compared call by call. Text is measured as if every byte were a cell half
// as wide as the font's height is tall (an unset height counts as 16).

#include "CDC.h"

#include <string>
#include <vector>

class CRecordingDC : public CDC {
public:
    explicit CRecordingDC(CSize device = CSize(640, 480), int dpi = 96);

    const std::vector<std::string>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

protected:
    BOOL IsRecording() const override { return TRUE; }
    void Record(const std::string& call) override { m_calls.push_back(call); }

    void DoLine(CPoint, CPoint) override {}
    void DoRectangle(const CRect&) override {}
    void DoEllipse(const CRect&) override {}
    void DoArc(const CRect&, CPoint, CPoint) override {}
    void DoPolygon(const CPoint*, int) override {}
    COLORREF DoSetPixel(int, int, COLORREF color) override { return color; }
    COLORREF DoGetPixel(int, int) const override { return CLR_INVALID; }
    void DoFillSolidRect(const CRect&, COLORREF) override {}
    void DoPatBlt(const CRect&, const CBrush&, DWORD) override {}
    BOOL DoStretchBlt(const CRect&, CDC*, const CRect&, DWORD) override { return TRUE; }
    void DoDrawImage(const CRect&, const CIconImage&) override {}
    void DoTextOut(int, int, const std::string&) override {}
    CSize DoGetTextExtent(const std::string& text) const override;
    void DoGetTextMetrics(TEXTMETRIC* metrics) const override;
    int DoGetDeviceCaps(int index) const override;
    std::unique_ptr<CDC> DoCreateCompatibleDC(int cx, int cy) override;

private:
    int CellHeight() const;

    CSize m_device;
    int m_dpi;
    std::vector<std::string> m_calls;
};
