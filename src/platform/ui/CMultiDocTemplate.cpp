#include "CMultiDocTemplate.h"

#include "platform/CObject.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "platform/ui/CView.h"

#include <algorithm>

namespace {
const CRect DEFAULT_FRAME_RECT(0, 0, 640, 480);
}

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, DocumentFactory makeDocument, const CRuntimeClass* frameClass,
                                     const CRuntimeClass* viewClass)
    : m_resourceId(resourceId)
    , m_makeDocument(std::move(makeDocument))
    , m_frameClass(frameClass)
    , m_viewClass(viewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (Entry& entry : m_entries)
        DestroyEntry(entry);
}

void CMultiDocTemplate::DestroyEntry(Entry& entry)
{
    if (entry.frame)
        entry.frame->DestroyWindow();
    entry.frame = nullptr;
    entry.document.reset();
}

BOOL CMultiDocTemplate::CreateClient(CFrameWnd* frame, CDocument* document)
{
    CObject* object = m_viewClass ? m_viewClass->CreateObject() : nullptr;
    auto* view = dynamic_cast<CView*>(object);
    if (!view) {
        delete object;
        return FALSE;
    }
    document->AddView(view);
    CRect client;
    frame->GetClientRect(&client);
    if (!view->Create(frame, client, AFX_IDW_PANE_FIRST, WS_CHILD | WS_VISIBLE)) {
        document->RemoveView(view);
        delete view;
        return FALSE;
    }
    frame->SetActiveView(view);
    return TRUE;
}

CFrameWnd* CMultiDocTemplate::CreateFrame(CDocument* document, CWnd* parent)
{
    CObject* object = m_frameClass ? m_frameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    const DWORD style = parent ? WS_CHILD | WS_OVERLAPPEDWINDOW : WS_OVERLAPPEDWINDOW;
    // A document window of an MDI frame lives in the frame's MDI client.
    auto* child = dynamic_cast<CMDIChildWnd*>(frame);
    auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(parent);
    const BOOL created = child != nullptr && mdiFrame != nullptr
        ? child->Create(document != nullptr ? document->GetTitle() : std::string(), style, CRect(), mdiFrame)
        : frame->Create(parent, DEFAULT_FRAME_RECT, m_resourceId, style);
    if (!created) {
        delete frame;
        return nullptr;
    }
    if (!CreateClient(frame, document)) {
        frame->DestroyWindow();
        return nullptr;
    }
    frame->RecalcLayout();
    return frame;
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const std::string& path, CWnd* parent)
{
    DropClosedEntries();
    Entry entry;
    entry.document = m_makeDocument ? m_makeDocument() : nullptr;
    if (!entry.document)
        return nullptr;
    entry.document->SetDocTemplate(this);
    entry.frame = CreateFrame(entry.document.get(), parent);
    if (!entry.frame) {
        entry.document.reset();
        return nullptr;
    }
    const BOOL ready = path.empty() ? entry.document->OnNewDocument() : entry.document->OnOpenDocument(path);
    if (!ready) {
        DestroyEntry(entry);
        return nullptr;
    }
    if (!path.empty())
        entry.document->SetPathName(path);
    entry.frame->SendMessageToDescendants(WM_INITIALUPDATE);
    entry.frame->ActivateFrame();
    m_entries.push_back(std::move(entry));
    return m_entries.back().document.get();
}

std::vector<CDocument*> CMultiDocTemplate::GetDocuments() const
{
    std::vector<CDocument*> documents;
    for (const Entry& entry : m_entries) {
        if (entry.frame)
            documents.push_back(entry.document.get());
    }
    return documents;
}

void CMultiDocTemplate::DropClosedEntries()
{
    std::erase_if(m_entries, [](const Entry& entry) { return entry.frame.isNull(); });
}

CFrameWnd* CMultiDocTemplate::GetFrameOf(const CDocument* document) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& entry) { return entry.document.get() == document; });
    return found == m_entries.end() ? nullptr : found->frame;
}

void CMultiDocTemplate::CloseDocument(CDocument* document)
{
    DropClosedEntries();
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& entry) { return entry.document.get() == document; });
    if (found == m_entries.end())
        return;
    DestroyEntry(*found);
    m_entries.erase(found);
}
