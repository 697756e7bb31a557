#include "model/CanOpenConfigText.h"

#include "AppDataFixture.h"
#include "model/CZULProject.h"

#include <string>
#include <vector>

namespace {

class CanOpenConfigTextTest : public AppDataFixture {
protected:
    CZULProject& Project() { return m_app->Project; }

    std::string Blob() const { return std::string(m_app->Blobs[0].begin(), m_app->Blobs[0].end()); }

    void SetBlob(const std::string& text)
    {
        m_app->Blobs[0].assign(text.begin(), text.end());
        m_app->BlobLengths[0] = static_cast<DWORD>(text.size());
    }

    // Writes the project, reads the text into a reset project and writes
    // again: the second text must be the first.
    std::string RoundTrip()
    {
        Project().WriteCanOpenConfig();
        const std::string first = Blob();
        Project().ResetCanOpenConfig();
        Project().ReadCanOpenConfig();
        Project().WriteCanOpenConfig();
        EXPECT_EQ(first, Blob());
        return first;
    }

    // Slot 0 and slot 2 in use, slot 1 free between them.
    void Configure()
    {
        CZULProject& p = Project();
        p.NotHandleBoot = 0;
        p.CanOpenBPS = 3;
        p.NetStates = 2000;
        p.MasterStates = 2010;
        p.AllSalveStates = 2030;
        p.OverTime = 800;
        CCanOpenSlave& io = p.CanOpenSlaves[0];
        io.Name = "CANOPEN_IO";
        io.Type = 401;
        io.Watch = 0;
        io.HeartTime = 300;
        io.HeartOverTime = 450;
        io.BootProg = 0x7F;
        io.RPDO[0].Rows[0] = {"uIO_outPut", 0x6200, 0, 8, "%VB3000"};
        io.RPDO[0].Rows[2] = {"Gap after hole", 0x6200, 1, 16, "%VW3002"};
        io.TPDO[4].COB_ID = 385;
        io.TPDO[4].CommType = 254;
        io.TPDO[4].Rows[0] = {"Status", 0x2100, -1, 32, "%VD3004"};
        io.TPDO[4].Rows[1] = {"Ready", 0x2101, 0x1A, 1, ""};
        CCanOpenSlave& drive = p.CanOpenSlaves[2];
        drive.Name = "MX Servo";
        drive.Type = 402;
    }
};

TEST_F(CanOpenConfigTextTest, LinesFollowTheTokenForms)
{
    Configure();
    const std::string text = RoundTrip();
    const std::string expected =
        "[[NotHandleBoot0]]\n"
        "[[CanOpenBPS3]]\n"
        "[[CanOpenAllTime100]]\n"
        "[[CanOpenMasterAddr127]][[NetStates2000]][[MasterStates2010]][[AllSalveStates2030]][[OverTime800]]\n"
        "[[Slave001]][[Name" "CANOPEN_IO]][[Type401]][[Watch00]]\n"
        "[[Slave001]][[NodeTime1000]][[HeartTime300]][[ErrHandel1]][[Valid1]][[LifeGene3]][[HeartOverTime450]]"
        "[[BootProg127]]\n"
        "[[Slave001]][[PDOType2]][[PDONum0]][[CommType255]][[254Time10]][[ForbiddenTime1000]][[COB_ID513]]\n"
        "[[Slave001]][[PDOType2]][[PDONum0]][[ODNum0]][[ODName" "uIO_outPut]][[Index6200]][[Sub00]][[Size8]]"
        "[[Mem%VB3000]]\n"
        "[[Slave001]][[PDOType2]][[PDONum0]][[ODNum2]][[ODName" "Gap after hole]][[Index6200]][[Sub01]][[Size16]]"
        "[[Mem%VW3002]]\n"
        "[[Slave001]][[PDOType2]][[PDONum1]][[CommType255]][[254Time10]][[ForbiddenTime1000]][[COB_ID769]]\n";
    EXPECT_EQ(expected, text.substr(0, expected.size()));
    EXPECT_NE(std::string::npos,
              text.find("[[Slave001]][[PDOType1]][[PDONum4]][[CommType254]][[254Time10]][[ForbiddenTime1000]]"
                        "[[COB_ID385]]\n[[Slave001]][[PDOType1]][[PDONum4]][[ODNum0]][[ODName" "Status]][[Index2100]]"
                        "[[Sub-1]][[Size32]][[Mem%VD3004]]\n[[Slave001]][[PDOType1]][[PDONum4]][[ODNum1]][[ODName"
                        "Ready]][[Index2101]][[Sub1A]][[Size1]][[Mem]]\n"));
    // The free slot 2 is skipped; slot 3 keeps its number.
    EXPECT_EQ(std::string::npos, text.find("[[Slave002]]"));
    EXPECT_NE(std::string::npos, text.find("[[Slave003]][[Name" "MX Servo]][[Type402]][[Watch01]]\n"));
    // Every PDO line of a slave in use, mapped or not: 2 slaves x 16.
    size_t pdoLines = 0;
    for (size_t at = text.find("[[CommType"); at != std::string::npos; at = text.find("[[CommType", at + 1))
        ++pdoLines;
    EXPECT_EQ(32u, pdoLines);
    EXPECT_EQ(text.size(), m_app->BlobLengths[0]);

    const CCanOpenSlave& drive = Project().CanOpenSlaves[2];
    EXPECT_EQ(3, drive.Node);
    EXPECT_EQ("MX Servo", drive.Name);
    const CCanOpenPdo& tpdo = Project().CanOpenSlaves[0].TPDO[4];
    EXPECT_EQ(385, tpdo.COB_ID);
    EXPECT_EQ(-1, tpdo.Rows[0].Sub);
    EXPECT_EQ(0x1A, tpdo.Rows[1].Sub);
    EXPECT_EQ("", tpdo.Rows[1].Mem);
    EXPECT_EQ("", Project().CanOpenSlaves[0].RPDO[0].Rows[1].ODName); // the hole stays a hole
    EXPECT_EQ("Gap after hole", Project().CanOpenSlaves[0].RPDO[0].Rows[2].ODName);
}

TEST_F(CanOpenConfigTextTest, LineEndsAndTrailingEmptyLinesReadTheSame)
{
    Configure();
    Project().WriteCanOpenConfig();
    const std::string plain = Blob();
    std::string crlf;
    for (char c : plain)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& variant : {crlf, plain + "\n\n\n", crlf + "\r\n\r\n", plain.substr(0, plain.size() - 1)}) {
        SetBlob(variant);
        Project().ReadCanOpenConfig();
        Project().WriteCanOpenConfig();
        EXPECT_EQ(plain, Blob());
    }
}

