// Writes the seed corpora of the fuzz targets, one folder per target under
// the folder given, made with the project's own writers and the builders
// of the tests.

#include "FuzzSession.h"
#include "../plclink/ObjectCodeBuilder.h"
#include "../plclink/UploadImageBuilder.h"
#include "../plclink/VarBlockBuilder.h"
#include "hardware/canopen/SlaveTypeFile.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CMemAreaInfo.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CStatusInput.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/CZULInitData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CanOpenConfigText.h"
#include "platform/CArchive.h"
#include "platform/FileSystem.h"
#include "plclink/CCanOpenImageSection.h"
#include "support/FileBytes.h"

#include <cstdio>
#include <memory>

using B = ObjectCodeBuilder;

namespace {

// Hardware codes of the module catalogue.
constexpr BYTE kVB14 = 2;
constexpr BYTE kVC14 = 45;
constexpr BYTE kDigitalOut8 = 9;
constexpr BYTE kAnalogInOut = 42;
// Block 5 of formats 1 to 3: the Modbus section's length, then (format 2)
// the CANopen section's length; 2 is an empty section.
constexpr int kModbusSection = 202;
constexpr int kCanOpenSection = kModbusSection + 2;
constexpr WORD kEmptySection = 2;
// Catalogue rows and codes of the project seed.
constexpr int kVC14Row = 17;
constexpr BYTE kDigitalModule = 15;
// The first byte of an input of the reply target names the reply.
enum ReplySeed : BYTE {
    identificationReply,
    clockReply,
    monitorReply,
    forceTableReply,
    variableRecordsReply,
    canOpenReply
};

class SeedWriter {
public:
    explicit SeedWriter(std::string root)
        : m_root(std::move(root))
    {
    }
    void Write(const std::string& target, const std::string& name, const std::vector<BYTE>& bytes) const
    {
        FileSystem::CreateFolder(m_root);
        FileSystem::CreateFolder(m_root + "/" + target);
        WriteFileBytes(m_root + "/" + target + "/" + name, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }
    void Write(const std::string& target, const std::string& name, const std::string& text) const
    {
        Write(target, name, std::vector<BYTE>(text.begin(), text.end()));
    }

private:
    std::string m_root;
};

std::vector<BYTE> Prefixed(BYTE first, const std::vector<BYTE>& rest)
{
    std::vector<BYTE> bytes{first};
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

CZULSymbol* Symbol(const char* name, const char* address, const char* type)
{
    auto* symbol = new CZULSymbol;
    symbol->name = name;
    symbol->address = address;
    symbol->dataType = type;
    return symbol;
}

// A project with modules, Modbus settings, symbols (two of them on one
// address), an FB instance, initial data, a status row, a subroutine
// interface, a CANopen slave and a blob.
void ProjectSeeds(const SeedWriter& out)
{
    FuzzSession session;
    CZULAppData& app = session.App();
    CZULProject& p = app.Project;
    CProjTreeDOC doc;
    const std::string path = session.Folder() / "seed.qpj";
    if (!doc.CreateProject(path))
        return;
    p.MainNode.name = "MAIN";
    p.MainNode.language = 1;
    auto* cpu = new CZUL_Q7_PLC;
    cpu->InitFromCatalog(*GetCatalogRow(kVC14Row));
    p.Modules.emplace_back(cpu);
    auto* dio = new CZUL_Q7_PLC;
    dio->InitFromCatalog(*FindCatalogRowByCode(kDigitalModule));
    p.Modules.emplace_back(dio);
    p.SetModbusInt(0, MODBUS_TIMEOUT_OFFSET, 1234);
    p.AddSymbol(Symbol("Start", "%I0.0", "BOOL"));
    p.AddSymbol(Symbol("Level", "VW0", "INT"));
    p.AddSymbol(Symbol("Alarm", "%I0.0", "BOOL"));
    auto* fb = new CZULFB;
    fb->typeName = "CTU";
    fb->instanceName = "C1";
    fb->ownerPou = "MAIN";
    auto* pin = new CZULFBPara;
    pin->name = "CU";
    fb->AddInput(pin);
    p.FBTable.FBInstances.emplace_back(fb);
    auto* initial = new CZULInitData;
    initial->texts = {"VB0", "1"};
    initial->SetCode(3, 4);
    p.InitialData.emplace_back(initial);
    auto* row = new CStatusInput;
    row->addressText = "%QB0";
    p.StatusRows.emplace_back(row);
    auto* func = new CZULFunc;
    func->name = "Fill";
    func->number = 4;
    func->AddOutput(new CZULFBPara);
    p.POUs.AddSubroutineInterface(func);
    p.CanOpenSlaves[3].Name = "CANOPEN_IO";
    p.CanOpenSlaves[3].TPDO[0].Rows[0] = {"uIO_inPut", 0x6000, 1, 8, "%VB3000"};
    app.Blobs[42] = {9, 8, 7};
    if (!doc.OnSaveDocument(path))
        return;
    std::vector<BYTE> bytes;
    FileSystem::ReadFileBytes(path, bytes);
    out.Write("project_file", "project.qpj", bytes);

    // Call interfaces and their parameter lists as an archive stores them.
    CArchive archive;
    func->Serialize(archive);
    fb->Serialize(archive);
    archive.WriteCount(2);
    archive.WriteObject(p.StatusRows[0].get());
    archive.WriteObject(p.OrderedSymbols[0]);
    out.Write("archive_objects", "interface", Prefixed(0, archive.GetBuffer()));
    out.Write("archive_objects", "interface-references", Prefixed(1, archive.GetBuffer()));

    const std::string config = BuildCanOpenConfigText(p);
    out.Write("canopen_config", "slave", config);
    std::vector<BYTE> section;
    if (CCanOpenImageSection(p).Build(section))
        out.Write("plc_replies", "canopen-section", Prefixed(canOpenReply, section));
}

std::vector<BYTE> ObjectCode()
{
    return B()
        .Pou(1, 0xFF)
        .Op(B::NETWORK)
        .Op(B::LD).Addr("%I0.0")
        .Op(B::AND).Addr("%I0.1")
        .Op(B::ST).Addr("%Q0.0")
        .Op(B::MPEND)
        .Pou(2, 3)
        .Op(B::LD).Addr("%L0.0")
        .Op(B::ST).Addr("%Q0.1")
        .Op(B::SPEND)
        .Pou(3, 0)
        .Op(B::LD).Addr("%I0.2")
        .Op(B::INTEND)
        .Finish();
}

void ImageSeeds(const SeedWriter& out)
{
    FuzzSession session;
    const std::vector<BYTE> code = ObjectCode();
    out.Write("decompiler", "three-pous", code);
    const std::vector<BYTE> block9 = VarBlock({VarRecord(3, 3, {{EncodeAddress("%L0.0", 0), 0x11}})});
    for (int format = 0; format <= 3; ++format) {
        UploadImageBuilder image(format);
        image.Module(format == 2 ? kVC14 : kVB14, 0, 1, 0, 1).Module(kAnalogInOut, 0, 3, 0, 1);
        image.Module(kDigitalOut8, 255, 255, 2, 2);
        image.ObjectCode(code).Language(4, 2);
        image.InitialValue(EncodeAddress("%VW0", 0), {0xFF, 0xFF}, 2);
        if (format != 0) {
            image.CpuWord(kModbusSection, kEmptySection).VariableBlock(block9);
            if (format == 2)
                image.CpuWord(kCanOpenSection, kEmptySection);
        }
        out.Write("upload_image", "format" + std::to_string(format), Prefixed(0, image.Build()));
    }
    out.Write("plc_replies", "variable-records", Prefixed(variableRecordsReply, block9));
}

void ReplySeeds(const SeedWriter& out)
{
    // Firmware 2.1.3, brand flags, two modules, then the three tags.
    out.Write("plc_replies", "identification",
              std::vector<BYTE>{identificationReply, 2, 1, 3, 0x40, 2, kVB14, 0, kDigitalOut8, 0, 1, 3, 2, 7, 3, 0x45});
    out.Write("plc_replies", "clock", std::vector<BYTE>{clockReply, 0x26, 0x12, 0x10, 0x17, 0x45, 0x30});
    std::vector<BYTE> cycle{monitorReply};
    for (BYTE i = 0; i < 40; ++i)
        cycle.push_back(i);
    out.Write("plc_replies", "monitor-cycle", cycle);
    out.Write("plc_replies", "force-table", std::vector<BYTE>{forceTableReply, 11, 0, 0x0A, 6, 0x0A, 0, 0, 0, 0, 0, 0});
}

void CompilerSeeds(const SeedWriter& out)
{
    const std::string nul(1, '\0');
    out.Write("compiler", "network", "(*1*)\r\n(* Network 0 *)\r\nLD %I0.0\r\nAND %I0.1\r\nST %Q0.0\r\n" + nul +
                                         "VAR\r\nEND_VAR\r\n");
    out.Write("compiler", "timers-and-locals",
              "(*1*)\r\n(* Network 0 *)\r\nLD %I0.0\r\nTON T37, LIMIT\r\nCTU C1, %I0.1, 10 (* count *)\r\n"
              "LD %L0.0\r\nST %Q0.1\r\nL1:\r\nLD %VW0\r\n" + nul +
                  "VAR_INPUT\r\n    GO AT %L0.0 : BOOL;\r\nEND_VAR\r\nVAR\r\n    LIMIT AT %LW2 : INT ;\r\nEND_VAR\r\n");
}

void CanOpenSeeds(const SeedWriter& out)
{
    for (auto* create : {&CCanOpenSlaveType::CreateBuiltinDrive, &CCanOpenSlaveType::CreateBuiltinIO}) {
        std::unique_ptr<CCanOpenSlaveType> type(create());
        out.Write("slave_type", type->name, FormatSlaveTypeFile(*type));
    }
    out.Write("eds_reader", "sheet",
              "[DeviceInfo]\r\nProductName=PRL120 IO\r\n\r\n[MandatoryObjects]\r\nSupportedObjects=1\r\n1=0x1000\r\n"
              "\r\n[1000]\r\nParameterName=Device Type\r\nObjectType=0x7\r\nDataType=0x0007\r\nAccessType=ro\r\n"
              "DefaultValue=0x00030191\r\nPDOMapping=0\r\n\r\n[6000]\r\nSubNumber=2\r\nParameterName=Read Inputs\r\n"
              "ObjectType=0x8\r\n\r\n[6000sub0]\r\nParameterName=Number of Inputs\r\nObjectType=0x7\r\n"
              "DataType=0x0005\r\nAccessType=ro\r\nDefaultValue=1\r\nPDOMapping=0\r\n\r\n[6000sub1]\r\n"
              "ParameterName=Input 1\r\nObjectType=0x7\r\nDataType=0x0005\r\nAccessType=ro\r\nPDOMapping=1\r\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const SeedWriter out(argv[1]);
    ProjectSeeds(out);
    ImageSeeds(out);
    ReplySeeds(out);
    CompilerSeeds(out);
    CanOpenSeeds(out);
    return 0;
}
