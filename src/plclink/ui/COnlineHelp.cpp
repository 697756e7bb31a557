#include "COnlineHelp.h"

#include "model/OpenHelpTopic.h"

#include <QDialog>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

QPushButton* COnlineHelp::Attach(QDialog* dialog, const char* buttonId, const std::string& topic)
{
    QPushButton* button = new QPushButton("&Help", dialog);
    button->setObjectName(buttonId);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, dialog, [topic] { OpenHelpTopic(topic); });
    QShortcut* key = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, dialog, [topic] { OpenHelpTopic(topic); });
    return button;
}
