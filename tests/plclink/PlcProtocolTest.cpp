#include "LinkTestSupport.h"

#include "CPlcSimulator.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "plclink/PlcCompatibility.h"
#include "plclink/CIdeaCipher.h"
#include "plclink/CPlcIdentification.h"
#include "plclink/PlcProtocol.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>

namespace {

std::vector<BYTE> Pattern(size_t n, BYTE seed = 1)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<BYTE>(seed + i * 7);
    return bytes;
}

std::vector<BYTE> EncipheredPassword(const std::string& password)
{
    BYTE block[8];
    CIdeaCipher::MakePasswordBlock(password, block);
    CIdeaCipher cipher;
    cipher.SetKey(CIdeaCipher::ProgramKey());
    cipher.EncryptBlock(block);
    return std::vector<BYTE>(block, block + 8);
}

void PutRequestData(const std::vector<BYTE>& data)
{
    std::memcpy(g_PlcCommPort.TxBuffer + 3, data.data(), data.size());
}

class CRecordingProgress : public IDownloadProgress {
public:
    int ProgressPosition() override { return positions.empty() ? 0 : positions.back(); }
    void SetProgressPosition(int position) override { positions.push_back(position); }
    std::vector<int> positions;
};

class PlcProtocolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Start());
        port = std::make_unique<CScopedGlobalPort>(sim.SlavePath());
        ASSERT_TRUE(g_PlcCommPort.Open());
    }

    // The request frames the PLC received, checksums stripped after checking them.
    std::vector<std::vector<BYTE>> Requests()
    {
        std::vector<std::vector<BYTE>> frames;
        for (std::vector<BYTE> frame : sim.Requests()) {
            EXPECT_EQ(frame, WithCrc(std::vector<BYTE>(frame.begin(), frame.end() - 2)));
            frame.resize(frame.size() - 2);
            frames.push_back(frame);
        }
        return frames;
    }

    std::vector<BYTE> ReplyData() { return std::vector<BYTE>(PlcReplyData(), PlcReplyData() + PlcReplyDataLength()); }

    CPlcSimulator sim;
    CScopedTimeouts timeouts;
    CScopedUi ui;
    std::unique_ptr<CScopedGlobalPort> port;
};

} // namespace

TEST_F(PlcProtocolTest, EverySingleFrameCommandSendsItsExactRequest)
{
    // The settle times of the program itself, as the other tests shorten them.
    g_PlcCommPort.SettlePercent = kRealWaits.settle;
    const std::vector<BYTE> clock = {0x26, 0x12, 0x10, 0x04, 0x13, 0x45, 0x30, 0x00};
    const std::vector<BYTE> password = EncipheredPassword("");
    std::vector<BYTE> change = password;
    change.push_back(2);
    const std::vector<BYTE> newPassword = EncipheredPassword("Q7q7");
    change.insert(change.end(), newPassword.begin(), newPassword.end());
    const struct {
        const char* name;
        std::function<int()> call;
        std::vector<BYTE> request;
    } cases[] = {
        {"E", [] { return PlcReadInfo(); }, {1, 'E', 0}},
        {"B RUN", [] { return PlcSetRunStop(1); }, {1, 'B', 0, 1}},
        {"A", [] { return PlcReadState(); }, {1, 'A', 0}},
        {"B STOP", [] { return PlcSetRunStop(0); }, {1, 'B', 0, 0}},
        {"C", [] { return PlcReadClock(); }, {1, 'C', 0}},
        {"D", [&] { PutRequestData(clock); return PlcWriteClock(); }, {}},
        {"N", [&] { PutRequestData(password); return PlcSendPassword(); }, {}},
        {"O", [&] { PutRequestData(change); return PlcChangePassword(); }, {}},
        {"H", [] { return PlcReadSignature(); }, {1, 'H', 0}},
        {"K", [] { return PlcUnforceAll(); }, {1, 'K', 0}},
        {"@", [] { return PlcProbe(); }, {1, '@', 0}},
        {"I", [] { return PlcClear(); }, {1, 'I', 0}},
    };
    std::vector<std::vector<BYTE>> expected;
    for (const auto& c : cases) {
        sim.ClearRequests();
        EXPECT_EQ(c.call(), PLC_OK) << c.name;
        std::vector<BYTE> request = c.request;
        if (request.empty()) {
            request = {1, static_cast<BYTE>(c.name[0]), 0};
            const std::vector<BYTE>& data = c.name[0] == 'D' ? clock : c.name[0] == 'N' ? password : change;
            request.insert(request.end(), data.begin(), data.end());
        }
        EXPECT_EQ(Requests(), std::vector<std::vector<BYTE>>{request}) << c.name;
    }
    EXPECT_EQ(sim.LastClockWrite(), clock);
    EXPECT_EQ(sim.PrivilegeLevel(), 2);
    EXPECT_EQ(sim.PasswordBlock(), newPassword);
    EXPECT_EQ(sim.ClearCount(), 1);
}

