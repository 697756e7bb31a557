#pragma once
// Comment: the comment text of a network header. OK marks the document
// modified when the text was changed; the opener copies the text back.

#include <QDialog>

#include <string>

class CDocument;
class QPlainTextEdit;

class CLDCommentDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLDCommentDlg(QWidget* parent = nullptr);

    void OnOK();
    // Whether the user changed the text since the dialog opened.
    bool IsModified() const;

    std::string m_comment;
    CDocument* m_document = nullptr;   // may be null; not owned

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_edit = nullptr;
    bool m_initialised = false;
};
