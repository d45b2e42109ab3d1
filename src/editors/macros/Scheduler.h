#pragma once

#include "editors/SettingsEditor.h"

class ControllerLink;
class QLabel;

// The twenty set points of the controller's scheduler, one shown at a time,
// and the options of its real-time clock. Two controls act at once instead
// of at Apply: the date format, stored and written into the open
// configuration file when the user picks it, and Set Clock, which sends the
// PC's date and time to the controller.
class Scheduler final : public SettingsEditor {
    Q_OBJECT
public:
    Scheduler(AppContext& context, ControllerLink& link, QWidget* parent = nullptr);

    void ClockSet_Click();

protected:
    void changed(int field, int index) override;
    void afterSelect(int selector) override;
    void afterCancel() override;

private:
    QWidget* schedulerFrame();
    QWidget* clockFrame();
    QWidget* dateFormatFrame();
    QWidget* clockSetting();
    // The week of the month follows Monthly, Say Hours the 24 hour readback.
    void followTicks();
    void pickDateFormat(const QString& value);

    ControllerLink& m_link;
    int m_setPoint = -1; // selector of the set point shown
    int m_monthly = -1, m_twentyFour = -1, m_dateFormat = -1;
    QLabel* m_weekLabel = nullptr;
    QWidget* m_week = nullptr;
    QWidget* m_sayHours = nullptr;
};
