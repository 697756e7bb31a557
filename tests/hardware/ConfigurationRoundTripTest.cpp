#include "HardwareGridFixture.h"

#include "model/LanguageLibrary.h"
#include "model/POULanguageTable.h"
#include "plclink/CProjectCompiler.h"
#include "plclink/ICompileAllHost.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

class CQuietCompileHost : public ICompileAllHost {
public:
    void EndPendingEdit() override {}
    void ShowOutputPane() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    BOOL SaveAllProjectFiles() override { return TRUE; }
    void ScrollCompileListToEnd() override {}
    void RefreshCrossReference(int, int) override {}
};

class ConfigurationRoundTripTest : public HardwareGridFixture {
protected:
    void TearDown() override
    {
        ClearPOULanguageTable();
        HardwareGridFixture::TearDown();
    }

    void WriteMainProgram()
    {
        Project().MainPresent = 1;
        Project().MainNode.name = "MAIN";
        Project().MainNode.language = POU_LANGUAGE_IL;
        const std::string stem = Project().ProjectFolder + "/MAIN_MAIN";
        WriteFileText(stem + ".ilp", "(*1*)\r\n(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0\r\n");
        WriteFileText(stem + ".ilv", "VAR\r\nEND_VAR\r\n");
    }

    // The module block's entries: hardware code, slot, I or AI start and
    // end, Q or AQ start and end (0xFF where the module has no such range).
    static std::vector<BYTE> ModuleEntries(const std::vector<BYTE>& block, int modules)
    {
        constexpr size_t kEntryBytes = 6;
        const size_t size = kEntryBytes * static_cast<size_t>(modules);
        if (block.size() < size)
            return {};
        return std::vector<BYTE>(block.end() - static_cast<std::ptrdiff_t>(size), block.end());
    }

    TempFolder m_folder;
};

TEST_F(ConfigurationRoundTripTest, ABuiltConfigurationIsSavedReopenedCompiledAndDownloaded)
{
    const std::string path = m_folder / "plant.qpj";
    ASSERT_TRUE(m_doc.CreateProject(path));
    WriteMainProgram();

    // A VB14 configuration, its CPU changed for a VB14EX, which takes
    // more modules, a module removed and its slot refilled.
    Build(CODE_VB14, {CODE_DI16, CODE_DO8, CODE_AI4});
    Remove(0, 0);
    InsertAt(0, CODE_VB14EX);
    InsertAt(4, CODE_AIO3);
    Remove(2, 2);
    InsertAt(2, CODE_DIO16);
    ASSERT_EQ(2u, m_ui.box.Texts().size()) << "the two removal questions";
    ASSERT_TRUE(m_doc.OnSaveDocument(path));

    Project().ClearProject();
    ASSERT_TRUE(m_doc.OpenProject(path));
    ASSERT_EQ(5, Slots());
    EXPECT_EQ(4, Project().CPUFamilyIndex);
    const CZUL_Q7_PLC& aio = *Slot(4);
    EXPECT_EQ(4000u, aio.aoFreezeValue[0]);
    EXPECT_EQ(8, aio.aiStart);
    EXPECT_EQ(11, aio.aiEnd);

    WriteMainProgram();
    CQuietCompileHost host;
    CProjectCompiler compiler(*m_app, host);
    ASSERT_TRUE(compiler.CompileAll());
    EXPECT_TRUE(FileSystem::FileExists(Project().ProjectFolder + "/plant.obj"));

    // CPU I 0..1 Q 0..1; DI16 I 2..3; DIO16 I 4 Q 2; AI4 AI 0..7; AIO3 AI 8..11 AQ 0..1.
    const std::vector<BYTE> expected = {
        36, 0, 0, 1, 0, 1,  8, 1, 2, 3, 0xFF, 0xFF,  16, 2, 4, 4, 2, 2,  18, 3, 0, 7, 0xFF, 0xFF,  42, 4, 8, 11, 0, 1,
    };
    EXPECT_EQ(expected, ModuleEntries(Project().ImageBlocks[1], 5));
}

} // namespace
