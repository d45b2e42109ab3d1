#include "mainwindow/PlaceholderEditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

PlaceholderEditor::PlaceholderEditor(const QString& caption, const QStringList& boxNames, QWidget* parent)
    : EditorWindow(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption + tr(": this editor is not built yet."), this));
    for (const QString& name : boxNames) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setPlaceholderText(name);
        layout->addWidget(box);
    }
    layout->addStretch();
}
