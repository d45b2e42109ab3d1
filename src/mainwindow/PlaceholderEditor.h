#pragma once

#include "editors/EditorWindow.h"

#include <QStringList>

// Stands in for an editor window whose own editor is not built yet: shows its
// caption and holds the named boxes other windows reach into.
class PlaceholderEditor final : public EditorWindow {
    Q_OBJECT
public:
    PlaceholderEditor(const QString& caption, const QStringList& boxNames, QWidget* parent);

    // No working copies, so nothing to store.
    void DoApply() override {}
};
