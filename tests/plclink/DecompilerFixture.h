#pragma once
// An application data object on a family with the small memory image,
// recording user-interface doubles and a project folder, for decoding
// object code into POU files.

#include "ObjectCodeBuilder.h"

#include "model/CZULAppData.h"
#include "platform/FileSystem.h"
#include "plclink/CObjectDecompiler.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

class DecompilerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_app->Project.CPUFamilyIndex = 1;
        m_app->LoadAreaTable();
    }
    void TearDown() override
    {
        g_pAppData = nullptr;
        m_app.reset();
    }

    BOOL Decompile(const std::vector<BYTE>& code, std::vector<std::string>& names)
    {
        CObjectDecompiler decompiler(m_app->UploadFormat);
        return decompiler.RebuildSources(code.data(), static_cast<int>(code.size()), 10, m_folder.Path() + "/",
                                         names);
    }

    std::string ReadText(const std::string& name) const
    {
        std::string text;
        FileSystem::ReadFileText(m_folder / name, text);
        return text;
    }

    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
    TempFolder m_folder;
};

// The variable file of a POU that no call gives parameters.
inline const char* kEmptyVarFile = "VAR_INPUT\nEND_VAR\nVAR_OUTPUT\nEND_VAR\nVAR_IN_OUT\nEND_VAR\nVAR\nEND_VAR\n";
