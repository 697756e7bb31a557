#pragma once
// A saved project of 10,000 global word symbols on a VC16 CPU in a private
// temporary folder, shared by the open and save benchmarks. The folder and
// the application data go when the fixture does.

#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

class SymbolProjectFixture {
public:
    static constexpr int kSymbolCount = 10000;

    SymbolProjectFixture()
    {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "orvel-bench-XXXXXX").string();
        const char* root = error ? nullptr : ::mkdtemp(pattern.data());
        if (!root)
            return;
        m_root = root;
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_path = m_root + "/Plant.qpj";
        if (!document.CreateProject(m_path))
            return;
        CZULProject& project = m_app->Project;
        auto* cpu = new CZUL_Q7_PLC;
        cpu->InitFromCatalog(*FindCatalogRowByCode(kVC16CpuCode));
        project.Modules.emplace_back(cpu);
        for (int n = 0; n < kSymbolCount; ++n) {
            auto* symbol = new CZULSymbol;
            symbol->name = ByteString::Format("g_wLevel%05d", n);
            symbol->address = ByteString::Format("%%VW%d", n * kWordBytes);
            symbol->dataType = "INT";
            project.AddSymbol(symbol);
        }
        m_saved = document.OnSaveDocument(m_path) != FALSE;
    }

    ~SymbolProjectFixture()
    {
        g_pAppData = nullptr;
        m_app.reset();
        if (!m_root.empty())
            FileSystem::DeleteTree(m_root);
    }

    SymbolProjectFixture(const SymbolProjectFixture&) = delete;
    SymbolProjectFixture& operator=(const SymbolProjectFixture&) = delete;

    // False when the folder, the project or its first save failed.
    bool IsReady() const { return m_saved; }
    const std::string& Path() const { return m_path; }
    const std::string& Folder() const { return m_root; }
    CZULProject& Project() { return m_app->Project; }

    CProjTreeDOC document;

private:
    static constexpr BYTE kVC16CpuCode = 51;
    static constexpr int kWordBytes = 2;

    std::string m_root;
    std::string m_path;
    std::unique_ptr<CZULAppData> m_app;
    bool m_saved = false;
};
