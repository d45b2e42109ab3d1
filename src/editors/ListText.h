#pragma once

#include <QString>

class QComboBox;

// A list shows a stored text that is none of its items as the placeholder of
// an empty selection, so the list keeps exactly its own items and the user
// cannot type into it.
void ShowListText(QComboBox* list, const QString& text);