struct MasterCase {
    const char* name;
    int CZULProject::*field;
    int stored;
    int written; // the value the project holds after writing
};

TEST_F(CanOpenConfigTextTest, MasterSettingsAreHeldInTheirRangesOnWritingAndReading)
{
    const MasterCase cases[] = {
        {"net status at its limit", &CZULProject::NetStates, 12284, 12284},
        {"net status past it", &CZULProject::NetStates, 12285, 1000},
        {"master status negative", &CZULProject::MasterStates, -1, 1010},
        {"master status at its limit", &CZULProject::MasterStates, 12286, 12286},
        {"slaves status past its limit", &CZULProject::AllSalveStates, 12160, 1030},
        {"time-out at its limit", &CZULProject::OverTime, 65535, 65535},
        {"time-out past it", &CZULProject::OverTime, 65536, 500},
        {"master address", &CZULProject::CanOpenMasterAddr, 5, 127},
        {"baud rate position 8", &CZULProject::CanOpenBPS, 8, 8},
        {"baud rate position 9", &CZULProject::CanOpenBPS, 9, 5},
        {"all-time reset value", &CZULProject::CanOpenAllTime, 1000, 100},
        {"all-time zero", &CZULProject::CanOpenAllTime, 0, 100},
        {"all-time one", &CZULProject::CanOpenAllTime, 1, 1},
    };
    for (const MasterCase& c : cases) {
        SCOPED_TRACE(c.name);
        Project().ResetCanOpenConfig();
        Project().*c.field = c.stored;
        Project().WriteCanOpenConfig();
        EXPECT_EQ(c.written, Project().*c.field);
        Project().ResetCanOpenConfig();
        Project().ReadCanOpenConfig();
        EXPECT_EQ(c.written, Project().*c.field);
    }
}

