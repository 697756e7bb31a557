#pragma once
// A fresh application data object with a project in a private folder: its
// CPU family and memory areas chosen by the test, modules taken from the
// catalogue by hardware code, and an object file of the compiler.

#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/POULanguageTable.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ImageProjectFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        Project().ProjectFolder = m_folder.Path();
        Project().ProjectName = "demo";
        Project().ProjectPath = m_folder / "demo.qpj";
    }
    void TearDown() override
    {
        ClearPOULanguageTable();
        g_pAppData = nullptr;
        m_app.reset();
    }

    CZULProject& Project() { return m_app->Project; }

    void UseFamily(int familyIndex, BYTE subType)
    {
        Project().CPUFamilyIndex = familyIndex;
        m_app->LoadAreaTable();
        m_app->ProfileSubType = subType;
    }

    // Appends the module of this hardware code; the project owns it.
    CZUL_Q7_PLC& AddModule(BYTE hardwareCode)
    {
        auto* module = new CZUL_Q7_PLC;
        module->InitFromCatalog(*FindCatalogRowByCode(hardwareCode));
        Project().Modules.emplace_back(module);
        return *module;
    }

    void WriteObjectCode(const std::vector<unsigned char>& code) { WriteFileBytes(m_folder / "demo.epl", code); }

    TempFolder m_folder;
    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
};
