#pragma once
// A view laid out from a dialog template: the template's controls sit on a
// form of the template's size, and the view scrolls the form when it is
// smaller than the form. The hosting code creates the view, then calls
// OnInitialUpdate, where a form view builds its controls.

#include "platform/ui/CView.h"

class QScrollArea;

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    // The template's size in pixels.
    CFormView(UINT templateId, QSize formSize);
    ~CFormView() override;

    UINT GetTemplateId() const { return m_templateId; }
    // The window that holds the template's controls.
    CWnd* GetForm() const { return m_form; }
    QScrollArea* GetScrollArea() const { return m_scroll; }

    virtual void OnInitialUpdate() {}

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    UINT m_templateId;
    QSize m_formSize;
    QScrollArea* m_scroll = nullptr;
    CWnd* m_form = nullptr;
};
