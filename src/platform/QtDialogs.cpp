#include "platform/QtDialogs.h"

#include "platform/SingleLine.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Dialogs::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

} // namespace

Dialogs::Answer QtDialogs::message(const QString& title, const QString& text, Buttons buttons, Icon icon)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: break;
    }
    // Escape on a box without Cancel closes it; treat that as its safest answer.
    if (buttons == Buttons::YesNo)
        return Answer::No;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<QString> QtDialogs::input(const QString& title, const QString& prompt,
                                        const QString& proposed)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    // What is asked for ends up in a line of the settings file, as a box's text does.
    KeepSingleLine(dialog.findChild<QLineEdit*>());
    dialog.setTextValue(proposed);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& folder,
                                           const QString& filter)
{
    QString path = QFileDialog::getOpenFileName(m_parent, title, folder, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::saveFile(const QString& title, const QString& proposed,
                                           const QString& filter)
{
    // The program asks itself before overwriting, so Qt's own question is off.
    QString path = QFileDialog::getSaveFileName(m_parent, title, proposed, filter, nullptr,
                                                QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
