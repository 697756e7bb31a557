// Speed of the LD editor's paint: a full-screen paint of a POU of many
// networks (contacts, a parallel branch, a box, a coil chain) into an image
// device context, once with and once without live values.

#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CFont.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "pouedit/IPOUEditorHost.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kVB16FamilyIndex = 2;
constexpr int kNetworks = 100;
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// The view as the editor sees it: a full-screen client measured with the real fonts.
class ScreenHost : public IPOUEditorHost {
public:
    std::string GetPOUName() const override { return "MAIN"; }
    BOOL LookupLocalSymbolType(const std::string&, OperandTypeFlags&) const override { return FALSE; }
    BOOL FindLocalAddress(const std::string&, std::string&) const override { return FALSE; }
    BOOL FindLocalName(const std::string&, std::string&) const override { return FALSE; }
    BOOL GetLocalSymbols(std::vector<std::pair<std::string, std::string>>&) const override { return FALSE; }
    void GetScrollPosition(int& x, int& y) const override
    {
        x = 0;
        y = 0;
    }
    void ScrollTo(int, int) override {}
    void SetScrollSizes(const CSize& total, const CSize&, const CSize&) override { m_total = total; }
    CSize GetTotalSize() const override { return m_total; }
    CSize GetClientSize() const override { return CSize(kScreenWidth, kScreenHeight); }
    void CreateCaret(const CSize&) override {}
    void ShowCaretAt(const CPoint&) override {}
    void HideCaret() override {}
    void DestroyCaret() override {}
    void Invalidate() override {}
    void SetFocus() override {}
    void SetCapture() override {}
    void ReleaseCapture() override {}
    void SetCursorShape(UINT) override {}
    BOOL IsKeyDown(UINT) const override { return FALSE; }
    BOOL HasDocument() const override { return TRUE; }
    void SetModified() override {}
    void MeasureFont(const LOGFONT& font, TEXTMETRIC& metrics) const override
    {
        CQtImageDC dc(1, 1);
        CFont record;
        record.CreateFontIndirect(&font);
        dc.SelectObject(&record);
        dc.GetTextMetrics(&metrics);
    }
    int GetTextWidth(const LOGFONT& font, const std::string& text) const override
    {
        CQtImageDC dc(1, 1);
        CFont record;
        record.CreateFontIndirect(&font);
        dc.SelectObject(&record);
        return dc.GetTextExtent(text).cx;
    }
    void SetStatusPane(int, const std::string&) override {}
    BOOL ForceAddress(const std::string&, int) override { return TRUE; }
    BOOL UnforceAddress(const std::string&) override { return TRUE; }
    void RunForceDialog(const std::string&, const std::string&) override {}
    IFindReplaceDialog* OpenFindReplaceDialog(BOOL) override { return nullptr; }
    IFindReplaceDialog* GetFindReplaceDialog() const override { return nullptr; }
    std::string GetDocumentTitle() const override { return "MAIN"; }
    void GetFileTimes(std::string&, std::string&) const override {}
    void GetLocalVarDeclLines(std::vector<std::string>&) const override {}

private:
    CSize m_total;
};

class LDPaint : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_app->Project.CPUFamilyIndex = kVB16FamilyIndex;
        m_app->LoadAreaTable();
        m_app->ApplyFamilyProfile();
        m_app->BuildInstructionCatalog();
        m_app->Fonts[1] = CSystemMetrics::Instance().GetGuiFont();
        m_app->Fonts[3] = CSystemMetrics::Instance().GetGuiFont();
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        std::vector<std::string> lines;
        for (int n = 0; n < kNetworks; ++n) {
            lines.push_back(ByteString::Format("(* Network %d *)", n));
            lines.push_back(ByteString::Format("LD    %%I%d.%d", n % 8, n % 8));
            lines.push_back("OR    %M0.0");
            lines.push_back("ANDN  %I0.1");
            lines.push_back(ByteString::Format("MOVE    %%MW%d, %%MW%d", 2 * n, 2 * n + 400));
            lines.push_back(ByteString::Format("ST   %%Q%d.%d", n % 8, n % 8));
            lines.push_back("S    %Q1.0");
        }
        m_program->LoadFromIL(lines);
        m_program->GetLDEditor().OnInitialUpdate();
    }
    void TearDown(const benchmark::State&) override
    {
        m_app->Monitoring = 0;
        m_program.reset();
        g_pAppData = nullptr;
        m_app.reset();
    }

protected:
    ScreenHost m_host;
    std::unique_ptr<CZULAppData> m_app;
    std::unique_ptr<CLDProgram> m_program;
};

BENCHMARK_F(LDPaint, FullScreenPaint)(benchmark::State& state)
{
    CQtImageDC screen(kScreenWidth, kScreenHeight);
    for (auto _ : state)
        m_program->GetLDEditor().OnPaint(&screen);
}

BENCHMARK_F(LDPaint, FullScreenPaintWithLiveValues)(benchmark::State& state)
{
    CQtImageDC screen(kScreenWidth, kScreenHeight);
    m_app->Monitoring = 1;
    for (auto _ : state)
        m_program->GetLDEditor().OnPaint(&screen);
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
