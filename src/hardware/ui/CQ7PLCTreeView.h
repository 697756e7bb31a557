#pragma once
// The HW Catalog: the modules of the catalogue that are offered, in three
// groups. A double-click puts the module into the hardware window's grid
// when that grid is the active view; after a click, resting on a module
// shows its description; F1 opens help for the selected item's text.

#include "platform/CImageList.h"
#include "platform/ui/CTreeView.h"

#include <QTimer>

#include <string>

class CMDIFrameWnd;
struct CModuleCatalogEntry;

class CQ7PLCTreeView : public CTreeView {
    DECLARE_DYNCREATE(CQ7PLCTreeView)
public:
    CQ7PLCTreeView();
    ~CQ7PLCTreeView() override;

    // The frame whose active hardware grid takes double-clicked modules;
    // without one, the application's main window.
    void SetMainFrame(CMDIFrameWnd* frame) { m_frame = frame; }

    // The catalogue row of an item; null for a group.
    const CModuleCatalogEntry* GetItemRow(HTREEITEM item) const;
    // The description shown for a client point; empty when none.
    std::string GetTooltipText(CPoint point) const;
    bool IsTooltipArmed() const { return m_armed; }
    const std::string& GetPendingTooltip() const { return m_pendingTip; }

protected:
    int OnCreate() override;
    DWORD GetTreeStyle() const override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

private:
    void BuildTree();
    bool IsPaneActive() const;
    void HideTooltip();
    void ShowTooltip();
    void OnFocusChanged(QWidget* old, QWidget* now);

    CImageList m_images;
    CMDIFrameWnd* m_frame = nullptr;
    bool m_armed = false;
    QTimer m_tipDelay;
    std::string m_pendingTip;
    CPoint m_tipPoint;
};
