#pragma once
// A fresh application data object on a VC16 CPU with recording message
// boxes and an attached project document, for the CANopen slave list and
// mapping tests.

#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZULProject.h"
#include "model/ProjectModified.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>

// The family index of the VC16 CPUs, which have a CANopen master.
constexpr int kFamilyVC16 = 7;

class CanOpenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        UseFamily(kFamilyVC16);
        AttachProjectDocument(&m_document);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        g_pAppData = nullptr;
        m_app.reset();
    }

    void UseFamily(int familyIndex)
    {
        m_app->Project.CPUFamilyIndex = familyIndex;
        m_app->LoadAreaTable();
    }

    CZULProject& Project() { return m_app->Project; }

    CScopedUi m_ui;
    CProjTreeDOC m_document;
    std::unique_ptr<CZULAppData> m_app;
};
