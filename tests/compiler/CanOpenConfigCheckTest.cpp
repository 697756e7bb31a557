#include "CompilerFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILCompiler.h"
#include "compiler/CanOpenConfigCheck.h"
#include "platform/ByteString.h"
#include "platform/Gbk.h"

namespace {

constexpr int FAMILY_INDEX_VC14 = 6;
const char kIOType[] = "CANOPEN_IO";
const char kIOInput[] = "uIO_inPut";

struct Finding {
    int code;
    int kind;
    std::string detail;
};

class CanOpenConfigCheckTest : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        UseFamily(FAMILY_INDEX_VC14);
        m_app->Project.ResetCanOpenConfig();
    }

    CCanOpenSlave& Slave(int slot) { return m_app->Project.CanOpenSlaves[slot]; }

    // A slave of the I/O type whose first receive PDO maps one row onto the operand.
    CCanOpenSlave& IOSlave(int slot, const std::string& memory = "%VB0")
    {
        CCanOpenSlave& slave = Slave(slot);
        slave.Name = kIOType;
        Map(slave.RPDO[0], 0, memory);
        return slave;
    }

    static void Map(CCanOpenPdo& pdo, int row, const std::string& memory, const std::string& object = kIOInput)
    {
        pdo.Rows[row].ODName = object;
        pdo.Rows[row].Mem = memory;
    }

    std::vector<Finding> Run()
    {
        std::vector<Finding> findings;
        m_errors = 0;
        m_warnings = 0;
        CheckCanOpenConfig(m_errors, m_warnings, [&](int code, int kind, const std::string& detail) {
            findings.push_back({code, kind, detail});
        });
        return findings;
    }

    static std::string Text(const char* utf8) { return Utf8ToGbk(utf8); }

    int m_errors = 0;
    int m_warnings = 0;
};

TEST_F(CanOpenConfigCheckTest, ACleanNetworkHasNoFinding)
{
    IOSlave(0);
    IOSlave(1, "%VW2");
    Map(Slave(1).TPDO[0], 0, "%VB0"); // the same byte on the other side
    EXPECT_TRUE(Run().empty());
    EXPECT_EQ(m_errors, 0);
    EXPECT_EQ(m_warnings, 0);
}

TEST_F(CanOpenConfigCheckTest, OverlappingReceiveRowsAreReportedOncePerSharedByte)
{
    IOSlave(0, "%VW100");
    Map(Slave(0).RPDO[1], 0, "%VB101");
    IOSlave(2, "%VD100");
    const std::vector<Finding> findings = Run();
    ASSERT_EQ(findings.size(), 2u); // bytes 102 and 103 carry one receive row only
    EXPECT_EQ(m_errors, 2);
    EXPECT_EQ(findings[0].code, MSG_REUSE);
    EXPECT_EQ(findings[0].kind, MESSAGE_KIND_ERROR);
    EXPECT_EQ(findings[0].detail,
              Text("CanOpen的同一类PDO的中有重叠的内存使用: 所有PDO中共有 0 个byte, 1 个word, 1 个dword使用了 %VB100, "
                   "前两个接收PDO为\"从站1的接收PDO1的第1行, 及, 从站3的接收PDO1的第1行\""));
    EXPECT_EQ(findings[1].detail,
              Text("CanOpen的同一类PDO的中有重叠的内存使用: 所有PDO中共有 1 个byte, 1 个word, 1 个dword使用了 %VB101, "
                   "前两个接收PDO为\"从站1的接收PDO1的第1行, 及, 从站1的接收PDO2的第1行\""));
}

TEST_F(CanOpenConfigCheckTest, OverlappingTransmitRowsAndSkippedOperands)
{
    CCanOpenSlave& slave = IOSlave(0, "");
    slave.RPDO[0].Rows[0].ODName.clear();
    Map(slave.TPDO[0], 0, "%VB7");
    Map(slave.TPDO[0], 1, "%VB7");
    Map(slave.TPDO[1], 0, "%V7.1");  // a bit address is not counted
    Map(slave.TPDO[1], 1, "%MB7");   // neither is another area
    const std::vector<Finding> findings = Run();
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].detail,
              Text("CanOpen的同一类PDO的中有重叠的内存使用: 所有PDO中共有 2 个byte, 0 个word, 0 个dword使用了 %VB7, "
                   "前两个发送PDO为\"从站1的发送PDO1的第1行, 及, 从站1的发送PDO1的第2行\""));
}

