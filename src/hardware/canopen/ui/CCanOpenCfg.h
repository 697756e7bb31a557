#pragma once
// The fourth page of the CPU property sheet of a CPU with a CANopen master:
// it holds the CANopen sheet, created the first time the page comes to the
// front. While in front it enlarges the CPU sheet's tab control (and with
// it the page) so that the larger CANopen pages fit, and shrinks it back
// when another tab comes to the front. The hardware check stores the
// CANopen pages through it.

#include "platform/ui/CPropertyPage.h"

#include <memory>

class CCanOpenSheet;

constexpr UINT IDD_CANOPEN_CONFIG_PAGE = 4031;
constexpr UINT IDC_CANOPEN_CONFIG_FRAME = 4288;
// Pixels the tab control grows by while the CANopen page is in front.
constexpr int CANOPEN_PAGE_EXTRA_WIDTH = 370;
constexpr int CANOPEN_PAGE_EXTRA_HEIGHT = 255;

class CCanOpenCfg : public CPropertyPage {
    DECLARE_DYNCREATE(CCanOpenCfg)
public:
    CCanOpenCfg();
    ~CCanOpenCfg() override;

    // Null until the page was first in front.
    CCanOpenSheet* GetCanOpenSheet() const { return m_sheet.get(); }
    bool IsCreated() const { return m_created; }

    BOOL OnInitDialog() override;
    void OnSetActive() override;
    void OnKillActive() override;
    BOOL OnApply() override { return ApplyCanOpenConfig(); }
    // Stores every CANopen page; the first that refuses comes to the front.
    BOOL ApplyCanOpenConfig();

private:
    void GrowTabControl(int dx, int dy);

    std::unique_ptr<CCanOpenSheet> m_sheet;
    bool m_created = false;
};
