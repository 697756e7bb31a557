#include "ImageProjectFixture.h"
#include "hardware/ui/CSheetCPU.h"
#include "model/CProjTreeDOC.h"
#include "model/ProjectModified.h"
#include "plclink/CDownloadImageBuilder.h"
#include "platform/ui/CWnd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

namespace {

constexpr int kFamilyVB14 = 1;
constexpr BYTE kCodeVB14 = 2;

template <class T>
T* Control(QWidget* parent, int id)
{
    return parent->findChild<T*>(QString::number(id));
}

class CpuSettingsImageTest : public ImageProjectFixture {
protected:
    void SetUp() override
    {
        ImageProjectFixture::SetUp();
        AttachProjectDocument(&m_doc);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        ImageProjectFixture::TearDown();
    }
    CProjTreeDOC m_doc;
};

TEST_F(CpuSettingsImageTest, AppliedPageSettingsReachTheCpuSectionOfTheDownloadImage)
{
    UseFamily(kFamilyVB14, 0);
    CZUL_Q7_PLC& cpu = AddModule(kCodeVB14);
    WriteObjectCode({0x01});
    CWnd parent;
    parent.Create(nullptr, CRect(0, 0, 600, 400), 0, WS_VISIBLE);
    CSheetCPU sheet(*m_app, &parent);
    sheet.SetModule(&cpu);
    ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE));

    Control<QComboBox>(&sheet.ComPage(), 2048)->setCurrentIndex(2);  // address 3
    Control<QComboBox>(&sheet.ComPage(), 2049)->setCurrentIndex(5);  // 38400: code 4
    Control<QComboBox>(&sheet.ComPage(), 2050)->setCurrentIndex(2);  // even
    Control<QComboBox>(&sheet.RetainPage(), 1111)->setCurrentIndex(0);
    Control<QSpinBox>(&sheet.RetainPage(), 1184)->setValue(100);
    Control<QSpinBox>(&sheet.RetainPage(), 1189)->setValue(50);
    Control<QComboBox>(&sheet.IOPage(), 2091)->setCurrentIndex(3);
    Control<QCheckBox>(&sheet.IOPage(), 1138)->setChecked(true);
    ASSERT_TRUE(sheet.ApplyPages());

    CDownloadImageBuilder builder(*m_app);
    ASSERT_EQ(1, builder.BuildDownloadImage());
    const std::vector<unsigned char>& cpuBlock = Project().ImageBlocks[5 - 3];
    auto slice = [&](size_t offset, size_t count) {
        return std::vector<unsigned char>(cpuBlock.begin() + static_cast<long>(offset),
                                          cpuBlock.begin() + static_cast<long>(offset + count));
    };
    // Range 1: number, area, V byte 100 in the image (V starts at 410), length 50.
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 00 FE 01 32 00"), slice(6, 6)));
    // Port0: address, baud code, data-bits code, parity code, stop-bits code.
    EXPECT_TRUE(BytesEqual(BytesFromHex("03 04 01 02 00"), slice(133, 5)));
    EXPECT_EQ(3, cpu.inputFilters[0]);
    EXPECT_EQ(1u, cpu.stopStates[0]);
}

} // namespace
