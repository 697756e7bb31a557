#pragma once
// The splitter of the POU editor and hardware frames: the upper row never
// stays lower than 35 pixels after the user lets go of the bar.

#include "platform/ui/CSplitterWnd.h"

constexpr int kMinUpperRowHeight = 35;

class CMinRowSplitter : public CSplitterWnd {
    DECLARE_DYNAMIC(CMinRowSplitter)
public:
    CMinRowSplitter() = default;

protected:
    void OnLButtonUp(UINT flags, CPoint point) override;
};
