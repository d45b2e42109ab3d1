#include "editors/FormRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

QLineEdit* AddBoxRow(QGridLayout* grid, int row, const QString& label, const QString& objectName,
                     const QString& unit)
{
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    box->setMaximumWidth(80);
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel(unit), row, 2);
    return box;
}

QComboBox* NewList(const QString& objectName)
{
    auto* list = new QComboBox;
    list->setObjectName(objectName);
    list->setMaxVisibleItems(15);
    return list;
}

QCheckBox* NewCheck(const QString& caption, const QString& objectName)
{
    auto* check = new QCheckBox(caption);
    check->setObjectName(objectName);
    return check;
}
