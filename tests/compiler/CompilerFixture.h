#pragma once
// A fresh application data object on a CPU family with pointer support,
// recording user-interface doubles, and empty compiler lists and compile
// state before and after each test; on request, a project "Demo" in a
// temporary folder and its subroutines and interrupt routines.

#include "compiler/CCompileMessageList.h"
#include "compiler/CCompileState.h"
#include "compiler/CompilerSymbols.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Family indexes of the project (the family bit is 1 shifted by the index).
constexpr int FAMILY_INDEX_VB12 = 0;
constexpr int FAMILY_INDEX_VB14 = 1;
constexpr int FAMILY_INDEX_VB16 = 2;
constexpr int FAMILY_INDEX_VC16 = 7;

class CompilerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        UseFamily(FAMILY_INDEX_VB16);
        ResetCompiler();
    }
    void TearDown() override
    {
        ResetCompiler();
        CCompileMessageList::Close();
        g_pAppData = nullptr;
        m_app.reset();
    }

    void UseFamily(int familyIndex)
    {
        m_app->Project.CPUFamilyIndex = familyIndex;
        m_app->LoadAreaTable();
        m_app->ApplyFamilyProfile();
    }

    // The project "Demo" with its files in the folder and its MAIN program in language 1.
    void UseProjectFolder(const TempFolder& folder)
    {
        CZULProject& project = m_app->Project;
        project.ProjectFolder = folder.Path();
        project.ProjectName = "Demo";
        project.ProjectPath = folder / "Demo.qpj";
        project.MainNode.name = "MAIN";
        project.MainNode.language = 1;
    }

    // A subroutine (or an interrupt routine) of the project.
    void AddPou(bool subroutine, const std::string& name, int number, int language)
    {
        auto* node = new CProjTreeNode;
        node->kind = subroutine ? NODE_SUBROUTINE : NODE_INTERRUPT;
        node->name = name;
        node->number = number;
        node->language = language;
        (subroutine ? m_app->Project.POUs.SubroutineNodes : m_app->Project.POUs.InterruptNodes)[name] = node;
    }

    static void ResetCompiler()
    {
        ClearPOULists();
        ClearVariableList();
        g_CompileState.Reset();
    }

    // Compile state of a POU program or variable file being compiled.
    static void CompilingFile(int kind, const std::string& label)
    {
        g_CompileState.CurrentFileKind = kind;
        g_CompileState.CurrentPOULabel = label;
    }

    std::vector<std::string> CompileLines() const { return m_ui.output.Lines(1); }

    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
};
