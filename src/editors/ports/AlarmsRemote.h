#pragma once

#include "editors/SettingsEditor.h"

class QLabel;

// The macros that the five alarm inputs run, one input shown at a time, and
// the remote base: the radio type with the Yaesu model, the prefix and the
// ten memories, one shown at a time. A memory's frequency and its offset are
// one stored text that a box and an option group show; the editor's own
// handlers keep the two in step with that working copy.
class Alarms_Remote final : public SettingsEditor {
    Q_OBJECT
public:
    explicit Alarms_Remote(AppContext& context, QWidget* parent = nullptr);

protected:
    void changed(int field, int index) override;
    std::optional<Refusal> vetoApply() override;
    void afterApply(const std::vector<FieldElement>& written) override;
    void afterCancel() override;
    void afterSelect(int selector) override;

private:
    QWidget* alarmFrame();
    QWidget* setupFrame();
    QWidget* memoryFrame();
    QWidget* modeFrame();
    void showFrequency();
    void takeFrequency();

    int m_alarm = -1;     // selector of the alarm input shown
    int m_memory = -1;    // selector of the memory shown
    int m_modelShown = -1; // the model, while the radio type is Yaesu
    int m_type = -1, m_model = -1, m_freq = -1;
    QLabel* m_modelLabel = nullptr;
    std::unique_ptr<FieldControl> m_frequency, m_offset;
};
