#pragma once
// What every fuzz target sets up for one input: scripted user-interface
// doubles that answer every message box with its first button, a fresh
// application data object on a family with the large memory image, and a
// private folder for the files an input becomes.

#include "model/CZULAppData.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// Family index of the VB16 CPUs (pointers, the large memory image).
constexpr int FUZZ_FAMILY_INDEX = 2;

class FuzzSession {
public:
    FuzzSession()
        : m_app(std::make_unique<CZULAppData>())
    {
        g_pAppData = m_app.get();
        m_app->Project.CPUFamilyIndex = FUZZ_FAMILY_INDEX;
        m_app->LoadAreaTable();
        m_app->ApplyFamilyProfile();
    }
    ~FuzzSession() { g_pAppData = nullptr; }
    FuzzSession(const FuzzSession&) = delete;
    FuzzSession& operator=(const FuzzSession&) = delete;

    CZULAppData& App() { return *m_app; }
    const TempFolder& Folder() const { return m_folder; }

private:
    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
    TempFolder m_folder;
};

inline std::vector<BYTE> FuzzBytes(const uint8_t* data, size_t size)
{
    return std::vector<BYTE>(data, data + size);
}

inline std::string FuzzText(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A property of the code under test that the input broke: the fuzzer and
// the replay both take the abort as a finding.
inline void FuzzCheck(bool holds)
{
    if (!holds)
        std::abort();
}
