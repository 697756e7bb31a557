#pragma once
// Opens documents of one kind, each in a frame of its own: the template
// makes the document, creates the frame from its run-time class and the
// frame's view from the view's run-time class (joined to the document
// before the view is created, so that the view finds its document while it
// is created), reads the file, names the document after it and sends the
// frame's windows WM_INITIALUPDATE. It keeps the documents it opened.

#include "platform/WinTypes.h"
#include "platform/ui/CFrameWnd.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocument;
class CWnd;
struct CRuntimeClass;

class CMultiDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;

    CMultiDocTemplate(UINT resourceId, DocumentFactory makeDocument, const CRuntimeClass* frameClass,
                      const CRuntimeClass* viewClass);
    virtual ~CMultiDocTemplate();
    CMultiDocTemplate(const CMultiDocTemplate&) = delete;
    CMultiDocTemplate& operator=(const CMultiDocTemplate&) = delete;

    UINT GetResourceId() const { return m_resourceId; }
    // Opens the file in a new document and frame; an empty path makes a new
    // document. Null when the frame cannot be made or the file cannot be
    // read: the document and its frame are gone again.
    CDocument* OpenDocumentFile(const std::string& path, CWnd* parent);
    // The documents whose frame is still open; a frame closed by the user
    // takes its document out of the list.
    std::vector<CDocument*> GetDocuments() const;
    // Destroys the document's frame and deletes the document.
    void CloseDocument(CDocument* document);
    CFrameWnd* GetFrameOf(const CDocument* document) const;

protected:
    // Makes the frame's client: by default one view of the view class as its pane.
    virtual BOOL CreateClient(CFrameWnd* frame, CDocument* document);

private:
    struct Entry {
        std::unique_ptr<CDocument> document;
        QPointer<CFrameWnd> frame; // deletes itself when destroyed, also by the user
    };

    CFrameWnd* CreateFrame(CDocument* document, CWnd* parent);
    void DestroyEntry(Entry& entry);
    // Deletes the documents whose frame has gone.
    void DropClosedEntries();

    UINT m_resourceId;
    DocumentFactory m_makeDocument;
    const CRuntimeClass* m_frameClass;
    const CRuntimeClass* m_viewClass;
    std::vector<Entry> m_entries;
};
