#pragma once

#include "editors/EditorWindow.h"

// Stands in for an editor window whose own editor is not built yet: shows its caption.
class PlaceholderEditor final : public EditorWindow {
    Q_OBJECT
public:
    PlaceholderEditor(const QString& caption, QWidget* parent);

    // No working copies, so nothing to store.
    bool applyEdits() override { return true; }
};
