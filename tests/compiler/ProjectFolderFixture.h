#pragma once
// A project folder in a temporary folder for whole compilations: the project
// file entry "<root>/Demo.qpj", the POU files in "<root>/Demo" with the "~"
// work copies that Compile All writes beside every program, and the file
// list in compile order.

#include "CompilerFixture.h"

#include "compiler/CObjectFile.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <fstream>
#include <sstream>

class ProjectFolderFixture : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        FileSystem::CreateFolder(Folder());
    }
    void TearDown() override
    {
        CObjectFile::Close();
        CompilerFixture::TearDown();
    }

    std::string Folder() const { return m_root / "Demo"; }
    std::string InFolder(const std::string& name) const { return Folder() + "/" + name; }
    std::string ProjectEntry() const { return m_root / "Demo.qpj"; }
    std::string ObjectPath() const { return InFolder("Demo.EPL"); }
    std::string MessageListPath() const { return InFolder("Demo.COI"); }

    void WriteFile(const std::string& path, const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }

    // A POU's program (language line added), its work copy and its variables.
    void WritePOU(const std::string& stem, const std::string& program, int language = 1,
                  const std::string& variables = "VAR\r\nEND_VAR\r\n") const
    {
        const std::string text = "(*" + std::to_string(language) + "*)\r\n" + program;
        WriteFile(InFolder(stem + ".ilp"), text);
        WriteFile(InFolder("~" + stem + ".ilp"), text);
        WriteFile(InFolder(stem + ".ilv"), variables);
    }

    // The project file, the global variables when given, then for every POU
    // stem (MAIN first, subroutines, interrupt routines) the variable files
    // and then the programs, as Compile All orders them.
    std::vector<std::string> FileList(const std::vector<std::string>& stems, bool globals = false) const
    {
        std::vector<std::string> list{ProjectEntry()};
        if (globals)
            list.push_back(InFolder("Demo.qgv"));
        for (const std::string& stem : stems)
            list.push_back(InFolder(stem + ".ilv"));
        for (const std::string& stem : stems)
            list.push_back(InFolder(stem + ".ilp"));
        return list;
    }

    // The lines of the message list without their line ends.
    std::vector<std::string> MessageListLines() const
    {
        std::string text;
        FileSystem::ReadFileText(MessageListPath(), text);
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    bool CompileLinesContain(const std::string& text) const
    {
        for (const std::string& line : CompileLines()) {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    TempFolder m_root;
};
