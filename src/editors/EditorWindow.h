#pragma once

#include <QStringList>
#include <QWidget>

struct Setting;

// One of the eleven editor windows of the tab strip. Creating it loads it:
// it copies the settings into its working copies and fills its controls.
// Destroying it discards the working copies and any edit not applied.
class EditorWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Stores every working copy that differs from its setting, with its
    // flags. False when the editor refused its copies: it has told the user
    // why, and nothing was stored.
    virtual bool applyEdits() = 0;
    // Leaving the tab applies exactly as the Apply button does.
    void DoApply() { (void)applyEdits(); }
    // The checks of Apply alone, which the user's leaving of the tab runs
    // while the tab is still current: false when Apply would refuse (the
    // user has been told why, over this editor). Nothing is stored.
    virtual bool checkEdits() { return true; }
    // What the file commands, the upload and the download apply first: the
    // edits the configuration holds. An editor whose Apply also sends
    // commands to the controller sends none here; they wait for its own Apply.
    virtual bool applyForCommand() { return applyEdits(); }
    // What waits in the editor for its own Apply to send to the controller,
    // each named for the user ("the new lock code "5""). A command that
    // closes the editor asks before it drops them.
    virtual QStringList waitingToSend() const { return {}; }
    // Puts the focus where the user is to start typing (the access code
    // editor's new lock code, when the start-up finds the lock code unusable).
    virtual void focusFirstEntry() {}
    // The caption the user knows the setting's box by ("Receiver Enable"),
    // once for all its elements; empty when this editor shows no box of it.
    virtual QString captionOf(const Setting& /*setting*/) const { return {}; }
};
