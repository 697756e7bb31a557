#include "shell/ui/CPOUDocTemplate.h"

#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "shell/ui/CChildFrmEditor.h"

#include <utility>

CPOUDocTemplate::CPOUDocTemplate(DocumentFactory makeDocument)
    : CMultiDocTemplate(IDR_POUTYPE, std::move(makeDocument), RUNTIME_CLASS(CChildFrmEditor),
                        RUNTIME_CLASS(CPOUEditorView))
{
}

BOOL CPOUDocTemplate::CreateClient(CFrameWnd* frame, CDocument* document)
{
    auto* editorFrame = dynamic_cast<CChildFrmEditor*>(frame);
    return editorFrame != nullptr && editorFrame->CreateEditorPanes(document);
}

std::unique_ptr<CDocument> CPOUDocTemplate::NewDocument(CZULAppData& app, IPOUWorkbenchHost* workbench)
{
    return std::make_unique<CPOUEditorDoc>(app, workbench, nullptr);
}
