#include "shell/ui/CZULApp.h"

#include "hardware/canopen/SlaveTypeFile.h"
#include "ladder/CLadderProgramFactory.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/CXrefStore.h"
#include "model/SharedStrings.h"
#include "platform/CPathProvider.h"
#include "platform/CSystemMetrics.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/ui/QtText.h"
#include "plclink/CPlcCommPort.h"
#include "shell/CProjectCommands.h"
#include "shell/FileTypeRegistration.h"
#include "shell/Settings.h"
#include "shell/ui/CAboutBox.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CResourceStore.h"
#include "shell/ui/CSplashWindow.h"
#include "shell/ui/CWinAppProfile.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QPageSetupDialog>
#include <QPrinter>

#include <cctype>
#include <iterator>

namespace {

// The four editor fonts start from the stock fonts at every start: the
// first and third from the fixed-pitch font, the others from the GUI font.
void UseStockEditorFonts(CZULAppData& app)
{
    const LOGFONT fixed = CSystemMetrics::Instance().GetFixedFont();
    const LOGFONT gui = CSystemMetrics::Instance().GetGuiFont();
    for (size_t i = 0; i < std::size(app.Fonts); ++i)
        app.Fonts[i] = i % 2 == 0 ? fixed : gui;
}

constexpr const char* kAppTitle = "ZUL_Q7";

// The framework's commands that reach the application.
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_MRU_FIRST = 57616;
constexpr UINT ID_FILE_MRU_LAST = 57619;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr int kAboutHelpContext = 1;
constexpr const char* kProjectSuffix = "qpj";
constexpr size_t kProjectSuffixLength = 3;

// Themes 0..3 of View > Theme; anything else looks like the default, 2.
const InterfaceThemeRecord kThemes[] = {
    {0, 3, 3},
    {1, 0, 5},
    {2, 2, 5},
    {3, 1, 3},
};
constexpr int kDefaultThemeIndex = 2;

// A new POU's extension: its last four characters, "." included.
constexpr size_t kExtensionLength = 4;
// The filter extension of a document string ("\nZUL IL\n...\n.ilp\n...").
constexpr int kFilterExtensionPart = 4;

std::string DocumentStringPart(UINT id, int part)
{
    const std::string text = CResourceStore::Instance().LoadString(id);
    size_t start = 0;
    for (int i = 0; i < part; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}

bool IsBlank(const std::string& text)
{
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

} // namespace

CZULApp::CZULApp() : CWinApp(kAppTitle)
{
    using Cmd = CCmdEntry<CZULApp>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_APP_ABOUT, &CZULApp::OnHelpAbout),
        Cmd::Command(ID_APP_EXIT, &CZULApp::OnAppExit),
        Cmd::Command(ID_FILE_NEW, &CZULApp::OnFileNew),
        Cmd::Command(ID_FILE_OPEN, &CZULApp::OnFileOpen),
        Cmd::Command(ID_FILE_PRINT_SETUP, &CZULApp::OnFilePrintSetup),
        Cmd::CommandRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, &CZULApp::OnOpenRecentProject),
        Cmd::Update(ID_FILE_MRU_FIRST, &CZULApp::OnUpdateRecentFileMenu),
    };
    AddCommandTable(kCommands);
}

CZULApp::~CZULApp()
{
    m_windowlessDocuments.clear();
    m_pouTemplate.reset();
    // The cross references belong to the project of this run, which goes
    // with it even when it was not closed first.
    ClearXrefTables();
    if (g_pAppData == m_appData.get())
        g_pAppData = nullptr;
}

BOOL CZULApp::InitInstance(const std::vector<std::string>& args)
{
    CSplashWindow::EnableSplashScreen(SplashWanted(args));
    m_appData = std::make_unique<CZULAppData>();
    g_pAppData = m_appData.get();
    m_appData->ProjectOpen = 0;
    UseStockEditorFonts(*m_appData);
    LoadSlaveTypeFolders(*m_appData);
    // LD POUs open, convert and paste through the ladder library's programs.
    RegisterLadderProgramFactory(*m_appData);
    SetRegistryKey(kRegistryKey);
    m_profile = std::make_unique<CWinAppProfile>(*this);
    m_recent.ReadList(*m_profile);
    m_recent.WriteThrough(m_profile.get());
    m_pouTemplate = std::make_unique<CPOUDocTemplate>([this] { return NewPOUDocument(); });

    auto* frame = new CMainFrame(*m_appData, *m_profile, m_recent);
    if (!frame->LoadFrame(IDR_MAINFRAME, kMainFrameStyle)) {
        delete frame;
        return FALSE;
    }
    m_frame = frame;
    SetMainWnd(frame);

    m_appData->BuildInstructionCatalog();
    m_programFolder = FromQString(QCoreApplication::applicationDirPath());
    FileSystem::CreateFolder(CPathProvider::DefaultProjectFolder());
    LoadSettings(*m_profile, *m_appData, g_PlcCommPort);
    SetInterfaceTheme(m_appData->Interface);
    ReplyTimeout = DEFAULT_REPLY_TIMEOUT;
    ProbeTimeout = DEFAULT_PROBE_TIMEOUT;
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    frame->UpdateWindow();
    RegisterProjectFileType(FileSystem::FolderOf(CPathProvider::UserDataFolder()),
                            FromQString(QCoreApplication::applicationFilePath()));
    OpenProjectFromCommandLine(args);
    return TRUE;
}

