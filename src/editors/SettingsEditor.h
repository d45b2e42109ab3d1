#pragma once

#include "editors/EditorCopies.h"
#include "editors/EditorWindow.h"

#include <QHash>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
struct AppContext;

// The shape every settings editor shares. An editor builds its controls with
// their object names (ControlName), adds its rows to copies(), binds each row
// to its controls, and calls loadControls() once. The pattern then keeps the
// copies and the red marking in step with the controls, runs the range checks
// and applies.
class SettingsEditor : public EditorWindow {
    Q_OBJECT
public:
    // Leaving the tab applies exactly as the button does.
    void DoApply() final { Apply_Click(); }
    // Runs the check of the box still being edited, refuses what the reader
    // would not read back, stores the copies with their flags, then afterApply().
    void Apply_Click();

protected:
    struct BoxOptions {
        bool numericOnly = false;
        // Runs after the copy took the box's text (index of the box).
        std::function<void(int)> changed;
    };

    SettingsEditor(AppContext& context, std::vector<bool SettingsTables::*> sectionFlags, QWidget* parent);

    AppContext& context() { return m_context; }
    EditorCopies& copies() { return m_copies; }

    // Controls are found by name: the field's count gives the indices, a
    // single setting the plain name.
    void bindBox(int field, const QString& name) { bindBox(field, name, BoxOptions()); }
    void bindBox(int field, const QString& name, BoxOptions options);
    void bindList(int field, const QString& name, const QStringList& items);
    void bindCheck(int field, const QString& name, const QString& ticked = QStringLiteral("1"),
                   const QString& unticked = QStringLiteral("0"));

    // Every control from its stored value (boxes run their change handling),
    // then every copy from the stored value in its load form.
    void loadControls();
    // The stored values back into the controls of the rows restored by cancel.
    void restoreControls();

    // What an editor does after the copies were stored.
    virtual void afterApply() {}

    template <typename T> T* control(const QString& name, int index = 0) const
    {
        return static_cast<T*>(requireControl(name, index));
    }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Kind { Box, List, Check };
    struct Binding {
        Kind kind;
        int field;
        QString name;
        BoxOptions options;
        QString ticked, unticked;
        std::vector<QWidget*> controls; // element i-1 for index i
    };
    struct Target {
        int binding;
        int index;
    };

    QWidget* requireControl(const QString& name, int index) const;
    int addBinding(Kind kind, int field, const QString& name);
    QLineEdit* box(Target t) const;
    void boxChanged(Target t, const QString& text);
    void putBoxText(Target t, const QString& text);
    void leaveCheck(Target t);
    void refuse(Target t, const RangeRule& rule, RangeRule::Repair repair);
    void mark(Target t);
    std::optional<Target> bindingOfField(int field, int index) const;

    AppContext& m_context;
    EditorCopies m_copies;
    std::vector<Binding> m_bindings;
    QHash<const QObject*, Target> m_boxes; // every bound box, for its focus events
    std::optional<Target> m_pending; // the box with the focus, whose check is still due
    bool m_checking = false;          // a refusal's message is up
};
