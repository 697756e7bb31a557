#pragma once
// A project in a private folder with loop n's PID subroutine registered
// (node and interface) and its two files on disk, and a recording double
// of the main window's side of a generation.

#include "pid/IPIDGeneratorHost.h"

#include "model/CProjTreeNode.h"
#include "model/CZULFunc.h"
#include "model/LanguageLibrary.h"
#include "plclink/ImageProjectFixture.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <set>
#include <string>
#include <vector>

class CRecordingPIDHost : public IPIDGeneratorHost {
public:
    void NewPIDSubroutine() override
    {
        calls.push_back("new POU");
        modeDuringNewPOU = app->PIDGenerateMode;
    }
    std::vector<std::string> OpenDocumentPaths() override { return openDocuments; }
    BOOL IsDocumentModified(const std::string& path) override { return modified.count(path) ? TRUE : FALSE; }
    BOOL SaveDocument(const std::string& path) override
    {
        calls.push_back("save " + GetFileNameFromPath(path));
        return saveResult;
    }
    void DiscardDocumentChanges(const std::string& path) override
    {
        calls.push_back("discard " + GetFileNameFromPath(path));
        modified.erase(path);
    }
    CProjTreeNode* SelectProgramItem(const std::string& key) override
    {
        calls.push_back("select " + key);
        return treeNode;
    }
    void CloseDocument(const std::string& path) override { calls.push_back("close " + GetFileNameFromPath(path)); }
    void RebuildInstructionCatalogue() override { calls.push_back("catalogue"); }

    std::vector<std::string> openDocuments;
    std::set<std::string> modified;
    BOOL saveResult = TRUE;
    CProjTreeNode* treeNode = nullptr;
    int modeDuringNewPOU = -1;
    std::vector<std::string> calls;
    const CZULAppData* app = nullptr; // read for the mode while the tree creates the subroutine
};

class PIDGeneratorFixture : public ImageProjectFixture {
protected:
    void SetUp() override
    {
        ImageProjectFixture::SetUp();
        m_host.app = m_app.get();
        // The POU files live in the folder named after the project, beside its file.
        Project().ProjectFolder = m_folder / "demo";
        FileSystem::CreateFolder(Project().ProjectFolder);
    }

    std::string InProject(const std::string& name) const { return m_app->Project.ProjectFolder + "/" + name; }

    // Writes the old files of SBR(90 + loop) named PID_loop, in ladder, and
    // registers it once.
    void AddPIDSubroutine(int loop)
    {
        m_app->CurrentPIDLoop = loop;
        WriteFileText(ProgramPath(), OLD_PROGRAM);
        WriteFileText(VarPath(), OLD_VARIABLES);
        CZULFunc* registered = nullptr;
        if (Project().POUs.FindSubroutineInterface(ByteString::Format("PID_%d", loop), registered))
            return;
        auto* node = new CProjTreeNode;
        node->kind = NODE_SUBROUTINE;
        node->name = ByteString::Format("PID_%d", loop);
        node->number = 90 + loop;
        node->language = POU_LANGUAGE_LD;
        Project().POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->SetName(node->name);
        function->SetNumber(node->number);
        Project().POUs.AddSubroutineInterface(function);
        m_host.treeNode = node;
    }

    std::string Stem() const { return ByteString::Format("SBR%d_PID_%d", 90 + m_app->CurrentPIDLoop, m_app->CurrentPIDLoop); }
    std::string ProgramPath() const { return InProject(Stem() + ".ilp"); }
    std::string VarPath() const { return InProject(Stem() + ".ilv"); }

    bool FilesAreOld() const
    {
        return ReadFileText(ProgramPath()) == OLD_PROGRAM && ReadFileText(VarPath()) == OLD_VARIABLES;
    }

    static std::vector<std::string> ParamNames(const CZULFBParaArray& params)
    {
        std::vector<std::string> names;
        for (int i = 0; i < params.GetSize(); ++i)
            names.push_back(params.GetAt(i)->name);
        return names;
    }

    static constexpr const char* OLD_PROGRAM = "(*2*)\r\n(* Network 0 *)\r\n(*old*)\r\nLD    %SM0.0\r\n";
    static constexpr const char* OLD_VARIABLES = "VAR_INPUT\r\nEND_VAR\r\n";

    CRecordingPIDHost m_host;
};
