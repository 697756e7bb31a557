#pragma once
// A POU window over LD POUs with the ladder library's own programs and its
// instruction catalogue; the project lives in the test's folder. LD files
// are written as the LD editor saves them.

#include "POUWindowFixture.h"

#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/CLadderProgramFactory.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/CArchive.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"

#include <QTest>

#include <string>
#include <vector>

class LadderWindowFixture : public POUWindowFixture {
protected:
    void SetUp() override
    {
        POUWindowFixture::SetUp();
        m_app->BuildInstructionCatalog();
        RegisterLadderProgramFactory(*m_app);
        m_programFactory = nullptr;
        m_app->Project.ProjectFolder = m_folder.Path();
    }
    void TearDown() override
    {
        m_app->Monitoring = 0;
        POUWindowFixture::TearDown();
    }

    CLDProgram* Ladder() const { return dynamic_cast<CLDProgram*>(m_doc->GetProgram()); }
    CLDEditor& Editor() const { return Ladder()->GetLDEditor(); }

    // The file the LD editor writes for a program given as IL lines; empty
    // when the lines give no program.
    std::string LadderFile(const std::vector<std::string>& il)
    {
        CLDProgram program(*m_app, nullptr);
        if (!program.LoadFromIL(il))
            return std::string();
        CArchive ar;
        program.Serialize(ar, TRUE);
        return "(*2*)\r\n" + std::string(ar.GetBuffer().begin(), ar.GetBuffer().end());
    }

    // Writes the LD file of the IL lines at the path and opens it as an LD
    // POU; FALSE when the lines give no program or the window has no LD program.
    BOOL OpenLadderWindow(const std::string& path, const std::vector<std::string>& il)
    {
        const std::string file = LadderFile(il);
        if (file.empty())
            return FALSE;
        WriteFileText(path, file);
        return OpenWindow(path, POU_LANGUAGE_LD) && Ladder() != nullptr;
    }

    // Shows the frame at 900 x 600 as the active window.
    BOOL ShowFrameActive()
    {
        m_frame->resize(900, 600);
        m_frame->show();
        m_frame->activateWindow();
        return QTest::qWaitForWindowActive(m_frame);
    }

    // Makes the project "demo", in a folder of its own, a VB16 CPU whose MAIN
    // is an LD POU; the path of MAIN's file comes back in mainPath. FALSE
    // when the folder could not be made.
    BOOL CreateLadderMainProject(std::string* mainPath)
    {
        CZULProject& project = m_app->Project;
        project.ProjectName = "demo";
        project.ProjectPath = m_folder / "demo.qpj";
        project.ProjectFolder = m_folder / "demo";
        if (!FileSystem::CreateFolder(project.ProjectFolder))
            return FALSE;
        auto* module = new CZUL_Q7_PLC;
        module->InitFromCatalog(*FindCatalogRowByCode(VB16_CPU_CODE));
        project.Modules.emplace_back(module);
        project.MainPresent = 1;
        project.MainNode.name = "MAIN";
        project.MainNode.language = POU_LANGUAGE_LD;
        *mainPath = project.ProjectFolder + "/MAIN_MAIN.ilp";
        return TRUE;
    }

private:
    static constexpr BYTE VB16_CPU_CODE = 4;
};
