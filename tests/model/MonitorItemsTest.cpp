#include "model/MonitorItems.h"

#include "model/CStatusInput.h"
#include "model/CZULStatus.h"

#include "AppDataFixture.h"

#include <cstring>
#include <vector>

namespace {

// A VB16 project with an empty monitor table.
class MonitorItemsTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(2);
    }

    std::vector<std::string> Keys() const
    {
        std::vector<std::string> keys;
        for (const auto& entry : m_app->Project.Monitor.MonitorTable)
            keys.push_back(entry.first);
        return keys;
    }

    void SetItem(const std::string& key, int value, int statusBit = 0)
    {
        CZULStatus* item = m_app->Project.Monitor.MonitorTable.at(key).get();
        item->value = value;
        item->statusBit = statusBit;
    }

    struct Shown {
        BOOL ok = FALSE;
        std::string text;
        int value = -12345;
        std::string bit;
    };

    Shown Format(const std::string& operand, OperandTypeFlags flags, int format)
    {
        m_app->OnlineFormat = format;
        Shown shown;
        shown.text = "untouched";
        shown.ok = FormatMonitoredValue(operand, shown.text, shown.value, shown.bit, flags);
        return shown;
    }
};

} // namespace

TEST_F(MonitorItemsTest, OperandsRegisterTheirKeys)
{
    EXPECT_TRUE(AddMonitorAddress("%qw4"));
    EXPECT_EQ(Keys(), (std::vector<std::string>{"%QB4", "%QB5"}));
    EXPECT_TRUE(AddMonitorAddress("%QD4"));
    EXPECT_TRUE(AddMonitorAddress(" %QB5 "));
    EXPECT_EQ(Keys(), (std::vector<std::string>{"%QB4", "%QB5", "%QB6", "%QB7"}));
    EXPECT_EQ(m_app->Project.Monitor.MonitorTable.at("%QB6")->operand, "%QB6");

    m_app->Project.Monitor.ClearMonitorTable();
    EXPECT_TRUE(Keys().empty());
    for (const char* operand : {"T3", "%C7", "%RS9", "%HC0", "%AIW4", "%V100.3", "%SM1.0", "%VR8", "%VB2"})
        EXPECT_TRUE(AddMonitorAddress(operand)) << operand;
    EXPECT_EQ(Keys(), (std::vector<std::string>{"%AIW4", "%C7", "%HC0", "%RS9", "%SMB1", "%T3", "%VB10", "%VB100",
                                                "%VB11", "%VB2", "%VB8", "%VB9"}));
    const CZULStatus* timer = m_app->Project.Monitor.MonitorTable.at("%T3").get();
    EXPECT_EQ(timer->address, 0);
    EXPECT_EQ(timer->value, 0);

    for (const char* bad : {"", "ABC", "%VB", "%Q0.9", "%XY1"})
        EXPECT_FALSE(AddMonitorAddress(bad)) << bad;
}

TEST_F(MonitorItemsTest, InsertKeepsTheFirstItemUnderAKey)
{
    auto* first = new CZULStatus;
    first->value = 1;
    m_app->Project.Monitor.InsertMonitorEntry("VB0", first);
    m_app->Project.Monitor.InsertMonitorEntry("%VB0", new CZULStatus);
    m_app->Project.Monitor.InsertMonitorEntry("%VB1", nullptr);
    ASSERT_EQ(Keys(), (std::vector<std::string>{"%VB0"}));
    EXPECT_EQ(m_app->Project.Monitor.MonitorTable.at("%VB0").get(), first);
}

TEST_F(MonitorItemsTest, MonitorClassAndCode)
{
    const int timerBase = m_app->GetAreaBase("%T", FALSE);
    const int rsBase = m_app->GetAreaBase("%RS", FALSE);
    const int vBase = m_app->GetAreaBase("%V", FALSE);
    const int aiBase = m_app->GetAreaBase("%AI", FALSE);
    const int hcBase = m_app->GetAreaBase("%HC", FALSE);
    const struct {
        const char* key;
        int monitorClass;
        int code;
        int number;
    } cases[] = {
        {"%T5", 3, timerBase + 10, 5},  {"%RS9", 1, rsBase + 1, 9}, {" vb100 ", 1, vBase + 100, 100},
        {"%AIW4", 2, aiBase + 4, 4},    {"%HC1", 4, hcBase + 1, 1}, {"%VW4", -1, 0, 4},
        {"%NOTHING", -1, 0, -1},
    };
    for (const auto& c : cases) {
        WORD code = 0xFFFF;
        WORD number = 0xFFFF;
        EXPECT_EQ(m_app->ResolveAddressOffset(c.key, code, number), c.monitorClass) << c.key;
        EXPECT_EQ(code, c.code) << c.key;
        if (c.number >= 0) {
            EXPECT_EQ(number, c.number) << c.key;
        }
    }
}

