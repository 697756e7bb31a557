#pragma once
// A fresh application data object installed as g_pAppData for one test,
// with recording user-interface doubles.

#include "model/CZULAppData.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>

class AppDataFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
    }
    void TearDown() override
    {
        g_pAppData = nullptr;
        m_app.reset();
    }

    // Sets the project's family and copies its memory-area table into the live table.
    void UseFamily(int familyIndex)
    {
        m_app->Project.CPUFamilyIndex = familyIndex;
        m_app->LoadAreaTable();
    }

    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
};
