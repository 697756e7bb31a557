#include "CRecordingDC.h"

#include <cstdlib>

CRecordingDC::CRecordingDC(CSize device, int dpi) : m_device(device), m_dpi(dpi)
{
    InitResolution(dpi, dpi);
}

int CRecordingDC::CellHeight() const
{
    const int height = std::abs(static_cast<int>(GetCurrentFont().GetRecord().lfHeight));
    return height == 0 ? 16 : height;
}

CSize CRecordingDC::DoGetTextExtent(const std::string& text) const
{
    const int cell = CellHeight();
    const int width = cell / 2 > 0 ? cell / 2 : 1;
    return CSize(width * static_cast<int>(text.size()), cell);
}

void CRecordingDC::DoGetTextMetrics(TEXTMETRIC* metrics) const
{
    const int cell = CellHeight();
    metrics->tmHeight = cell;
    metrics->tmAscent = cell * 4 / 5;
    metrics->tmDescent = cell - metrics->tmAscent;
    metrics->tmAveCharWidth = cell / 2 > 0 ? cell / 2 : 1;
    metrics->tmMaxCharWidth = metrics->tmAveCharWidth * 2;
    metrics->tmWeight = GetCurrentFont().GetRecord().lfWeight;
    metrics->tmCharSet = GetCurrentFont().GetRecord().lfCharSet;
}

int CRecordingDC::DoGetDeviceCaps(int index) const
{
    switch (index) {
    case HORZRES:
        return m_device.cx;
    case VERTRES:
        return m_device.cy;
    case BITSPIXEL:
        return 32;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_dpi;
    default:
        return 0;
    }
}

std::unique_ptr<CDC> CRecordingDC::DoCreateCompatibleDC(int cx, int cy)
{
    return std::make_unique<CRecordingDC>(CSize(cx, cy), m_dpi);
}
