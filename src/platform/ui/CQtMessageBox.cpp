#include "CQtMessageBox.h"

#include "QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <vector>

namespace {

struct ButtonSet {
    UINT type;
    std::vector<int> answers;   // in display order
    int escapeAnswer;           // 0: Escape does not close the box
};

const ButtonSet kButtonSets[] = {
    {MB_OK, {IDOK}, IDOK},
    {MB_OKCANCEL, {IDOK, IDCANCEL}, IDCANCEL},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, 0},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
    {MB_YESNO, {IDYES, IDNO}, 0},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDCANCEL},
};

struct ButtonKind {
    int answer;
    QMessageBox::StandardButton button;
};

const ButtonKind kButtonKinds[] = {
    {IDOK, QMessageBox::Ok},       {IDCANCEL, QMessageBox::Cancel}, {IDABORT, QMessageBox::Abort},
    {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}, {IDYES, QMessageBox::Yes},
    {IDNO, QMessageBox::No},
};

QMessageBox::StandardButton ButtonOf(int answer)
{
    for (const ButtonKind& kind : kButtonKinds)
        if (kind.answer == answer)
            return kind.button;
    return QMessageBox::NoButton;
}

int AnswerOf(QMessageBox::StandardButton button)
{
    for (const ButtonKind& kind : kButtonKinds)
        if (kind.button == button)
            return kind.answer;
    return IDCANCEL;
}

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

const ButtonSet& ButtonSetOf(UINT type)
{
    for (const ButtonSet& set : kButtonSets)
        if (set.type == (type & MB_TYPEMASK))
            return set;
    return kButtonSets[0];
}

} // namespace

int CQtMessageBox::Show(const std::string& caption, const std::string& text, UINT type)
{
    if (!qApp)
        return IDCANCEL;
    if (QThread::currentThread() == qApp->thread())
        return ShowHere(caption, text, type);
    int answer = IDCANCEL;
    QMetaObject::invokeMethod(
        qApp, [&] { answer = ShowHere(caption, text, type); }, Qt::BlockingQueuedConnection);
    return answer;
}

int CQtMessageBox::ShowHere(const std::string& caption, const std::string& text, UINT type)
{
    const ButtonSet& set = ButtonSetOf(type);
    QMessageBox box(IconOf(type), ToQString(caption), ToQString(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    for (int answer : set.answers)
        box.addButton(ButtonOf(answer));
    size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    if (defaultIndex >= set.answers.size())
        defaultIndex = 0;
    box.setDefaultButton(ButtonOf(set.answers[defaultIndex]));
    if (set.escapeAnswer != 0)
        box.setEscapeButton(box.button(ButtonOf(set.escapeAnswer)));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return set.escapeAnswer != 0 ? set.escapeAnswer : set.answers.front();
    return AnswerOf(box.standardButton(clicked));
}
