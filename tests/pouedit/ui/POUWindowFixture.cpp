#include "POUWindowFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CCmdUI.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>

namespace {
constexpr int WAIT_LIMIT_MS = 5000;
const CRect FRAME_RECT(0, 0, 480, 320);
constexpr int VAR_PANE_HEIGHT = 80;
}

IMPLEMENT_DYNCREATE(CFakeVarView, CView)

void POUWindowFixture::SetUp()
{
    AppDataFixture::SetUp();
    UseFamily(2);
    m_app->ApplyFamilyProfile();
    // The shell's start-up fills the editor fonts from the stock fonts the same way.
    const LOGFONT fixed = CSystemMetrics::Instance().GetFixedFont();
    const LOGFONT gui = CSystemMetrics::Instance().GetGuiFont();
    m_app->Fonts[0] = fixed;
    m_app->Fonts[1] = gui;
    m_app->Fonts[2] = fixed;
    m_app->Fonts[3] = gui;
    m_node.kind = NODE_MAIN;
    m_node.language = POU_LANGUAGE_IL;
    m_workbench.currentNode = &m_node;
}

void POUWindowFixture::TearDown()
{
    CloseWindow();
    AppDataFixture::TearDown();
}

BOOL POUWindowFixture::OpenWindow(const std::string& path, int language, int nodeKind)
{
    m_node.kind = nodeKind;
    m_node.language = language;
    m_doc = std::make_unique<CPOUEditorDoc>(*m_app, &m_workbench, m_programFactory);
    CView* varPane = nullptr;
    if (!BuildWindow(*m_doc, path, m_frame, m_splitter, varPane, m_view))
        return FALSE;
    m_varView = dynamic_cast<CFakeVarView*>(varPane);
    m_varTableView = dynamic_cast<CPOUVarView*>(varPane);
    return TRUE;
}

CPOUEditorDoc* POUWindowFixture::OpenExtraWindow(const std::string& path, int language)
{
    m_node.language = language;
    POUWindow window;
    window.doc = std::make_unique<CPOUEditorDoc>(*m_app, &m_workbench, m_programFactory);
    CSplitterWnd* splitter = nullptr;
    CView* varPane = nullptr;
    const BOOL built = BuildWindow(*window.doc, path, window.frame, splitter, varPane, window.view);
    m_extraWindows.push_back(std::move(window));
    return built ? m_extraWindows.back().doc.get() : nullptr;
}

BOOL POUWindowFixture::BuildWindow(CPOUEditorDoc& doc, const std::string& path, CFrameWnd*& frame,
                                   CSplitterWnd*& splitter, CView*& varPane, CPOUEditorView*& view)
{
    frame = new CFrameWnd;
    if (!frame->Create(nullptr, FRAME_RECT, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE))
        return FALSE;
    splitter = new CSplitterWnd;
    if (!splitter->CreateStatic(frame, 2, 1))
        return FALSE;
    if (!splitter->CreateView(0, 0, m_varPaneClass, CSize(0, VAR_PANE_HEIGHT), &doc) ||
        !splitter->CreateView(1, 0, RUNTIME_CLASS(CPOUEditorView), CSize(), &doc))
        return FALSE;
    varPane = dynamic_cast<CView*>(splitter->GetPane(0, 0));
    view = dynamic_cast<CPOUEditorView*>(splitter->GetPane(1, 0));
    if (!varPane || !view)
        return FALSE;
    frame->SetActiveView(view);
    frame->RecalcLayout();
    if (!doc.OnOpenDocument(path))
        return FALSE;
    doc.SetPathName(path);
    if (auto* table = dynamic_cast<CPOUVarView*>(varPane))
        table->OnInitialUpdate();
    view->OnInitialUpdate();
    return TRUE;
}

void POUWindowFixture::CloseWindow()
{
    for (POUWindow& window : m_extraWindows) {
        if (window.frame)
            window.frame->DestroyWindow();
    }
    if (m_frame)
        m_frame->DestroyWindow();
    m_frame = nullptr;
    m_splitter = nullptr;
    m_varView = nullptr;
    m_varTableView = nullptr;
    m_view = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_extraWindows.clear();
    m_doc.reset();
}

BOOL POUWindowFixture::IsEnabled(UINT id)
{
    CCmdUI ui(id);
    ui.DoUpdate(m_view, TRUE);
    return ui.IsEnabled();
}

BOOL POUWindowFixture::IsChecked(UINT id)
{
    CCmdUI ui(id);
    ui.DoUpdate(m_view, TRUE);
    return ui.GetCheck() == 1;
}

BOOL POUWindowFixture::RunCommand(UINT id)
{
    return m_view->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr);
}

CRecordingEditor* POUWindowFixture::Recorder()
{
    auto* program = dynamic_cast<CRecordingProgram*>(m_doc->GetProgram());
    return program ? &program->Recorder() : nullptr;
}

void POUWindowFixture::WaitFor(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(WAIT_LIMIT_MS);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
