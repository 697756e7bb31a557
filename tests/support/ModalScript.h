#pragma once
// Scripts for the modal dialogs a test's command opens: each runs once the
// dialog is up, from a timer of the dialog's own modal loop.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QObject>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

// How long a script waits for its dialog before it fails the test.
constexpr int kModalScriptWaitMs = 20000;

// Runs the script on the next modal dialog of type T once it is up; a
// dialog that never comes fails the test instead of hanging it.
template <class T>
void WhenModal(std::function<void(T*)> script)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto deadline = std::make_shared<QElapsedTimer>();
    deadline->start();
    QObject::connect(timer, &QTimer::timeout, [timer, script, deadline] {
        auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (dialog != nullptr && !dialog->isVisible())
            dialog = nullptr;
        if (dialog == nullptr && deadline->elapsed() < kModalScriptWaitMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog != nullptr) {
            script(dialog);
            return;
        }
        ADD_FAILURE() << "the expected dialog did not come";
        if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            other->reject();
    });
    timer->start();
}

// Answers the next file dialog with the path.
inline void AnswerFileDialog(const std::string& path)
{
    WhenModal<QFileDialog>([path](QFileDialog* dialog) {
        dialog->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

// The first child of the type, window-layer classes included.
template <class T>
T* ChildOf(QObject* parent)
{
    for (QObject* child : parent->findChildren<QObject*>())
        if (auto* typed = dynamic_cast<T*>(child))
            return typed;
    return nullptr;
}