TEST_F(CanOpenConfigCheckTest, MappedPdoWithCobIdZero)
{
    CCanOpenSlave& slave = IOSlave(4);
    Map(slave.RPDO[4], 2, "%VB10");  // PDOs 5 to 8 start with COB-ID 0
    Map(slave.TPDO[6], 0, "%VB20");
    slave.TPDO[7].Rows[0].ODName = kIOInput; // no memory: not a mapped PDO
    const std::vector<Finding> findings = Run();
    std::vector<std::string> cobIdErrors;
    for (const Finding& finding : findings) {
        if (finding.code == MSG_VALUE_OUT_OF_RANGE)
            cobIdErrors.push_back(finding.detail);
    }
    EXPECT_EQ(cobIdErrors, (std::vector<std::string>{
                               Text("已经有OD映射的PDO的COB-ID不允许为0: 从站 5 的接收PDO 5 的COB-ID为 0"),
                               Text("已经有OD映射的PDO的COB-ID不允许为0: 从站 5 的发送PDO 7 的COB-ID为 0"),
                           }));
    EXPECT_EQ(m_errors, 2);
}

TEST_F(CanOpenConfigCheckTest, AtMostEightDistinctEventTimes)
{
    struct EventCase {
        int distinctTimes;
        int errors;
    } const cases[] = {{8, 0}, {9, 1}, {12, 1}};
    for (const EventCase& c : cases) {
        m_app->Project.ResetCanOpenConfig();
        for (int i = 0; i < c.distinctTimes; ++i) {
            CCanOpenSlave& slave = IOSlave(i / 4);
            slave.RPDO[i % 4].CommType = 254;
            slave.RPDO[i % 4].EventTime = 100 + i;
        }
        // Repeated times, times out of range and other transmission types do not count.
        Slave(20).Name = kIOType;
        Slave(20).RPDO[0].CommType = 254;
        Slave(20).RPDO[0].EventTime = 100;
        Slave(20).RPDO[1].CommType = 254;
        Slave(20).RPDO[1].EventTime = 0;
        Slave(20).RPDO[2].CommType = 255;
        Slave(20).RPDO[2].EventTime = 999;
        int overflows = 0;
        for (const Finding& finding : Run()) {
            if (finding.code == MSG_OVERFLOW) {
                ++overflows;
                EXPECT_EQ(finding.detail, Text("所有接收PDO中, 254传输类型最多支持 8 种不同的时间"));
            }
        }
        EXPECT_EQ(overflows, c.errors) << c.distinctTimes;
    }
}

TEST_F(CanOpenConfigCheckTest, UnknownSlaveTypeStillHasItsRowsExamined)
{
    CCanOpenSlave& slave = Slave(3);
    slave.Name = "PUMP";
    Map(slave.RPDO[0], 0, "%VB0", "speed");
    Map(slave.TPDO[1], 5, "", "state");
    const std::vector<Finding> findings = Run();
    ASSERT_EQ(findings.size(), 4u);
    for (const Finding& finding : findings) {
        EXPECT_EQ(finding.code, MSG_PAY_ATTENTION);
        EXPECT_EQ(finding.kind, MESSAGE_KIND_WARNING);
    }
    EXPECT_EQ(findings[0].detail, Text("在当前的软件中找不到从站 PUMP 的相关EDS信息, 可以正常的编译下载运行, "
                                       "但无法正常上载硬件配置中的CANOpen部分"));
    EXPECT_EQ(findings[1].detail, Text("在从站 PUMP 的EDS中找不到OD映射 speed 的相关信息, 可以正常的编译下载运行, "
                                       "但无法正常上载硬件配置中的CANOpen部分"));
    EXPECT_EQ(findings[2].detail, Text("在从站 PUMP 的EDS中找不到OD映射 state 的相关信息, 可以正常的编译下载运行, "
                                       "但无法正常上载硬件配置中的CANOpen部分"));
    EXPECT_EQ(findings[3].detail, Text("从站 4 的发送PDO 2 的第 6 行没有输入合法内存, 将忽略"));
    EXPECT_EQ(m_warnings, 4);
    EXPECT_EQ(m_errors, 0);
}

