#include "editors/ListText.h"

#include <QComboBox>

void ShowListText(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    list->setPlaceholderText(index < 0 ? text : QString());
    list->setCurrentIndex(index);
    // Drawn like an item, not greyed as a placeholder usually is.
    QPalette palette = list->palette();
    palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
    list->setPalette(palette);
}
