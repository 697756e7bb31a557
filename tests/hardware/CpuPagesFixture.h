#pragma once
// A fresh application data object whose project holds one CPU taken from
// the catalogue by hardware code, with the memory areas of its family, an
// attached project document whose modified flag the tests read, and
// scripted message boxes and help.

#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "model/ProjectModified.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>

constexpr BYTE CPU_CODE_VB12 = 1;
constexpr BYTE CPU_CODE_VB14 = 2;
constexpr BYTE CPU_CODE_VB16 = 5;
constexpr BYTE CPU_CODE_VB14EX = 36;
constexpr BYTE CPU_CODE_VC14 = 45;
constexpr BYTE CPU_CODE_VC16 = 47;
constexpr BYTE CPU_CODE_VA10 = 50;

class CpuPagesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_doc.SetModifiedFlag(FALSE);
        AttachProjectDocument(&m_doc);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        g_pAppData = nullptr;
        m_app.reset();
    }

    CZULProject& Project() { return m_app->Project; }

    // Appends a module of this hardware code; the first one sets the family.
    CZUL_Q7_PLC& AddModule(BYTE hardwareCode)
    {
        auto* module = new CZUL_Q7_PLC;
        module->InitFromCatalog(*FindCatalogRowByCode(hardwareCode));
        Project().Modules.emplace_back(module);
        if (Project().Modules.size() == 1) {
            Project().CPUFamilyIndex = CpuFamilyIndexFromHardwareCode(hardwareCode);
            m_app->LoadAreaTable();
        }
        return *module;
    }

    bool Modified() const { return m_doc.IsModified() != FALSE; }
    void ClearModified() { m_doc.SetModifiedFlag(FALSE); }

    CScopedUi m_ui;
    CProjTreeDOC m_doc;
    std::unique_ptr<CZULAppData> m_app;
};
