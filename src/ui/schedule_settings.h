// SPDX-License-Identifier: MIT
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
