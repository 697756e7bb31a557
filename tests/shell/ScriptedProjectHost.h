#pragma once
// The main window as the project commands see it, scripted: file dialogs
// and the folder browser answer from queues (an empty queue cancels), and
// every other call is recorded by name.

#include "shell/IProjectHost.h"

#include <deque>
#include <string>
#include <vector>

class CScriptedProjectHost : public IProjectHost {
public:
    BOOL RunFileDialog(const CFileDialogRequest& request, std::string& path) override
    {
        requests.push_back(request);
        return Next(fileAnswers, path);
    }
    BOOL BrowseForFolder(const std::string&, const std::string& initialFolder, std::string& folder) override
    {
        browseInitialFolders.push_back(initialFolder);
        return Next(folderAnswers, folder);
    }
    BOOL SaveOpenDocuments(const std::string&) override { return Record("SaveOpenDocuments", TRUE); }
    BOOL AnyDocumentModified() override { return documentModified; }
    BOOL SaveModifiedDocuments() override { return Record("SaveModifiedDocuments", saveDocumentsAnswer); }
    void CloseAllDocuments() override { Record("CloseAllDocuments", TRUE); }
    void DestroySingletonWindows() override { Record("DestroySingletonWindows", TRUE); }
    BOOL CheckHardwareConfig() override { return Record("CheckHardwareConfig", hardwareConsistent); }
    void ClearProjectTree() override { Record("ClearProjectTree", TRUE); }
    void BuildProjectTree() override { Record("BuildProjectTree", TRUE); }
    void FillProjectTree() override { Record("FillProjectTree", TRUE); }
    void SetProjectTreeRoot(const std::string& text) override { rootText = text; }
    BOOL CreateMainProgram() override { return Record("CreateMainProgram", TRUE); }
    void RefreshInstructionTree() override { Record("RefreshInstructionTree", TRUE); }
    void AddSubroutinesToInstructionTree() override { Record("AddSubroutinesToInstructionTree", TRUE); }
    void ClearSubroutinesInInstructionTree() override { Record("ClearSubroutinesInInstructionTree", TRUE); }
    void ResetOutputWindow() override { Record("ResetOutputWindow", TRUE); }
    void SetWaitCursor(bool) override {}

    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls)
            n += c == call;
        return n;
    }

    std::deque<std::string> fileAnswers;
    std::deque<std::string> folderAnswers;
    std::vector<CFileDialogRequest> requests;
    std::vector<std::string> browseInitialFolders;
    std::vector<std::string> calls;
    std::string rootText;
    BOOL documentModified = FALSE;
    BOOL hardwareConsistent = TRUE;
    BOOL saveDocumentsAnswer = TRUE;

private:
    static BOOL Next(std::deque<std::string>& answers, std::string& out)
    {
        if (answers.empty())
            return FALSE;
        out = answers.front();
        answers.pop_front();
        return TRUE;
    }
    BOOL Record(const char* call, BOOL result)
    {
        calls.emplace_back(call);
        return result;
    }
};
