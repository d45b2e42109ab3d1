#include "mainwindow/PlaceholderEditor.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderEditor::PlaceholderEditor(const QString& caption, QWidget* parent) : EditorWindow(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption + tr(": this editor is not built yet."), this));
    layout->addStretch();
}