int CZULApp::ExitInstance()
{
    if (m_profile) {
        m_recent.WriteThrough(nullptr);
        m_recent.WriteList(*m_profile);
        if (m_appData)
            SaveSettings(*m_profile, *m_appData);
    }
    FlushProfile();
    m_windowlessDocuments.clear();
    m_pouTemplate.reset();
    if (g_pAppData == m_appData.get())
        g_pAppData = nullptr;
    m_appData.reset();
    return 1;
}

BOOL CZULApp::PreTranslateMessage(MSG* msg)
{
    if (CSplashWindow::PreTranslateAppMessage(msg))
        return TRUE;
    return CWinApp::PreTranslateMessage(msg);
}

void CZULApp::AddToRecentFileList(const std::string& path)
{
    if (path.size() < kProjectSuffixLength)
        return;
    std::string suffix = path.substr(path.size() - kProjectSuffixLength);
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (suffix != kProjectSuffix)
        return;
    m_recent.Add(path);
}

InterfaceThemeRecord CZULApp::LookupInterfaceTheme(int theme)
{
    for (const InterfaceThemeRecord& record : kThemes) {
        if (record.theme == theme)
            return record;
    }
    return kThemes[kDefaultThemeIndex];
}

void CZULApp::SetInterfaceTheme(int theme)
{
    if (m_appData)
        m_appData->Interface = theme;
    const InterfaceThemeRecord record = LookupInterfaceTheme(theme);
    CTKBarRenderer::SelectTheme(record.barTheme);
    if (!m_frame)
        return;
    m_frame->SetInterfaceStyle(record.barTheme, record.dockingStyle);
    m_frame->GetPaneHost().SetStyle(record.dockingStyle);
    if (CTKCommandBars* bars = m_frame->GetCommandBars())
        bars->RefreshAllBars();
}

void CZULApp::OnHelpAbout()
{
    CAboutBox box(m_frame);
    box.exec();
}

void CZULApp::OnFileNew()
{
    if (m_frame && m_frame->GetProjectCommands())
        m_frame->GetProjectCommands()->OnNewProject();
}

void CZULApp::OnFileOpen()
{
    if (m_frame && m_frame->GetProjectCommands())
        m_frame->GetProjectCommands()->OnOpenProject();
}

QPrinter& CZULApp::GetPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CZULApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&GetPrinter(), m_frame.data());
    dialog.exec();
}

// As the frame's close box: monitoring ends, the save questions come, and
// the program ends once the main window is gone.
void CZULApp::OnAppExit()
{
    if (CWnd* frame = GetMainWnd())
        frame->SendMessage(WM_CLOSE);
}

void CZULApp::OnOpenRecentProject(UINT id)
{
    if (m_frame && m_frame->GetProjectCommands())
        m_frame->GetProjectCommands()->OnOpenRecentProject(static_cast<int>(id - ID_FILE_MRU_FIRST));
}

// The File menu's "Recent File" stands greyed while the list is empty; the
// entries that replace it are enabled by the menu itself.
void CZULApp::OnUpdateRecentFileMenu(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_recent.GetSize() > 0 ? TRUE : FALSE);
}

std::unique_ptr<CDocument> CZULApp::NewPOUDocument()
{
    if (!m_appData)
        return nullptr;
    return CPOUDocTemplate::NewDocument(*m_appData, m_frame.data());
}

BOOL CZULApp::CreatePOUDocumentFile(const std::string& path, BOOL withWindow)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot == 0 || !m_pouTemplate)
        return FALSE;
    std::string extension = path.substr(path.size() >= kExtensionLength ? path.size() - kExtensionLength : 0);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string filter = DocumentStringPart(m_pouTemplate->GetResourceId(), kFilterExtensionPart);
    for (char& c : filter)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // A path no template takes creates nothing, so it is no success.
    if (filter != extension)
        return FALSE;
    CDocument* document = nullptr;
    if (withWindow) {
        document = m_pouTemplate->OpenDocumentFile({}, m_frame.data());
    } else if (std::unique_ptr<CDocument> alone = NewPOUDocument(); alone && alone->OnNewDocument()) {
        document = alone.get();
        m_windowlessDocuments.push_back(std::move(alone));
    }
    if (document == nullptr)
        return FALSE;
    document->SetPathName(path);
    return document->OnSaveDocument(path);
}

std::string CZULApp::CommandLineProjectPath(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0 || IsBlank(arg))
            continue;
        return FromQString(QDir::cleanPath(QDir::current().absoluteFilePath(ToQString(arg))));
    }
    return {};
}

BOOL CZULApp::SplashWanted(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == kNoSplashSwitch)
            return FALSE;
    }
    return TRUE;
}

void CZULApp::OpenProjectFromCommandLine(const std::vector<std::string>& args)
{
    const std::string path = CommandLineProjectPath(args);
    if (path.empty() || !m_frame)
        return;
    m_frame->OpenProjectByPath(path);
}
