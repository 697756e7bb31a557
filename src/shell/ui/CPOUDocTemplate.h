#pragma once
// The document template of POU files (".ilp"): a POU document in a POU
// editor frame, whose client is the splitter of variables over code.

#include "platform/ui/CMultiDocTemplate.h"

class CZULAppData;
class IPOUWorkbenchHost;

constexpr UINT IDR_POUTYPE = 124;

class CPOUDocTemplate : public CMultiDocTemplate {
public:
    explicit CPOUDocTemplate(DocumentFactory makeDocument);

    // A new POU document of the application data, reporting to the workbench.
    static std::unique_ptr<CDocument> NewDocument(CZULAppData& app, IPOUWorkbenchHost* workbench);

protected:
    BOOL CreateClient(CFrameWnd* frame, CDocument* document) override;
};
