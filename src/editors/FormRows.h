#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

// Small builders for the editors' forms; every control gets its object name.

// One row of a grid: the label, the box and the unit label after it.
QLineEdit* AddBoxRow(QGridLayout* grid, int row, const QString& label, const QString& objectName,
                     const QString& unit);
QComboBox* NewList(const QString& objectName);
QCheckBox* NewCheck(const QString& caption, const QString& objectName);