TEST_F(CanOpenConfigTextTest, ReadingBringsValuesIntoRangeAndResetsTheRest)
{
    Project().CanOpenReserved1 = 7;
    Project().CanOpenReserved2 = 8;
    Project().CanOpenSlaves[40].Name = "left over";
    SetBlob("[[NotHandleBoot7]]\n[[CanOpenBPS-2]]\n[[CanOpenAllTime0]]\n"
            "[[CanOpenMasterAddr9]][[NetStates12285]][[MasterStates-4]][[AllSalveStates40]][[OverTime70000]]\n");
    Project().ReadCanOpenConfig();
    const CZULProject& p = Project();
    EXPECT_EQ(1, p.NotHandleBoot);
    EXPECT_EQ(5, p.CanOpenBPS);
    EXPECT_EQ(100, p.CanOpenAllTime);
    EXPECT_EQ(127, p.CanOpenMasterAddr);
    EXPECT_EQ(1000, p.NetStates);
    EXPECT_EQ(1010, p.MasterStates);
    EXPECT_EQ(40, p.AllSalveStates);
    EXPECT_EQ(500, p.OverTime);
    EXPECT_EQ(500, p.CanOpenReserved1);
    EXPECT_EQ(1000, p.CanOpenReserved2);
    EXPECT_EQ("", p.CanOpenSlaves[40].Name);
}

// One line after a valid slave 5 (line A "IO", Watch 01) and its receive
// PDO 0: what the line changes, or that it changes nothing.
struct ReaderCase {
    const char* name;
    std::string line;
    std::string (*probe)(const CZULProject&);
    std::string expected;
};

std::string NameOf5(const CZULProject& p) { return p.CanOpenSlaves[4].Name + "/" + std::to_string(p.CanOpenSlaves[4].Watch); }
std::string Row0Of5(const CZULProject& p)
{
    const CCanOpenMappedObject& row = p.CanOpenSlaves[4].RPDO[0].Rows[0];
    return row.ODName + "/" + std::to_string(row.Index) + "/" + std::to_string(row.Sub) + "/" + std::to_string(row.Size) +
           "/" + row.Mem;
}
std::string Pdo0Of5(const CZULProject& p)
{
    const CCanOpenPdo& pdo = p.CanOpenSlaves[4].RPDO[0];
    return std::to_string(pdo.CommType) + "/" + std::to_string(pdo.EventTime) + "/" +
           std::to_string(pdo.ForbiddenTime) + "/" + std::to_string(pdo.COB_ID);
}
std::string TimesOf5(const CZULProject& p)
{
    const CCanOpenSlave& s = p.CanOpenSlaves[4];
    return std::to_string(s.NodeTime) + "/" + std::to_string(s.LifeGene) + "/" + std::to_string(s.BootProg);
}
std::string Master(const CZULProject& p)
{
    return std::to_string(p.NetStates) + "/" + std::to_string(p.MasterStates) + "/" +
           std::to_string(p.AllSalveStates) + "/" + std::to_string(p.OverTime);
}
std::string UsedSlots(const CZULProject& p)
{
    std::string used;
    for (int i = 0; i < CANOPEN_SLAVES; ++i)
        used += p.CanOpenSlaves[i].Name.empty() ? "" : std::to_string(i + 1) + " ";
    return used;
}

