#pragma once
// Small builders for the controls of the CPU pages: each control is placed
// in dialog units of its template and named by its control id, so that
// code and tests find it by that id.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace CpuPageControls {

QLabel* Label(QWidget* parent, const char* text, int x, int y, int cx, int cy, UINT id = 0);
QGroupBox* Group(QWidget* parent, const char* text, int x, int y, int cx, int cy);
QComboBox* DropList(QWidget* parent, UINT id, int x, int y, int cx);
QCheckBox* CheckBox(QWidget* parent, const char* text, UINT id, int x, int y, int cx);
QLineEdit* Field(QWidget* parent, UINT id, int x, int y, int cx);
QSpinBox* SpinField(QWidget* parent, UINT id, int x, int y, int cx);

// Refills a list with the items and selects one (-1: none) without reporting the change.
void FillList(QComboBox* list, const std::vector<std::string>& items, int selection);

} // namespace CpuPageControls
