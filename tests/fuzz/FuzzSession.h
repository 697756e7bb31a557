#pragma once
// What every fuzz target sets up for one input: scripted user-interface
// doubles that answer every message box with its first button, the
// application data on a family with the large memory image, and, when asked
// for, a private folder for the files an input becomes.
//
// One application data object serves every input of the process, and each
// session puts back what the code under test changes: the project as
// closing it leaves it, the Modbus and CANopen settings, the image blocks,
// the blobs, the PID loops, the upload format and the family with its
// profile.

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
// The retries of a new project's Modbus master.
constexpr int FUZZ_MODBUS_RETRIES = 3;

// The application data of the process on the fuzzing family, with the
// values that family's profile gives it.
class FuzzAppData {
public:
    FuzzAppData()
    {
        g_pAppData = &app;
        app.Project.CPUFamilyIndex = FUZZ_FAMILY_INDEX;
        app.LoadAreaTable();
        app.ApplyFamilyProfile();
        profileSubType = app.ProfileSubType;
        forceImageSize = app.Project.ForceImageSize;
        g_pAppData = nullptr;
    }

    CZULAppData app;
    BYTE profileSubType = 0;
    int forceImageSize = 0;
};

class FuzzSession {
public:
    FuzzSession() : m_process(ProcessAppData()), m_app(m_process.app)
    {
        g_pAppData = &m_app;
        ResetApp();
    }
    ~FuzzSession() { g_pAppData = nullptr; }
    FuzzSession(const FuzzSession&) = delete;
    FuzzSession& operator=(const FuzzSession&) = delete;

    CZULAppData& App() { return m_app; }
    // Made on first use (most targets need none) and removed with the session.
    const TempFolder& Folder()
    {
        if (!m_folder)
            m_folder = std::make_unique<TempFolder>();
        return *m_folder;
    }

private:
    // Built on first use and kept until the process ends.
    static FuzzAppData& ProcessAppData()
    {
        static FuzzAppData process;
        return process;
    }

    void ResetApp()
    {
        CZULProject& project = m_app.Project;
        project.ClearProject();
        project.ResetModbusMasterConfig();
        project.ResetCanOpenConfig();
        project.ModbusRetries = FUZZ_MODBUS_RETRIES;
        project.ResetPOUVariableLists();
        project.TransferBuffer.clear();
        for (std::vector<BYTE>& block : project.ImageBlocks)
            block.assign(IMAGE_BLOCK_HEADER_BYTES, 0);
        project.ImageBlock9.assign(IMAGE_BLOCK_HEADER_BYTES, 0);
        project.ForceTableBlock.clear();
        project.FBTable.FBScanBuffer.clear();
        m_app.ClearProjectBlobs();
        m_app.LocalVarMap.clear();
        m_app.InitPIDLoopDefaults();
        m_app.UploadFormat = 0;
        m_app.LoadError = 0;
        m_app.SymbolicAddressing = 1;
        // The profile (and its reset of the find tables) again only when an
        // input moved the project to another family.
        if (project.CPUFamilyIndex != FUZZ_FAMILY_INDEX || m_app.ProfileSubType != m_process.profileSubType) {
            project.CPUFamilyIndex = FUZZ_FAMILY_INDEX;
            m_app.ApplyFamilyProfile();
        }
        m_app.LoadAreaTable();
        project.ForceImageSize = m_process.forceImageSize;
    }

    CScopedUi m_ui;
    FuzzAppData& m_process;
    CZULAppData& m_app;
    std::unique_ptr<TempFolder> m_folder;
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
