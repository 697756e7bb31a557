// Compiles a project of one MAIN program and its variable file, as Compile
// All lays them out in the project folder. The input is the program text, a
// zero byte, then the variable file's text (empty when there is no zero
// byte).

#include "FuzzSession.h"
#include "compiler/CCompileMessageList.h"
#include "compiler/CILCompiler.h"
#include "compiler/CObjectFile.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"

namespace {

// The project folder of every input of the process: each input writes its
// three files anew, and the compiler creates again what it writes, so no
// input sees what an earlier one left. Removed when the process ends.
class CProjectRoot {
public:
    CProjectRoot() { FileSystem::CreateFolder(m_root / "Demo"); }
    const TempFolder& Folder() const { return m_root; }

private:
    TempFolder m_root;
};

const TempFolder& ProjectRoot()
{
    static const CProjectRoot root;
    return root.Folder();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = FuzzText(data, size);
    const size_t split = input.find('\0');
    const std::string program = input.substr(0, split);
    const std::string variables = split == std::string::npos ? std::string() : input.substr(split + 1);

    FuzzSession session;
    const TempFolder& root = ProjectRoot();
    CZULProject& project = session.App().Project;
    project.ProjectFolder = root.Path();
    project.ProjectName = "Demo";
    project.ProjectPath = root / "Demo.qpj";
    project.MainNode.name = "Main";
    project.MainNode.language = 1;
    const std::string folder = root / "Demo";
    WriteFileText(folder + "/MAIN_Main.ilp", program);
    WriteFileText(folder + "/~MAIN_Main.ilp", program);
    WriteFileText(folder + "/MAIN_Main.ilv", variables);

    ResetCompilerState();
    CompileProjectFiles({project.ProjectPath, folder + "/MAIN_Main.ilv", folder + "/MAIN_Main.ilp"});
    ResetCompilerState();
    CObjectFile::Close();
    CCompileMessageList::Close();
    return 0;
}