TEST_F(PlcProtocolTest, RepliesCarryTheirData)
{
    sim.SetClock({0x26, 0x12, 0x10, 0x13, 0x05, 0x59});
    ASSERT_EQ(PlcReadClock(), PLC_OK);
    EXPECT_EQ(ReplyData(), (std::vector<BYTE>{0x26, 0x12, 0x10, 0x13, 0x05, 0x59}));

    sim.SetSignature(0xA55A);
    ASSERT_EQ(PlcReadSignature(), PLC_OK);
    EXPECT_EQ(ReplyData(), (std::vector<BYTE>{0x5A, 0xA5}));

    ASSERT_EQ(PlcSetRunStop(1), PLC_OK);
    ASSERT_EQ(PlcReadState(), PLC_OK);
    EXPECT_EQ(PlcReplyData()[0], 1);
    EXPECT_TRUE(sim.Running());

    ASSERT_EQ(PlcProbe(), PLC_OK);
    EXPECT_EQ(PlcReplyData()[0], 0x55);
}

TEST_F(PlcProtocolTest, IdentificationLayout)
{
    PlcSimIdentity identity;
    identity.firmware[0] = 6;
    identity.firmware[1] = 3;
    identity.firmware[2] = 9;
    identity.brandFlags = 0x80;
    identity.modules = {{0x16, 0}, {0x21, 3}, {0x40, 0}};
    identity.imageVariant = 2;
    identity.cpuModel = 23;
    identity.edition = 0x83;
    sim.SetIdentity(identity);
    ASSERT_EQ(PlcReadInfo(), PLC_OK);
    CPlcIdentification info;
    ASSERT_TRUE(info.Parse(PlcReplyData(), PlcReplyDataLength()));
    EXPECT_EQ(info.Firmware[0], 6);
    EXPECT_EQ(info.Firmware[1], 3);
    EXPECT_EQ(info.Firmware[2], 9);
    EXPECT_EQ(info.BrandFlags, 0x80);
    ASSERT_EQ(info.Modules.size(), 3u);
    EXPECT_EQ(info.Modules[1].hardwareCode, 0x21);
    EXPECT_EQ(info.Modules[1].failureCode, 3);
    EXPECT_EQ(info.CpuTypeCode, 0x16);
    EXPECT_TRUE(info.ImageVariantValid);
    EXPECT_EQ(info.ImageVariant, 2);
    EXPECT_TRUE(info.CpuModelValid);
    EXPECT_EQ(info.CpuModel, 23);
    EXPECT_TRUE(info.EditionValid);
    EXPECT_EQ(info.Edition, 0x83);

    identity.tagged = false;
    sim.SetIdentity(identity);
    ASSERT_EQ(PlcReadInfo(), PLC_OK);
    ASSERT_TRUE(info.Parse(PlcReplyData(), PlcReplyDataLength()));
    EXPECT_EQ(info.Modules.size(), 3u);
    EXPECT_FALSE(info.ImageVariantValid);
    EXPECT_FALSE(info.CpuModelValid);
    EXPECT_FALSE(info.EditionValid);
}

