#pragma once

#include "ui/form_page.h"

class QCheckBox;
class QComboBox;
class QTimeEdit;

namespace sorvane {

class AppState;
class FormSection;
class SwitchButton;
class ToneLabel;

/// The Schedule tab: automatic cleaning, how often and when, the scheduler's status, and
/// starting at login.
class ScheduleSettings : public FormPage {
    Q_OBJECT
public:
    explicit ScheduleSettings(AppState& state, QWidget* parent = nullptr);

    SwitchButton* automaticSwitch() const { return m_automatic; }
    QComboBox* frequencyBox() const { return m_frequency; }
    /// Null while the schedule is daily: the row is not there at all.
    QComboBox* weekdayBox() const { return m_weekday; }
    QTimeEdit* timeEdit() const { return m_time; }
    ToneLabel* statusLabel() const { return m_status; }
    QCheckBox* openAtLoginBox() const { return m_openAtLogin; }
    QCheckBox* notifyBox() const { return m_notify; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void refreshWeekdayRow();
    void timeChosen(const QTime& time);

    AppState& m_state;
    FormSection* m_schedule;
    SwitchButton* m_automatic;
    QComboBox* m_frequency;
    QWidget* m_weekdayRow = nullptr;
    QComboBox* m_weekday = nullptr;
    QTimeEdit* m_time;
    ToneLabel* m_status;
    QCheckBox* m_openAtLogin;
    QCheckBox* m_notify;
    bool m_writingTime = false;
};

} // namespace sorvane
