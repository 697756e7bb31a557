#pragma once
// A fresh application data object with an empty configuration, the module
// grid over it and a page host that keeps its tabs as labels and records
// every other request of the grid.

#include "hardware/CHardwareGridModel.h"
#include "hardware/IHardwareHost.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Catalogue rows by hardware code.
constexpr BYTE CODE_VB12 = 1;
constexpr BYTE CODE_VB14 = 2;
constexpr BYTE CODE_VB16 = 5;
constexpr BYTE CODE_VB14EX = 36;
constexpr BYTE CODE_VC14 = 45;
constexpr BYTE CODE_VC16 = 47;
constexpr BYTE CODE_VA10 = 50;
constexpr BYTE CODE_DI8 = 6;
constexpr BYTE CODE_DI16 = 8;
constexpr BYTE CODE_DO8 = 9;
constexpr BYTE CODE_DIO16 = 16;
constexpr BYTE CODE_AI4 = 18;
constexpr BYTE CODE_THERMO = 20;
constexpr BYTE CODE_AO2 = 23;
constexpr BYTE CODE_AIO3 = 42;

class CRecordingHardwareHost : public IHardwareHost {
public:
    struct Tab {
        std::string label;
        const CZUL_Q7_PLC* record = nullptr; // null: a note page
    };

    int GetTabCount() const override { return static_cast<int>(tabs.size()); }
    int GetCurrentTab() const override { return currentTab; }
    void SetCurrentTab(int tab) override { currentTab = tab; }
    void AddModulePage(int tab, CZUL_Q7_PLC* record) override
    {
        if (!record)
            return;
        const Tab page{std::to_string(tab), record};
        if (tab < GetTabCount())
            tabs[static_cast<size_t>(tab)] = page;
        else
            tabs.push_back(page);
    }
    void RemoveTab(int tab) override
    {
        if (tab < GetTabCount())
            tabs.erase(tabs.begin() + tab);
    }
    void ReplaceWithNotePage(int tab, const std::string& label) override
    {
        tabs[static_cast<size_t>(tab)] = Tab{label, nullptr};
    }
    void RebuildInstructionCatalog() override { calls.push_back("catalogue"); }
    void RebuildFBInstanceTable() override { calls.push_back("fb instances"); }
    void RecheckInitialData() override { calls.push_back("initial data"); }
    void RecheckGlobalVariables() override { calls.push_back("globals"); }
    void RedrawGrid() override { calls.push_back("redraw"); }
    void PostHelpKey() override { calls.push_back("help"); }

    std::vector<std::string> Labels() const
    {
        std::vector<std::string> labels;
        for (const Tab& tab : tabs)
            labels.push_back(tab.label);
        return labels;
    }

    std::vector<Tab> tabs{{"Note", nullptr}};
    int currentTab = 0;
    std::vector<std::string> calls;
};

class HardwareGridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = CRecordingHardwareHost{};
        m_ui.box.Clear();
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_grid = std::make_unique<CHardwareGridModel>(*m_app, m_host);
        m_grid->OnInitialUpdate();
        m_doc.SetModifiedFlag(FALSE);
        AttachProjectDocument(&m_doc);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        m_grid.reset();
        g_pAppData = nullptr;
        m_app.reset();
    }

    CZULProject& Project() { return m_app->Project; }
    int Slots() { return static_cast<int>(Project().Modules.size()); }
    CZUL_Q7_PLC* Slot(int slot) { return Project().Modules[static_cast<size_t>(slot)].get(); }

    // Double-clicks the catalogue row of the code with the focus on the slot.
    void InsertAt(int slot, BYTE code)
    {
        m_grid->SelectModuleRow(slot + 1, 1);
        m_grid->InsertCatalogModule(FindCatalogRowByCode(code));
    }
    // A CPU and expansion modules in slots 1 and up, without questions.
    void Build(BYTE cpu, const std::vector<BYTE>& modules)
    {
        InsertAt(0, cpu);
        for (size_t i = 0; i < modules.size(); ++i)
            InsertAt(static_cast<int>(i) + 1, modules[i]);
        ASSERT_EQ(static_cast<int>(modules.size()) + 1, Slots());
    }
    // Removes the slots first..last (data rows) with a Yes.
    void Remove(int first, int last)
    {
        m_grid->SelectModuleRow(first + 1, 1);
        while (m_grid->GetSelectionLast() < last)
            m_grid->OnKeyDown(HardwareGridKey::Down, true);
        m_ui.box.Answer(IDYES);
        m_grid->RemoveModule();
    }
    std::vector<std::string> RowTexts(int slot)
    {
        std::vector<std::string> texts;
        for (int column = 0; column < HW_GRID_DATA_COLUMNS; ++column)
            texts.push_back(m_grid->GetCellText(column, slot).text);
        return texts;
    }

    CScopedUi m_ui;
    CProjTreeDOC m_doc;
    CRecordingHardwareHost m_host;
    std::unique_ptr<CZULAppData> m_app;
    std::unique_ptr<CHardwareGridModel> m_grid;
};
