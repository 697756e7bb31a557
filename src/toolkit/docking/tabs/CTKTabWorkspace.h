#pragma once
// The strip-mode window of the MDI tab client: a child of the frame laid
// over the area the frame gives the MDI client. It draws its tab group
// around the MDI client (whose area it leaves alone), passes clicks and
// mouse moves to the group, and first offers every button press to the
// frame as message 1156.

#include "platform/ui/CWnd.h"

class CTKMDITabGroup;

class CTKTabWorkspace : public CWnd {
    DECLARE_DYNAMIC(CTKTabWorkspace)
public:
    explicit CTKTabWorkspace(CTKMDITabGroup* group);
    ~CTKTabWorkspace() override;

    // A visible child of the frame with an empty rectangle and id 0.
    BOOL CreateWorkspace(CWnd* frame);
    CTKMDITabGroup* GetGroup() const { return m_group; }

    BOOL PreTranslateMessage(MSG* msg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;

private:
    void PressInTabs(CPoint point);

    CTKMDITabGroup* m_group;
};