// The simulator reports any CPU of the catalogue by its model name, as the
// standalone program does with --cpu: the workbench names the CPU and takes
// it for a PLC of the CPU's family, for Download and (but the VA10) Upload.
TEST_F(PlcProtocolTest, EveryCatalogueCpuIsReportedAsAPlcOfItsFamily)
{
    for (int row = 0; row < MODULE_CATALOG_CPU_ROWS; ++row) {
        const CModuleCatalogEntry& cpu = ModuleCatalog[row];
        SCOPED_TRACE(cpu.model);
        PlcSimIdentity identity;
        ASSERT_TRUE(PlcSimIdentityOfCpu(cpu.model, identity));
        sim.SetIdentity(identity);
        ASSERT_EQ(PlcReadInfo(), PLC_OK);
        CPlcIdentification info;
        ASSERT_TRUE(info.Parse(PlcReplyData(), PlcReplyDataLength()));
        EXPECT_EQ(info.CpuTypeCode, cpu.hardwareCode);
        EXPECT_EQ(GetCPUTypeName(info.CpuTypeCode).find("CPU"), 1u) << GetCPUTypeName(info.CpuTypeCode);
        const DWORD family = CpuFamilyMaskOfIndex(CpuFamilyIndexFromHardwareCode(cpu.hardwareCode));
        BYTE subType = 0xFF;
        EXPECT_EQ(JudgePlcCompatibility(info, family, subType), PLC_COMPATIBLE);
        // The VA10's firmware 1.9.5 has no upload.
        if (family != CPU_FAMILY_VA10) {
            EXPECT_EQ(JudgeUploadCompatibility(info, info.Edition), PLC_COMPATIBLE);
        }
    }
    PlcSimIdentity identity;
    EXPECT_TRUE(PlcSimIdentityOfCpu(PLCSIM_DEFAULT_CPU, identity));
    EXPECT_FALSE(PlcSimIdentityOfCpu("VE50-08DX", identity));
    EXPECT_FALSE(PlcSimIdentityOfCpu("VB16", identity));
}

TEST(PlcIdentificationTest, BoundsOfTheIdentification)
{
    CPlcIdentification info;
    const BYTE tooShort[] = {5, 2, 1, 0};
    EXPECT_FALSE(info.Parse(tooShort, 4));
    // Announces four modules but carries one: refused, nothing read beyond the data.
    const BYTE lying[] = {5, 2, 1, 0, 4, 0x16, 0};
    EXPECT_FALSE(info.Parse(lying, 7));
    EXPECT_TRUE(info.Modules.empty());
    // Tags that are not all equal, zero, or an edition of 0xFE do not count.
    const BYTE mixed[] = {5, 2, 1, 0, 1, 0x16, 0, 1, 2, 1, 0, 0, 0, 0xFE, 0xFE, 0xFE};
    ASSERT_TRUE(info.Parse(mixed, sizeof(mixed)));
    EXPECT_FALSE(info.ImageVariantValid);
    EXPECT_FALSE(info.CpuModelValid);
    EXPECT_FALSE(info.EditionValid);
    // Nine bytes after the module pairs are needed for tags.
    const BYTE noRoom[] = {5, 2, 1, 0, 4, 1, 1, 2, 2, 3, 3, 4, 4, 7, 7, 7};
    ASSERT_TRUE(info.Parse(noRoom, sizeof(noRoom)));
    EXPECT_EQ(info.Modules.size(), 4u);
    EXPECT_FALSE(info.EditionValid);
}