TEST_F(MonitorItemsTest, ValuesInEveryNumberFormat)
{
    for (const char* operand : {"%VW0", "%VW2", "%T3", "%RS9", "%VB20", "%V10.3", "%AIW4", "%HC0", "%VD4", "%VD8"})
        ASSERT_TRUE(AddMonitorAddress(operand)) << operand;
    SetItem("%VB0", 0x34);
    SetItem("%VB1", 0x12);
    SetItem("%VB2", 0xFF);
    SetItem("%VB3", 0xFF);
    SetItem("%T3", 0xFFFE, 1);
    SetItem("%RS9", 0x02);
    SetItem("%VB20", 0xAB);
    SetItem("%VB10", 0x08);
    SetItem("%AIW4", 0x8000);
    SetItem("%HC0", -5);
    SetItem("%VB4", 0xFF);
    SetItem("%VB5", 0xFF);
    SetItem("%VB6", 0xFF);
    SetItem("%VB7", 0xFF);

    const struct {
        const char* operand;
        OperandTypeFlags flags;
        int format;
        const char* text;
        int value;
        const char* bit;
    } cases[] = {
        {"%VW0", OT_WORD, 0, "1234", 0x1234, ""},
        {"%VW0", OT_WORD, 1, "4660", 0x1234, ""},
        {"%VW0", OT_WORD, 2, "1234", 0x1234, ""},
        {"%VW0", OT_INT, 0, "4660", 0x1234, ""},
        {"%VW2", OT_INT, 0, "-1", 0xFFFF, ""},
        {"%VW2", OT_INT, 1, "-1", 0xFFFF, ""},
        {"%VW2", OT_INT, 2, "ffff", 0xFFFF, ""},
        {"%VW2", OT_WORD, 1, "65535", 0xFFFF, ""},
        {"%VW2", OT_WORD, 7, "untouched", 0xFFFF, ""},
        {"t3", OT_AREA_T | OT_INT, 0, "-2", 0xFFFE, "1"},
        {"%T3", OT_AREA_T | OT_INT, 2, "fffe", 0xFFFE, "1"},
        {"%RS9", OT_AREA_RS | OT_BOOL, 0, "1", 1, ""},
        {"%VB20", OT_BYTE, 0, "ab", 0xAB, ""},
        {"%VB20", OT_BYTE, 1, "171", 0xAB, ""},
        {"%V10.3", OT_BOOL, 0, "1", 1, ""},
        {"%V10.2", OT_BOOL, 0, "0", 0, ""},
        {"%AIW4", OT_AREA_AI | OT_INT, 1, "-32768", 0x8000, ""},
        {"%HC0", OT_AREA_HC | OT_DINT, 0, "-5", -5, ""},
        {"%HC0", OT_AREA_HC | OT_DINT, 2, "fffffffb", -5, ""},
        {"%VD4", OT_DINT, 0, "-1", -1, ""},
        {"%VD4", OT_DWORD, 0, "ffffffff", -1, ""},
        {"%VD4", OT_DWORD, 1, "-1", -1, ""},
    };
    for (const auto& c : cases) {
        const Shown shown = Format(c.operand, c.flags, c.format);
        EXPECT_TRUE(shown.ok) << c.operand << " " << c.format;
        EXPECT_EQ(shown.text, c.text) << c.operand << " " << c.format;
        EXPECT_EQ(shown.value, c.value) << c.operand << " " << c.format;
        EXPECT_EQ(shown.bit, c.bit) << c.operand << " " << c.format;
    }

    EXPECT_FALSE(Format("%VW100", OT_WORD, 0).ok);     // not compiled
    EXPECT_FALSE(Format("%VW11", OT_WORD, 0).ok);      // %VB11 is there, %VB12 is not
    EXPECT_FALSE(Format("%VB0", OT_POINTER, 0).ok);    // no monitored type
    EXPECT_FALSE(Format("  ", OT_BYTE, 0).ok);
}

