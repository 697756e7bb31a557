#pragma once
// An MDI frame with the hardware window open over a fresh project, the
// HW Catalog tree beside it aimed at that frame, and scripted message
// boxes and help.

#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHWInfoView.h"
#include "hardware/ui/CHardwareGridView.h"
#include "hardware/ui/CQ7PLCTreeView.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CMessagePump.h"
#include "shell/IHardwareWindow.h"
#include "support/ScriptedUi.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

#include <QCoreApplication>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Records what the hardware window reports about its activation.
class CRecordingMainFrame : public CMDIFrameWnd, public IHardwareWindowHost {
public:
    void OnHardwareWindowActivated(BOOL active) override { activations.push_back(active != FALSE); }
    std::vector<bool> activations;
};

class HardwareWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CMessagePump::Install();
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_doc.SetModifiedFlag(FALSE);
        AttachProjectDocument(&m_doc);
        m_frame = std::make_unique<CRecordingMainFrame>();
        ASSERT_TRUE(m_frame->Create(nullptr, CRect(0, 0, 1000, 760), 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        m_tree = std::make_unique<CQ7PLCTreeView>();
        m_tree->m_bAutoDelete = FALSE;
        ASSERT_TRUE(m_tree->Create(nullptr, CRect(0, 0, 220, 700), 1, WS_VISIBLE));
        m_tree->SetMainFrame(m_frame.get());
    }
    void TearDown() override
    {
        if (m_hw)
            m_hw->DestroyWindow();
        m_tree.reset();
        m_frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        AttachProjectDocument(nullptr);
        g_pAppData = nullptr;
        m_app.reset();
    }

    void OpenWindow()
    {
        m_hw = new CChildFrameHW;
        ASSERT_TRUE(m_hw->Create("Hardware", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(), m_frame.get()));
        m_hw->ActivateFrame();
        m_hw->GetGridView()->SetFocus();
        m_hw->SetActiveView(m_hw->GetGridView());
    }

    CZULProject& Project() { return m_app->Project; }
    int Slots() { return static_cast<int>(Project().Modules.size()); }
    CZUL_Q7_PLC* Slot(int slot) { return Project().Modules[static_cast<size_t>(slot)].get(); }
    CHardwareGridView& Grid() { return *m_hw->GetGridView(); }
    CHardwareGridModel& Model() { return *Grid().GetModel(); }
    CHWInfoView& Info() { return *m_hw->GetInfoView(); }
    template <class Page>
    Page* PageAt(int tab)
    {
        return dynamic_cast<Page*>(Info().GetPage(tab));
    }

    HTREEITEM FindItem(const std::string& text)
    {
        CTreeCtrl& tree = m_tree->GetTreeCtrl();
        for (HTREEITEM root = tree.GetRootItem(); root; root = tree.GetNextSiblingItem(root)) {
            if (tree.GetItemText(root) == text)
                return root;
            for (HTREEITEM item = tree.GetChildItem(root); item; item = tree.GetNextSiblingItem(item)) {
                if (tree.GetItemText(item) == text)
                    return item;
            }
        }
        return nullptr;
    }
    QPoint Reveal(HTREEITEM item)
    {
        CTreeCtrl& tree = m_tree->GetTreeCtrl();
        tree.Tree()->scrollToItem(tree.Tree()->currentItem());
        CRect text;
        EXPECT_TRUE(tree.GetItemRect(item, &text, TRUE));
        return tree.Tree()->viewport()->mapFrom(m_tree.get(), QPoint(text.left + 3, (text.top + text.bottom) / 2));
    }
    // Double-clicks the catalogue item of a model name (or group caption).
    void DoubleClick(const std::string& text)
    {
        HTREEITEM item = FindItem(text);
        ASSERT_NE(nullptr, item) << text;
        QTest::mouseDClick(m_tree->GetTreeCtrl().Tree()->viewport(), Qt::LeftButton, {}, Reveal(item));
        QCoreApplication::sendPostedEvents();
    }
    // Models in the slots, in order.
    std::vector<std::string> Models()
    {
        std::vector<std::string> models;
        for (const auto& record : Project().Modules)
            models.push_back(record ? record->model : "");
        return models;
    }
    std::vector<std::string> TabLabels()
    {
        std::vector<std::string> labels;
        CTKFlatTabCtrl* tabs = Info().GetTabStrip();
        for (int i = 0; i < tabs->GetItemCount(); ++i)
            labels.push_back(tabs->GetTabText(i));
        return labels;
    }
    // The grid's focus on a slot, then the catalogue item double-clicked.
    void InsertAt(int slot, const std::string& model)
    {
        Grid().SelectModuleRow(slot + 1, 1);
        DoubleClick(model);
    }

    CScopedUi m_ui;
    CProjTreeDOC m_doc;
    std::unique_ptr<CZULAppData> m_app;
    std::unique_ptr<CRecordingMainFrame> m_frame;
    std::unique_ptr<CQ7PLCTreeView> m_tree;
    CChildFrameHW* m_hw = nullptr;
};
