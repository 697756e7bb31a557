#pragma once
// "POU Property": the name, author and comment of a POU with its index,
// language and file dates. OK checks the name by the naming rules and
// stays open after a refusal; the project tree carries out the rename.

#include "platform/WinTypes.h"

#include <QDialog>

#include <string>

class CProjTreeNode;
class CZULProject;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

constexpr UINT IDD_POU_PROPERTY = 138;
constexpr UINT IDC_POU_NAME = 2023;
constexpr UINT IDC_POU_INDEX = 2024;
constexpr UINT IDC_POU_AUTHOR = 2026;
constexpr UINT IDC_POU_LANGUAGE = 2032;
constexpr UINT IDC_POU_COMMENT = 2031;
constexpr UINT IDC_POU_CREATED = 2029;
constexpr UINT IDC_POU_MODIFIED = 2030;

class CPOUPropertyDlg : public QDialog {
    Q_OBJECT
public:
    // The node is set by the caller and outlives the dialog.
    CPOUPropertyDlg(const CZULProject& project, const CProjTreeNode* node, QWidget* parent = nullptr);

    // After OK: the trimmed name, the author and the comment.
    const std::string& GetName() const { return m_name; }
    const std::string& GetAuthor() const { return m_author; }
    const std::string& GetComment() const { return m_comment; }

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnInitDialog();
    void OnHelp();

    const CZULProject& m_project;
    const CProjTreeNode* m_node;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_indexEdit = nullptr;
    QLineEdit* m_authorEdit = nullptr;
    QLineEdit* m_languageEdit = nullptr;
    QPlainTextEdit* m_commentEdit = nullptr;
    QLabel* m_created = nullptr;
    QLabel* m_modified = nullptr;
    std::string m_name;
    std::string m_author;
    std::string m_comment;
};
