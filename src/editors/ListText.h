#pragma once

#include <QString>

class QComboBox;

// A list shows a stored text that is none of its items as the placeholder of
// an empty selection, so the list keeps exactly its own items and the user
// cannot type into it. A text wider than the list's items is shown cut, and
// whole in the list's tool tip.
void ShowListText(QComboBox* list, const QString& text);