TEST_F(PlcProtocolTest, FaultsOfASingleFrameGiveTheirResultCodes)
{
    const struct {
        PlcSimFault fault;
        int result;
    } cases[] = {
        {PlcSimFault::Stall, PLC_TIMEOUT},
        {PlcSimFault::WrongEcho, PLC_WRONG_REPLY},
        {PlcSimFault::BadChecksum, PLC_CHECKSUM},
        {PlcSimFault::ShortReply, PLC_WRONG_REPLY},
        {PlcSimFault::TruncatedReply, PLC_CHECKSUM},
        {PlcSimFault::Status16, PLC_WRONG_REPLY},
        {PlcSimFault::WrongBlock, PLC_OK},
    };
    for (const auto& c : cases) {
        sim.InjectFault(c.fault);
        EXPECT_EQ(PlcReadState(), c.result) << static_cast<int>(c.fault);
    }
    EXPECT_EQ(PlcReadState(), PLC_OK) << "the next exchange starts clean";
}

TEST_F(PlcProtocolTest, ClearReportsEveryReceiveErrorAsReceivingFailed)
{
    sim.InjectFault(PlcSimFault::BadChecksum);
    EXPECT_EQ(PlcClear(), PLC_RECEIVE_FAILED);
    sim.InjectFault(PlcSimFault::WrongEcho);
    EXPECT_EQ(PlcClear(), PLC_WRONG_REPLY);
    sim.InjectFault(PlcSimFault::Stall);
    EXPECT_EQ(PlcClear(), PLC_TIMEOUT);
}

TEST_F(PlcProtocolTest, ASlowReplyIsNotTakenForAChecksumError)
{
    g_PlcCommPort.SettlePercent = kRealWaits.settle;
    g_PlcCommPort.BaudRate = 4800;  // 100 ms settle, 50 ms between bytes
    ASSERT_TRUE(g_PlcCommPort.Open());
    sim.SetSlowGap(20);
    sim.InjectFault(PlcSimFault::SlowReply);
    ASSERT_EQ(PlcReadClock(), PLC_OK);
    EXPECT_EQ(PlcReplyDataLength(), 6);
}

TEST_F(PlcProtocolTest, ProbeAndStationAddress)
{
    sim.SetStation(5);
    EXPECT_EQ(PlcProbe(), PLC_TIMEOUT) << "another station does not answer";
    g_PlcCommPort.Station = 5;
    EXPECT_EQ(PlcProbe(), PLC_OK);
    EXPECT_EQ(Requests().back(), (std::vector<BYTE>{5, '@', 0}));
}

TEST_F(PlcProtocolTest, SendingOnAClosedPortFails)
{
    g_PlcCommPort.Close();
    EXPECT_EQ(PlcReadState(), PLC_SEND_FAILED);
}

TEST_F(PlcProtocolTest, BlockWritesAreNumberedDownToZero)
{
    const struct {
        size_t size;
        std::vector<BYTE> blocks;
        std::vector<size_t> lengths;
    } cases[] = {
        {453, {2, 1, 0}, {200, 200, 53}},
        {400, {1, 0}, {200, 200}},
        {17, {0}, {17}},
    };
    for (const auto& c : cases) {
        sim.ClearRequests();
        std::vector<BYTE> table = Pattern(c.size);
        ASSERT_EQ(PlcWriteForceTableFrom(table), PLC_OK) << c.size;
        std::vector<std::vector<BYTE>> frames = Requests();
        ASSERT_EQ(frames.size(), c.blocks.size()) << c.size;
        std::vector<BYTE> carried;
        for (size_t k = 0; k < frames.size(); ++k) {
            EXPECT_EQ(frames[k][1], 'J');
            EXPECT_EQ(frames[k][2], c.blocks[k]);
            EXPECT_EQ(frames[k].size() - 3, c.lengths[k]);
            carried.insert(carried.end(), frames[k].begin() + 3, frames[k].end());
        }
        EXPECT_EQ(carried, table);
        EXPECT_EQ(sim.ForceTable(), table);
    }
}

TEST_F(PlcProtocolTest, BlockWritesThatCannotBeSentSendNothing)
{
    sim.ClearRequests();
    EXPECT_EQ(PlcWriteForceTableFrom({}), PLC_OK);
    EXPECT_EQ(PlcBlockWrite('J', std::vector<BYTE>(PLC_MAX_BLOCKS * PLC_BLOCK_BYTES + 1)), PLC_DATA_TOO_LONG);
    EXPECT_TRUE(sim.Requests().empty());
}

