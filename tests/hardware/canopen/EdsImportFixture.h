#pragma once
// An EDS import into a private user CanOpen folder, with a recording network
// page and scripted message boxes.

#include "hardware/canopen/CEdsImport.h"
#include "hardware/canopen/IEdsImportHost.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class CRecordingEdsHost : public IEdsImportHost {
public:
    std::string ChooseEdsFile() override { return file; }
    std::string ChooseCategory() override
    {
        ++categoryQuestions;
        return category;
    }
    void InsertSlaveTypeItem(const std::string& typeName, const std::string& branch) override
    {
        inserted.emplace_back(typeName, branch);
    }
    void SetRebuildNeeded() override { ++rebuilds; }

    std::string file;
    std::string category = "CANOPENIO";
    int categoryQuestions = 0;
    std::vector<std::pair<std::string, std::string>> inserted;
    int rebuilds = 0;
};

class EdsImportFixture : public ::testing::Test {
protected:
    // Writes the sheet and imports it as the user would.
    void Import(const std::string& sheet, const std::string& fileName = "sheet.eds")
    {
        const std::string path = m_temp / fileName;
        WriteFileText(path, sheet);
        m_host.file = "  " + path + " ";
        m_import.ImportEdsFile();
    }

    // The entries the sheet leaves in the object map, by key.
    std::vector<std::string> KeptKeys(const std::string& sheet)
    {
        m_import.ResetImport();
        m_import.ReadEdsText(sheet);
        std::vector<std::string> keys;
        for (const auto& entry : m_import.ObjectMap())
            keys.push_back(entry.first);
        return keys;
    }

    static std::vector<std::string> EntryKeys(const CCanOpenSlaveType& type)
    {
        std::vector<std::string> keys;
        for (const CCanOpenODEntry* entry : type.objects)
            keys.push_back(entry->sectionKey);
        return keys;
    }

    std::string UserFolder() const { return m_temp / "data/CanOpen"; }

    TempFolder m_temp;
    CScopedUi m_ui;
    CZULAppData m_app;
    CRecordingEdsHost m_host;
    CEdsImport m_import{m_app, m_host, UserFolder()};
};
