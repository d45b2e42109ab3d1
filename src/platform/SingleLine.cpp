#include "platform/SingleLine.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace {

bool BreaksLine(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return false;
    }
}

// `text` without what breaks the line; `caret`, if given, moved back by what
// went before it.
QString OneLine(const QString& text, int* caret = nullptr)
{
    QString kept;
    kept.reserve(text.size());
    const int at = caret ? *caret : 0;
    for (qsizetype n = 0; n < text.size(); ++n) {
        if (!BreaksLine(text[n]))
            kept += text[n];
        else if (caret && n < at)
            --*caret;
    }
    return kept;
}

// The guard for whatever reaches the box by another way than a paste (a drop,
// the program's own text). Its change of the text starts the box's undo
// history afresh, which is why a paste is filtered before it comes here.
// An empty pattern takes any text.
class SingleLineValidator final : public QRegularExpressionValidator {
public:
    using QRegularExpressionValidator::QRegularExpressionValidator;

    State validate(QString& input, int& pos) const override
    {
        input = OneLine(input, &pos);
        return QRegularExpressionValidator::validate(input, pos);
    }
};

// The box starts a new undo step when its caret moves: a step there and back
// ends the one in progress, as QLineEdit does around its own paste.
void EndUndoStep(QLineEdit* box)
{
    const int at = box->cursorPosition();
    if (at > 0 || !box->text().isEmpty()) {
        box->setCursorPosition(at > 0 ? at - 1 : 1);
        box->setCursorPosition(at);
    }
}

// Inserts the clipboard's text without its line breaks, tabs and other
// control characters, as one undo step, over the selection if there is one.
void PasteOneLine(QLineEdit* box, QClipboard::Mode mode)
{
    const QString text = OneLine(QGuiApplication::clipboard()->text(mode));
    if (text.isEmpty() && !box->hasSelectedText())
        return;
    // Over a selection the box ends the step before by itself.
    if (!box->hasSelectedText())
        EndUndoStep(box);
    box->insert(text);
    EndUndoStep(box);
}

// Takes every way of pasting into the box: the keys, the middle button and
// the context menu's Paste.
class PasteFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (!box || box->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->matches(QKeySequence::Paste))
                return false;
            // Ctrl+Shift+Insert pastes the selection where there is one.
            const bool selection = key->key() == Qt::Key_Insert &&
                                   key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                                   QGuiApplication::clipboard()->supportsSelection();
            PasteOneLine(box, selection ? QClipboard::Selection : QClipboard::Clipboard);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                !QGuiApplication::clipboard()->supportsSelection())
                return false;
            box->deselect();
            PasteOneLine(box, QClipboard::Selection);
            return true;
        }
        case QEvent::ContextMenu: {
            QMenu* menu = box->createStandardContextMenu();
            // The menu's Paste is the item wired to the box's own paste (by
            // name or by pointer, as the Qt version has it).
            for (QAction* item : menu->actions())
                if (QObject::disconnect(item, SIGNAL(triggered()), box, SLOT(paste())) ||
                    QObject::disconnect(item, &QAction::triggered, box, &QLineEdit::paste))
                    QObject::connect(item, &QAction::triggered, box,
                                     [box] { PasteOneLine(box, QClipboard::Clipboard); });
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        default: return false;
        }
    }
};

} // namespace

void KeepSingleLine(QLineEdit* box, const QString& pattern)
{
    box->setValidator(new SingleLineValidator(QRegularExpression(pattern), box));
    box->installEventFilter(new PasteFilter(box));
}