TEST_F(PlcProtocolTest, ABlockWriteStopsAtTheFirstFailingBlock)
{
    const struct {
        PlcSimFault fault;
        int skip;
        int result;
        size_t frames;
    } cases[] = {
        {PlcSimFault::WrongBlock, 1, PLC_BLOCK_MISMATCH, 2},
        {PlcSimFault::WrongEcho, 0, PLC_WRONG_REPLY, 1},
        {PlcSimFault::Status16, 0, PLC_WRONG_REPLY, 1},
        {PlcSimFault::Stall, 2, PLC_TIMEOUT, 3},
        {PlcSimFault::BadChecksum, 1, PLC_CHECKSUM, 2},
    };
    for (const auto& c : cases) {
        sim.ClearRequests();
        sim.InjectFault(c.fault, c.skip);
        EXPECT_EQ(PlcWriteForceTableFrom(Pattern(600)), c.result) << static_cast<int>(c.fault);
        EXPECT_EQ(sim.Requests().size(), c.frames) << static_cast<int>(c.fault);
    }
}

TEST_F(PlcProtocolTest, BlockReadsStartAtBlock255AndFollowTheCount)
{
    std::vector<BYTE> image = Pattern(450, 9);
    sim.SetImage(image);
    std::vector<BYTE> transfer = {1, 2, 3};
    ASSERT_EQ(PlcUploadInto(transfer), PLC_OK);
    EXPECT_EQ(transfer, image);
    std::vector<std::vector<BYTE>> frames = Requests();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0], (std::vector<BYTE>{1, 'G', 255}));
    EXPECT_EQ(frames[1], (std::vector<BYTE>{1, 'G', 1}));
    EXPECT_EQ(frames[2], (std::vector<BYTE>{1, 'G', 0}));
}

TEST_F(PlcProtocolTest, UploadRefusalsAndFailuresEmptyTheBuffer)
{
    sim.SetImage(Pattern(450));
    const struct {
        const char* name;
        std::function<void()> arrange;
        int result;
    } cases[] = {
        {"upload disabled", [&] { sim.SetUploadDisabled(true); }, PLC_UPLOAD_DISABLED},
        {"password", [&] { sim.SetUploadDisabled(false); sim.SetPassword("abc", CPlcSimulator::LevelMinimum); }, PLC_PASSWORD},
        {"status 16 later", [&] { sim.SetPassword("", CPlcSimulator::LevelFull); sim.InjectFault(PlcSimFault::Status16, 1); }, PLC_WRONG_REPLY},
        {"status 19 first", [&] { sim.InjectFault(PlcSimFault::Status19); }, PLC_UPLOAD_DISABLED},
        {"wrong block", [&] { sim.InjectFault(PlcSimFault::WrongBlock, 2); }, PLC_BLOCK_MISMATCH},
        {"stall", [&] { sim.InjectFault(PlcSimFault::Stall, 1); }, PLC_TIMEOUT},
        {"short", [&] { sim.InjectFault(PlcSimFault::ShortReply, 1); }, PLC_WRONG_REPLY},
        {"truncated", [&] { sim.InjectFault(PlcSimFault::TruncatedReply, 2); }, PLC_CHECKSUM},
    };
    for (const auto& c : cases) {
        c.arrange();
        std::vector<BYTE> transfer = {1, 2, 3};
        EXPECT_EQ(PlcUploadInto(transfer), c.result) << c.name;
        EXPECT_TRUE(transfer.empty()) << c.name;
    }
}

