#include "CpuPageControls.h"

#include "platform/ui/DialogUnits.h"
#include "platform/ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

constexpr int kControlHeight = 12;
constexpr int kCheckHeight = 10;
// Typed numbers pass to the page's own clamp rules.
constexpr int kSpinLimit = 99999;

template <class T>
T* Place(T* control, UINT id, int x, int y, int cx, int cy)
{
    control->setGeometry(DialogRect(x, y, cx, cy));
    if (id)
        control->setObjectName(QString::number(id));
    return control;
}

} // namespace

namespace CpuPageControls {

QLabel* Label(QWidget* parent, const char* text, int x, int y, int cx, int cy, UINT id)
{
    return Place(new QLabel(ToQString(text), parent), id, x, y, cx, cy);
}

QGroupBox* Group(QWidget* parent, const char* text, int x, int y, int cx, int cy)
{
    auto* group = Place(new QGroupBox(ToQString(text), parent), 0, x, y, cx, cy);
    group->lower();
    return group;
}

QComboBox* DropList(QWidget* parent, UINT id, int x, int y, int cx)
{
    return Place(new QComboBox(parent), id, x, y, cx, kControlHeight);
}

QCheckBox* CheckBox(QWidget* parent, const char* text, UINT id, int x, int y, int cx)
{
    return Place(new QCheckBox(ToQString(text), parent), id, x, y, cx, kCheckHeight);
}

QLineEdit* Field(QWidget* parent, UINT id, int x, int y, int cx)
{
    return Place(new QLineEdit(parent), id, x, y, cx, kControlHeight);
}

QSpinBox* SpinField(QWidget* parent, UINT id, int x, int y, int cx)
{
    auto* spin = Place(new QSpinBox(parent), id, x, y, cx, kControlHeight);
    spin->setRange(-kSpinLimit, kSpinLimit);
    spin->setGroupSeparatorShown(false);
    return spin;
}

void FillList(QComboBox* list, const std::vector<std::string>& items, int selection)
{
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& item : items)
        list->addItem(ToQString(item));
    list->setCurrentIndex(selection);
}

} // namespace CpuPageControls
