#include "DecompilerFixture.h"
#include "LinkTestSupport.h"
#include "UploadImageBuilder.h"
#include "VarBlockBuilder.h"

#include "CPlcSimulator.h"
#include "model/CZULInitData.h"
#include "model/CZUL_Q7_PLC.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/PlcProtocol.h"
#include "plclink/UploadRestore.h"

using B = ObjectCodeBuilder;

class UploadRestoreTest : public DecompilerFixture {
protected:
    void SetUp() override
    {
        DecompilerFixture::SetUp();
        Project().ProjectFolder = m_folder.Path();
    }
    CZULProject& Project() { return m_app->Project; }

    static std::vector<BYTE> SmallProjectImage(int format)
    {
        UploadImageBuilder image(format);
        image.Module(2, 0, 1, 0, 1).Module(9, 255, 255, 2, 2);
        if (format != 0)
            image.CpuWord(202, 2);
        image.ObjectCode(B()
                             .Pou(1, 0xFF).Op(B::NETWORK).Op(B::LD).Addr("%I0.0").Op(B::CAL).Word(3).Op(B::MPEND)
                             .Pou(2, 0).Op(B::LD).Addr("%L0.0").Op(B::ST).Addr("%Q2.0").Op(B::SPEND)
                             .Finish());
        image.InitialValue(EncodeAddress("%VW10", 0), {0x34, 0x12}, 2);
        if (format != 0)
            image.VariableBlock(VarBlock({VarRecord(3, 0, {{EncodeAddress("%L0.0", 0), 0x11}})}));
        return image.Build();
    }
};

TEST_F(UploadRestoreTest, AProjectUploadedFromThePlcIsRestored)
{
    CPlcSimulator sim;
    ASSERT_TRUE(sim.Start());
    CScopedTimeouts timeouts;
    CScopedGlobalPort port(sim.SlavePath());
    ASSERT_TRUE(g_PlcCommPort.Open());
    const std::vector<BYTE> image = SmallProjectImage(1);
    sim.SetImage(image);

    ASSERT_EQ(PLC_OK, PlcUploadInto(Project().TransferBuffer));
    g_PlcCommPort.Close();
    EXPECT_EQ(image, Project().TransferBuffer);
    ASSERT_TRUE(CheckUploadedImage(*m_app));
    EXPECT_EQ(1, m_app->UploadFormat);
    EXPECT_TRUE(Project().Modules.empty()) << "the check writes nothing";
    ASSERT_TRUE(RestoreUploadedProject(*m_app));

    ASSERT_EQ(2u, Project().Modules.size());
    EXPECT_EQ(2, Project().Modules[1]->qStart);
    EXPECT_EQ(1, Project().CPUFamilyIndex);
    EXPECT_EQ("(*1*)\n(* Network 0 *)\nLD      %I0.0\nCAL     SBR00\n", ReadText("MAIN_MAIN.ilp"));
    EXPECT_EQ("(*1*)\nLD      %L0.0\nST      %Q2.0\n", ReadText("SBR00_SBR_0.ilp"));
    EXPECT_EQ("VAR_INPUT\nbP0 AT %L0.0 : BOOL ;\nEND_VAR\nVAR_IN_OUT\nEND_VAR\nVAR_OUTPUT\nEND_VAR\nVAR\nEND_VAR\n",
              ReadText("SBR00_SBR_0.ilv"));
    EXPECT_EQ(1, Project().MainPresent);
    EXPECT_EQ(1u, Project().POUs.SubroutineNodes.count("SBR_0"));
    ASSERT_EQ(1u, Project().InitialData.size());
    EXPECT_EQ((std::vector<std::string>{"%VW10", "4660"}), Project().InitialData[0]->texts);
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(UploadRestoreTest, ImagesThatAreNoProjectAreRefusedBeforeTheProjectIsTouched)
{
    const struct {
        BYTE variant;
        bool accepted;
        int format;
    } variants[] = {{0x01, true, 1}, {0xC2, true, 2}, {0x81, false, 0}, {0x41, false, 0}};
    for (const auto& v : variants) {
        std::vector<BYTE> image = SmallProjectImage(v.format == 2 ? 1 : v.format);
        image[5] = v.variant;
        int format = -1;
        EXPECT_EQ(v.accepted, ReadUploadFormat(image, format) != FALSE) << int(v.variant);
        if (v.accepted) {
            EXPECT_EQ(v.format, format);
        }
    }
    int format = -1;
    EXPECT_FALSE(ReadUploadFormat({3, 0, 3, 6, 3}, format));

    Project().TransferBuffer = SmallProjectImage(1);
    Project().TransferBuffer[5] = 0x81;
    EXPECT_FALSE(CheckUploadedImage(*m_app));
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ("Unknown project in the PLC.", m_ui.box.Messages()[0].text);
    EXPECT_EQ("Error", m_ui.box.Messages()[0].caption);

    // Layout and checksum are the restore's to judge: the check passes both.
    m_ui.box.Clear();
    Project().TransferBuffer = SmallProjectImage(1);
    Project().TransferBuffer.resize(Project().TransferBuffer.size() - 1);
    EXPECT_TRUE(CheckUploadedImage(*m_app));
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

// Each image that cannot be restored ends with the restore message, after
// the checksum message when the checksum was the cause.
TEST_F(UploadRestoreTest, AFailedRestoreSaysSo)
{
    const std::string crcMessage = "Uploaded data error (CRC check), please try again.";
    const std::string failed = "Failed to restore the project.";
    struct Case {
        const char* what;
        void (*spoil)(std::vector<BYTE>& image);
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"a layout that does not hold", [](std::vector<BYTE>& image) { image.resize(image.size() - 1); }, {failed}},
        // Inside the module block, which the checksum covers.
        {"a checksum that does not match", [](std::vector<BYTE>& image) { image[image[0] + 8] ^= 0x01; },
         {crcMessage, failed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_ui.box.Clear();
        Project().TransferBuffer = SmallProjectImage(0);
        c.spoil(Project().TransferBuffer);
        ASSERT_TRUE(CheckUploadedImage(*m_app));
        EXPECT_FALSE(RestoreUploadedProject(*m_app));
        EXPECT_EQ(m_ui.box.Texts(), c.texts);
        EXPECT_TRUE(Project().Modules.empty());
    }

    m_ui.box.Clear();
    Project().TransferBuffer = SmallProjectImage(0);
    m_app->UploadFormat = 0;
    Project().TransferBuffer[Project().TransferBuffer[0] + 7] = 99; // a module of no known kind
    EXPECT_FALSE(RestoreUploadedProject(*m_app));
    ASSERT_FALSE(m_ui.box.Messages().empty());
    EXPECT_EQ(failed, m_ui.box.Messages().back().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), m_ui.box.Messages().back().type & MB_ICONMASK);
}