TEST_F(PlcProtocolTest, ForceTableReadReplacesTheBlockOnlyOnSuccess)
{
    std::vector<BYTE> table = Pattern(260, 3);
    sim.SetForceTable(table);
    std::vector<BYTE> block = {11, 0, 9, 6, 9, 0, 0, 0, 0, 0, 0};
    sim.InjectFault(PlcSimFault::WrongBlock, 1);
    EXPECT_EQ(PlcReadForceTableInto(block), PLC_BLOCK_MISMATCH);
    EXPECT_EQ(block.size(), 11u) << "a failed read leaves the block as it was";
    ASSERT_EQ(PlcReadForceTableInto(block), PLC_OK);
    EXPECT_EQ(block, table);
    EXPECT_EQ(Requests().back(), (std::vector<BYTE>{1, 'P', 0}));

    ASSERT_EQ(PlcUnforceAll(), PLC_OK);
    EXPECT_EQ(PlcReadForceTableInto(block), PLC_WRONG_REPLY) << "a PLC without a force table";
    EXPECT_EQ(block, table);
}

TEST_F(PlcProtocolTest, MonitorBlocksComeFromTheMemoryImage)
{
    sim.SetMemory(100, {0x11, 0x22, 0x33, 0x44, 0x55});
    sim.SetMemory(3000, Pattern(400, 5));
    sim.SetTimerStatus(2000, 0x81);
    sim.SetMemory(2000, {0x34, 0x12});
    std::vector<WORD> bytes;
    for (WORD code = 3000; code < 3300; ++code)
        bytes.push_back(code);
    sim.SetMonitorLists(bytes, {100}, {2000}, {101});
    std::vector<BYTE> values;
    ASSERT_EQ(PlcBlockRead('L', values), PLC_OK);
    std::vector<BYTE> expected = Pattern(300, 5);
    expected.insert(expected.end(), {0x11, 0x22, 0x81, 0x34, 0x12, 0x22, 0x33, 0x44, 0x55});
    EXPECT_EQ(values, expected);
    EXPECT_EQ(Requests().size(), 2u);
}

TEST_F(PlcProtocolTest, WithoutListsTheMonitorReplyHasTheLengthTheImageAnnounces)
{
    // A directory block, then the monitor block: two codes and a reply of 6 bytes.
    const std::vector<BYTE> directory = {8, 0, 3, 6, 3, 0, 0, 0};
    const std::vector<BYTE> monitor = {14, 0, 8, 6, 8, 0, 2, 0, 100, 0, 200, 0, 6, 0};
    std::vector<BYTE> image = directory;
    image.insert(image.end(), monitor.begin(), monitor.end());
    image.insert(image.end(), {0, 0, 0});
    const struct {
        std::vector<BYTE> image;
        size_t replyBytes;
    } cases[] = {
        {image, 6},
        {directory, 0},
        // A block whose size runs past the image's end announces nothing.
        {std::vector<BYTE>(image.begin(), image.begin() + 12), 0},
    };
    for (const auto& c : cases) {
        sim.SetImage(c.image);
        std::vector<BYTE> values;
        ASSERT_EQ(PlcBlockRead('L', values), PLC_OK) << c.replyBytes;
        EXPECT_EQ(values, std::vector<BYTE>(c.replyBytes, 0));
    }
}

TEST_F(PlcProtocolTest, PasswordCommandsWorkWithTheEncipheredBlocks)
{
    sim.SetPassword("Q7pass", CPlcSimulator::LevelMinimum);
    PutRequestData(EncipheredPassword("wrong"));
    ASSERT_EQ(PlcSendPassword(), PLC_OK);
    EXPECT_FALSE(sim.Authorised());
    PutRequestData(EncipheredPassword("Q7pass"));
    ASSERT_EQ(PlcSendPassword(), PLC_OK);
    EXPECT_TRUE(sim.Authorised());

    std::vector<BYTE> change = EncipheredPassword("nope");
    change.push_back(CPlcSimulator::LevelFull);
    std::vector<BYTE> fresh = EncipheredPassword("");
    change.insert(change.end(), fresh.begin(), fresh.end());
    PutRequestData(change);
    EXPECT_EQ(PlcChangePassword(), PLC_WRONG_REPLY) << "the old password does not match";
    std::vector<BYTE> old = EncipheredPassword("Q7pass");
    std::copy(old.begin(), old.end(), change.begin());
    PutRequestData(change);
    ASSERT_EQ(PlcChangePassword(), PLC_OK);
    EXPECT_EQ(sim.PrivilegeLevel(), CPlcSimulator::LevelFull);
    EXPECT_EQ(sim.PasswordBlock(), fresh);
}