TEST_F(CanOpenConfigTextTest, ReaderSkipsWhatItsRulesRefuseAndKeepsTheRest)
{
    const std::string base = "[[Slave005]][[Name" "IO]][[Type401]][[Watch01]]\n";
    const std::string entry = "[[Slave005]][[PDOType2]][[PDONum0]][[ODNum0]][[ODName";
    const ReaderCase cases[] = {
        {"entry line", entry + "In]][[Index6000]][[Sub01]][[Size8]][[Mem%VB3000]]", Row0Of5, "In/24576/1/8/%VB3000"},
        {"entry without sub-index, empty memory", entry + "In]][[Index6000]][[Sub-1]][[Size1]][[Mem]]", Row0Of5,
         "In/24576/-1/1/"},
        {"row 64", "[[Slave005]][[PDOType2]][[PDONum0]][[ODNum64]][[ODName" "In]][[Index6000]][[Sub01]][[Size8]][[Mem]]",
         Row0Of5, "/0/-1/0/"},
        {"sub-index FE", entry + "In]][[Index6000]][[Sub" "FE]][[Size8]][[Mem]]", Row0Of5, "/0/-1/0/"},
        {"sub-index FD", entry + "In]][[Index6000]][[Sub" "FD]][[Size8]][[Mem]]", Row0Of5, "In/24576/253/8/"},
        {"lower-case index", entry + "In]][[Index6a00]][[Sub01]][[Size8]][[Mem]]", Row0Of5, "/0/-1/0/"},
        {"index of nine digits", entry + "In]][[Index" "123456789]][[Sub01]][[Size8]][[Mem]]", Row0Of5, "/0/-1/0/"},
        {"missing memory token", entry + "In]][[Index6000]][[Sub01]][[Size8]]", Row0Of5, "/0/-1/0/"},
        {"empty name", entry + "]][[Index6000]][[Sub01]][[Size8]][[Mem]]", Row0Of5, "/0/-1/0/"},
        {"PDO 8", "[[Slave005]][[PDOType2]][[PDONum8]][[CommType254]][[254Time5]][[ForbiddenTime6]][[COB_ID7]]",
         Pdo0Of5, "255/10/1000/517"},
        {"PDO type 3", "[[Slave005]][[PDOType3]][[PDONum0]][[CommType254]][[254Time5]][[ForbiddenTime6]][[COB_ID7]]",
         Pdo0Of5, "255/10/1000/517"},
        {"PDO type of two digits",
         "[[Slave005]][[PDOType02]][[PDONum0]][[CommType254]][[254Time5]][[ForbiddenTime6]][[COB_ID7]]", Pdo0Of5,
         "255/10/1000/517"},
        {"PDO line", "[[Slave005]][[PDOType2]][[PDONum0]][[CommType254]][[254Time5]][[ForbiddenTime6]][[COB_ID7]]",
         Pdo0Of5, "254/5/6/7"},
        {"PDO line missing its COB-ID", "[[Slave005]][[PDOType2]][[PDONum0]][[CommType254]][[254Time5]][[ForbiddenTime6]]",
         Pdo0Of5, "255/10/1000/517"},
        {"watch of three digits", "[[Slave005]][[Name" "Other]][[Type1]][[Watch001]]", NameOf5, "IO/1"},
        {"line A again", "[[Slave005]][[Name" "Other]][[Type1]][[Watch00]]", NameOf5, "Other/0"},
        {"line B", "[[Slave005]][[NodeTime7]][[HeartTime1]][[ErrHandel0]][[Valid1]][[LifeGene9]][[HeartOverTime2]]"
                   "[[BootProg70000]]",
         TimesOf5, "7/9/4464"},
        {"line B cut short", "[[Slave005]][[NodeTime7]][[HeartTime1]][[ErrHandel0]][[Valid1]][[LifeGene9]]", TimesOf5,
         "1000/3/65535"},
        {"slave 000", "[[Slave000]][[Name" "Zero]][[Type1]][[Watch01]]", UsedSlots, "5 "},
        {"slave 127", "[[Slave127]][[Name" "Far]][[Type1]][[Watch01]]", UsedSlots, "5 "},
        {"slave 126", "[[Slave126]][[Name" "Last]][[Type1]][[Watch01]]", UsedSlots, "5 126 "},
        {"slave token not of fixed width", "[[Slave7]][[Name" "Short]][[Type1]][[Watch01]]", UsedSlots, "5 "},
        {"negative slave number", "[[Slave-01]][[Name" "Neg]][[Type1]][[Watch01]]", UsedSlots, "5 "},
        {"unknown key after the slave", "[[Slave006]][[Colour1]]", UsedSlots, "5 "},
        {"unknown line", "[[Whatever1]]", UsedSlots, "5 "},
        {"token that never closes", "[[Slave006]][[Name" + std::string(100000, 'x'), UsedSlots, "5 "},
        {"master line cut after MasterStates", "[[CanOpenMasterAddr127]][[NetStates2000]][[MasterStates2010]]", Master,
         "2000/2010/1030/500"},
        {"master line with an empty value", "[[CanOpenMasterAddr127]][[NetStates2000]][[MasterStates]][[OverTime9]]",
         Master, "2000/1010/1030/500"},
        {"binary bytes", std::string("[[Slave005]][[Name\0\xFF]][[Type1]][[Watch01]]", 42), NameOf5,
         std::string("\0\xFF/1", 4)},
    };
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetBlob(base + c.line + "\n");
        Project().ReadCanOpenConfig();
        EXPECT_EQ(c.expected, c.probe(Project()));
    }
}

TEST_F(CanOpenConfigTextTest, BlobWhoseLengthDoesNotMatchLeavesTheConfiguration)
{
    Project().CanOpenSlaves[9].Name = "kept";
    m_app->Blobs[0] = {'[', '[', 'x'};
    m_app->BlobLengths[0] = 7;
    Project().ProjectName = "plant";
    Project().ReadCanOpenConfig();
    EXPECT_EQ("kept", Project().CanOpenSlaves[9].Name);
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ("plantCanOpenRead open failed, CANopen read failed", m_ui.box.Messages()[0].text);
}

} // namespace