TEST_F(CanOpenConfigCheckTest, DisabledOrEmptySlavesAreIgnoredByNodeNumber)
{
    CCanOpenSlave& disabled = IOSlave(0);
    Map(disabled.RPDO[1], 0, ""); // no memory, but the slave is disabled
    disabled.Valid = 0;
    CCanOpenSlave& empty = Slave(1);
    empty.Name = kIOType;
    empty.Node = 42;
    const std::vector<Finding> findings = Run();
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].detail, Text("从站 1 中没有添加任何正确OD映射或未启用, 将忽略此从站"));
    EXPECT_EQ(findings[1].detail, Text("从站 42 中没有添加任何正确OD映射或未启用, 将忽略此从站"));
}

TEST_F(CanOpenConfigCheckTest, NetworkLimits)
{
    struct LimitCase {
        int slaves;
        int pdosPerSlave;
        std::vector<std::string> errors;
    } const cases[] = {
        {64, 1, {}},
        {16, 4, {}},
        {17, 4, {Text("CanOpen网络最多支持 64 个RPDO  64 个TPDO, 请删除多余的PDO映射, 重新编译")}},
        {65, 1,
         {Text("CanOpen网络最多支持 64 个RPDO  64 个TPDO, 请删除多余的PDO映射, 重新编译"),
          Text("CanOpen网络最多支持 64 个从站, 请删除多余的从站, 重新编译")}},
    };
    for (const LimitCase& c : cases) {
        m_app->Project.ResetCanOpenConfig();
        for (int s = 0; s < c.slaves; ++s) {
            CCanOpenSlave& slave = Slave(s);
            slave.Name = kIOType;
            for (int p = 0; p < c.pdosPerSlave; ++p)
                Map(slave.RPDO[p], 0, ByteString::Format("%%VB%d", 100 + s * 8 + p));
        }
        std::vector<std::string> errors;
        for (const Finding& finding : Run()) {
            if (finding.kind == MESSAGE_KIND_ERROR)
                errors.push_back(finding.detail);
        }
        EXPECT_EQ(errors, c.errors) << c.slaves << " slaves";
    }
}

TEST_F(CanOpenConfigCheckTest, TheDriverRunsTheChecksOnTheCanOpenFamiliesOnly)
{
    IOSlave(0, "%VB3");
    IOSlave(1, "%VB3");
    struct FamilyCase {
        int familyIndex;
        int errors;
    } const cases[] = {{FAMILY_INDEX_VC14, 1}, {FAMILY_INDEX_VC16, 1}, {FAMILY_INDEX_VB16, 0}, {FAMILY_INDEX_VB14, 0}};
    for (const FamilyCase& c : cases) {
        UseFamily(c.familyIndex);
        m_ui.output.Clear();
        CILCompiler compiler(nullptr, 0);
        EXPECT_EQ(compiler.CheckHardware(), c.errors) << c.familyIndex;
        const std::vector<std::string> lines = CompileLines();
        ASSERT_EQ(lines.size(), size_t(1 + c.errors));
        EXPECT_EQ(lines[0], "$$$ compiling  : Hardware... ");
        if (c.errors) {
            EXPECT_EQ(lines[1], "$$$ [Error 043]Reuse:" +
                                    Text("CanOpen的同一类PDO的中有重叠的内存使用: 所有PDO中共有 2 个byte, 0 个word, 0 "
                                         "个dword使用了 %VB3, 前两个接收PDO为\"从站1的接收PDO1的第1行, 及, "
                                         "从站2的接收PDO1的第1行\"") +
                                    ".");
        }
    }
}

} // namespace