class PlcDownloadTest : public PlcProtocolTest {
protected:
    std::string WriteObjectFile(size_t size)
    {
        std::string path = folder / "Project.obj";
        image = Pattern(size, 4);
        WriteFileBytes(path, image);
        return path;
    }

    TempFolder folder;
    std::vector<BYTE> image;
};

TEST_F(PlcDownloadTest, ImageTravelsWithItsOptionBytes)
{
    std::string path = WriteObjectFile(450);
    CRecordingProgress progress;
    ASSERT_EQ(PlcDownloadFile(path, &progress, 0x06), PLC_OK);
    std::vector<BYTE> sent = image;
    sent.insert(sent.end(), 3, 0x06);
    EXPECT_EQ(sim.Image(), sent);
    std::vector<std::vector<BYTE>> frames = Requests();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], (std::vector<BYTE>{1, 'A', 0}));
    EXPECT_EQ(frames[1][2], 2);
    EXPECT_EQ(frames[2][2], 1);
    EXPECT_EQ(frames[3][2], 0);
    EXPECT_EQ(frames[3].size(), 3u + 53u);
    EXPECT_EQ(progress.positions, (std::vector<int>{5, 35, 65, 95}));
    EXPECT_TRUE(ui.box.Messages().empty());
    EXPECT_FALSE(sim.UploadDisabled());

    ASSERT_EQ(PlcDownloadFile(path, nullptr, 0x01), PLC_OK);
    EXPECT_TRUE(sim.UploadDisabled());
}

TEST_F(PlcDownloadTest, ASmallImageStillAdvancesTheProgress)
{
    std::string path = WriteObjectFile(100);
    CRecordingProgress progress;
    ASSERT_EQ(PlcDownloadFile(path, &progress, 0), PLC_OK);
    EXPECT_EQ(progress.positions, (std::vector<int>{5, 65}));
    EXPECT_EQ(sim.Image().size(), 103u);
}

TEST_F(PlcDownloadTest, ARunningPlcIsStoppedOnlyWhenTheUserAgrees)
{
    std::string path = WriteObjectFile(250);
    sim.SetRunning(true);
    ui.box.Answer(IDNO);
    EXPECT_EQ(PlcDownloadFile(path, nullptr, 0), PLC_DECLINED);
    EXPECT_EQ(Requests(), (std::vector<std::vector<BYTE>>{{1, 'A', 0}}));
    EXPECT_TRUE(sim.Running());

    sim.ClearRequests();
    ui.box.Answer(IDYES);
    ASSERT_EQ(PlcDownloadFile(path, nullptr, 0), PLC_OK);
    EXPECT_FALSE(sim.Running());
    std::vector<std::vector<BYTE>> frames = Requests();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[1], (std::vector<BYTE>{1, 'B', 0, 0}));

    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Note");
    EXPECT_EQ(messages[0].text, " The PLC is now in RUN mode.\r\nDo you want to place it in STOP mode and continue to download?");
    EXPECT_EQ(messages[0].type, MB_YESNO | MB_ICONQUESTION);
}

TEST_F(PlcDownloadTest, APasswordIsAskedForOnTheFirstBlockOnly)
{
    std::string path = WriteObjectFile(450);
    sim.SetPassword("Q7", CPlcSimulator::LevelPartial);
    EXPECT_EQ(PlcDownloadFile(path, nullptr, 0), PLC_PASSWORD);
    EXPECT_TRUE(sim.Image().empty());

    PutRequestData(EncipheredPassword("Q7"));
    ASSERT_EQ(PlcSendPassword(), PLC_OK);
    sim.InjectFault(PlcSimFault::Status16, 2);
    EXPECT_EQ(PlcDownloadFile(path, nullptr, 0), PLC_WRONG_REPLY);
    sim.InjectFault(PlcSimFault::WrongBlock, 3);
    EXPECT_EQ(PlcDownloadFile(path, nullptr, 0), PLC_BLOCK_MISMATCH);
    EXPECT_EQ(PlcDownloadFile(path, nullptr, 0), PLC_OK) << "a new download starts from the first block";
    EXPECT_EQ(sim.Image().size(), 453u);
}

