#include "editors/ListText.h"

#include <QComboBox>
#include <QStringList>
#include <QVariant>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace {

// A stored text may be of any length, as the reader takes it. Beyond the
// room of the list's own items (and of a short code) it is cut, or it would
// widen the list, its editor and the main window past the screen.
constexpr int ShortCodeChars = 12;
// The tool tip that shows a cut text whole, in lines a screen holds.
constexpr int TipLineChars = 100;

int textRoom(const QComboBox* list)
{
    const QFontMetrics metrics = list->fontMetrics();
    int room = ShortCodeChars * metrics.horizontalAdvance(u'X');
    for (int i = 0; i < list->count(); ++i)
        room = std::max(room, metrics.horizontalAdvance(list->itemText(i)));
    return room;
}

// The list's width for a text of that many pixels, frame and arrow included.
int listWidth(const QComboBox* list, int textWidth)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.frame = list->hasFrame();
    const QSize text(textWidth, list->fontMetrics().height());
    return list->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, list).width();
}

// Set once the list clears its tool tip when an item is chosen.
constexpr char TipFollowsChoice[] = "tarvexTipFollowsChoice";

QString inLines(const QString& text)
{
    QStringList lines;
    for (qsizetype at = 0; at < text.size(); at += TipLineChars)
        lines << text.mid(at, TipLineChars);
    return lines.join(u'\n');
}

} // namespace

void ShowListText(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QString shown = index < 0 ? text : QString();
    list->setPlaceholderText(shown);
    list->setCurrentIndex(index);
    // Drawn like an item, not greyed as a placeholder usually is.
    QPalette palette = list->palette();
    palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
    list->setPalette(palette);

    // The list keeps its items' width however long the text; the whole text
    // is in the tool tip while it is shown, until an item is chosen.
    const int room = textRoom(list);
    list->setMaximumWidth(listWidth(list, room));
    const bool cut = list->fontMetrics().horizontalAdvance(shown) > room;
    list->setToolTip(cut ? inLines(shown) : QString());
    if (cut && !list->property(TipFollowsChoice).toBool()) {
        list->setProperty(TipFollowsChoice, true);
        QObject::connect(list, &QComboBox::currentIndexChanged, list, [list](int item) {
            if (item >= 0)
                list->setToolTip({});
        });
    }
}