TEST_F(MonitorItemsTest, RealValuesWithThreeDigitExponents)
{
    ASSERT_TRUE(AddMonitorAddress("%VR0"));
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0.000e+000"},          {1.5f, "1.5000000"},           {1000000.0f, "1.00000e+006"},
        {-1000000.0f, "-1000000.0000000"}, {0.00001f, "1.000e-005"}, {-0.5f, "-0.5000000"},
    };
    for (const auto& c : cases) {
        DWORD pattern = 0;
        std::memcpy(&pattern, &c.value, 4);
        for (int i = 0; i < 4; ++i)
            SetItem("%VB" + std::to_string(i), int((pattern >> (8 * i)) & 0xFF));
        for (int format : {0, 1, 2}) {
            const Shown shown = Format("%VR0", OT_REAL, format);
            EXPECT_TRUE(shown.ok);
            EXPECT_EQ(shown.text, c.text) << c.value;
            EXPECT_EQ(shown.value, int(pattern));
        }
    }
}

TEST_F(MonitorItemsTest, ForcedValuesPerByte)
{
    CZULProject& project = m_app->Project;
    CStatusInput row;
    row.flags = OT_FORCEABLE | OT_WORD;
    row.newValue = 0x1234;
    int value = 0;
    EXPECT_FALSE(project.StoreForcedValue(&row)); // no buffers yet
    EXPECT_FALSE(project.GetForcedValue(0, row.flags, value));
    project.ForceImageSize = FORCE_IMAGE_CELLS;
    project.AllocateForceBuffers();

    EXPECT_FALSE(project.StoreForcedValue(nullptr));
    row.encodedAddress = FORCE_IMAGE_CELLS - 1;
    EXPECT_FALSE(project.StoreForcedValue(&row));
    row.encodedAddress = FORCE_IMAGE_CELLS - 2;
    EXPECT_TRUE(project.StoreForcedValue(&row));
    EXPECT_EQ(project.ForceValues[FORCE_IMAGE_CELLS - 2], 0x34u);
    EXPECT_EQ(project.ForceValues[FORCE_IMAGE_CELLS - 1], 0x12u);
    EXPECT_TRUE(project.GetForcedValue(row.encodedAddress, OT_FORCEABLE | OT_INT, value));
    EXPECT_EQ(value, 0x1234);

    row.flags = OT_FORCEABLE | OT_REAL;
    row.newValue = 0xA1B2C3D4;
    for (int back = 1; back <= 3; ++back) {
        row.encodedAddress = WORD(FORCE_IMAGE_CELLS - back);
        EXPECT_FALSE(project.StoreForcedValue(&row)) << back;
    }
    row.encodedAddress = 100;
    EXPECT_TRUE(project.StoreForcedValue(&row));
    EXPECT_TRUE(project.GetForcedValue(100, OT_FORCEABLE | OT_DWORD, value));
    EXPECT_EQ(DWORD(value), 0xA1B2C3D4u);
    EXPECT_TRUE(project.GetForcedValue(100, OT_FORCEABLE | OT_BYTE, value));
    EXPECT_EQ(value, 0xD4);

    // A BOOL at cell 5, bit 3; the other bits of the cell stay.
    project.ForceValues[5] = 0x81;
    row.flags = OT_FORCEABLE | OT_BOOL;
    row.encodedAddress = WORD(5 | (3 << 13));
    row.newValue = 1;
    EXPECT_TRUE(project.StoreForcedValue(&row));
    EXPECT_EQ(project.ForceValues[5], 0x89u);
    EXPECT_TRUE(project.GetForcedValue(row.encodedAddress, row.flags, value));
    EXPECT_EQ(value, 1);
    row.newValue = 2;
    EXPECT_TRUE(project.StoreForcedValue(&row));
    EXPECT_EQ(project.ForceValues[5], 0x81u);
    row.encodedAddress = WORD(0x1FFF);
    EXPECT_FALSE(project.StoreForcedValue(&row));

    // Not forceable: refused; no forced type: nothing written, TRUE.
    row.flags = OT_BYTE;
    row.encodedAddress = 7;
    EXPECT_FALSE(project.StoreForcedValue(&row));
    row.flags = OT_FORCEABLE | OT_POINTER;
    EXPECT_TRUE(project.StoreForcedValue(&row));
    value = -3;
    EXPECT_TRUE(project.GetForcedValue(7, row.flags, value));
    EXPECT_EQ(value, -3);
    EXPECT_EQ(project.ForceValues[7], 0u);
}