TEST_F(PlcDownloadTest, AMissingObjectFileIsReported)
{
    EXPECT_EQ(PlcDownloadFile(folder / "Missing.obj", nullptr, 0), PLC_DECLINED);
    EXPECT_EQ(PlcDownloadFile(folder.Path(), nullptr, 0), PLC_DECLINED);
    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[0].text, "The object file do not exist.\r\nPlease retry to compile or contact with us.");
    EXPECT_EQ(messages[1].caption, "System Error");
    EXPECT_EQ(messages[1].text, "Failed to access the object file.\r\nPlease retry after restarting computer.");
    EXPECT_EQ(messages[1].type, MB_OK | MB_ICONERROR);
    for (const std::vector<BYTE>& frame : Requests())
        EXPECT_NE(frame[1], 'F');
}

// The commands on the open project: its object file, transfer buffer and
// force-table block.
class PlcProjectCommandTest : public PlcProtocolTest {
protected:
    void SetUp() override
    {
        PlcProtocolTest::SetUp();
        if (g_pAppData == nullptr) {
            g_pAppData = new CZULAppData;
            ownsAppData = true;
        }
        g_pAppData->Project.ProjectFolder = folder / "Line 3";
        g_pAppData->Project.ProjectName = "Line 3";
    }

    void TearDown() override
    {
        g_pAppData->Project.TransferBuffer.clear();
        g_pAppData->Project.ForceTableBlock.clear();
        if (ownsAppData) {
            delete g_pAppData;
            g_pAppData = nullptr;
        }
    }

    TempFolder folder;
    bool ownsAppData = false;
};

TEST_F(PlcProjectCommandTest, CommandsUseTheProjectsFilesAndBuffers)
{
    EXPECT_EQ(ProjectObjectFilePath(), folder / "Line 3/Line 3.obj");
    ASSERT_EQ(mkdir((folder / "Line 3").c_str(), 0700), 0);
    std::vector<BYTE> image = Pattern(230);
    WriteFileBytes(ProjectObjectFilePath(), image);
    ASSERT_EQ(PlcDownload(nullptr, 0x04), PLC_OK);
    image.insert(image.end(), 3, 0x04);
    EXPECT_EQ(sim.Image(), image);

    ASSERT_EQ(PlcUpload(), PLC_OK);
    EXPECT_EQ(g_pAppData->Project.TransferBuffer, image);

    g_pAppData->Project.ForceTableBlock = {11, 0, 9, 6, 9, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(PlcWriteForceTable(), PLC_OK);
    EXPECT_EQ(sim.ForceTable(), g_pAppData->Project.ForceTableBlock);
    sim.SetForceTable(Pattern(40));
    ASSERT_EQ(PlcReadForceTable(), PLC_OK);
    EXPECT_EQ(g_pAppData->Project.ForceTableBlock, Pattern(40));
}

TEST(PlcProbeReplyTest, AProbeAnswerOtherThan0x55IsAWrongReply)
{
    CRawPty pty;
    CScopedTimeouts timeouts;
    CScopedGlobalPort port(pty.SlavePath());
    ASSERT_TRUE(g_PlcCommPort.Open());
    for (BYTE answer : {BYTE(0x54), BYTE(0x55)}) {
        std::thread plc([&] {
            pty.Read();
            pty.Write(WithCrc({0x01, '@', 0x02, 0x00, answer}));
        });
        EXPECT_EQ(PlcProbe(), answer == 0x55 ? PLC_OK : PLC_WRONG_REPLY);
        plc.join();
    }
}
