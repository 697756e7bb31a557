#include "CDocument.h"

#include "CView.h"

#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    std::vector<CView*> views;
    views.swap(m_views);
    for (CView* view : views)
        view->SetDocument(nullptr);
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->SetDocument(this);
}

void CDocument::RemoveView(CView* view)
{
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->SetDocument(nullptr);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const std::string& path)
{
    CArchive ar = CArchive::FromFile(path);
    if (!ar.IsOK()) {
        ShowMessage("Error", "Cannot open the file " + path + ".", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    DeleteContents();
    Serialize(ar);
    if (!ar.IsOK()) {
        ShowMessage("Error", "The file " + path + " cannot be read: " + ar.GetErrorText(), MB_OK | MB_ICONERROR);
        DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const std::string& path)
{
    CArchive ar;
    Serialize(ar);
    if (!ar.IsOK() || !ar.SaveToFile(path)) {
        ShowMessage("Error", "Cannot save the file " + path + ".", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    if (m_pathName.empty())
        return FALSE;
    return OnSaveDocument(m_pathName);
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    switch (ShowMessage("Note", "Save changes to " + m_title + "?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

void CDocument::Serialize(CArchive&) {}

void CDocument::DeleteContents() {}
