#pragma once
// The data behind one or more views: title, path name, modified flag and
// the views that show it. On the command route it comes after its view.
// Its file steps read the whole file into an archive before Serialize
// loads it, and save by writing a temporary file beside the old one and
// renaming it, so a failed save leaves the old file whole.

#include "platform/ui/CCmdTarget.h"

#include "platform/CArchive.h"

#include <string>
#include <vector>

class CMultiDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const std::string& GetTitle() const { return m_title; }
    virtual void SetTitle(const std::string& title) { m_title = title; }
    const std::string& GetPathName() const { return m_pathName; }
    virtual void SetPathName(const std::string& path) { m_pathName = path; }
    BOOL IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_modified = modified; }

    // File steps. A failure is reported in a message box and returns FALSE.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const std::string& path);
    virtual BOOL OnSaveDocument(const std::string& path);
    // Saves under the path name; FALSE when there is none or the save fails.
    virtual BOOL DoFileSave();
    // Asks before changes are discarded; FALSE keeps the document open.
    virtual BOOL SaveModified();
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents();

    // The template that opened the document (null for one made elsewhere).
    CMultiDocTemplate* GetDocTemplate() const { return m_docTemplate; }
    void SetDocTemplate(CMultiDocTemplate* docTemplate) { m_docTemplate = docTemplate; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }

private:
    std::string m_title;
    std::string m_pathName;
    std::vector<CView*> m_views;
    CMultiDocTemplate* m_docTemplate = nullptr;
    BOOL m_modified = FALSE;
};
