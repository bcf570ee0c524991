// SPDX-License-Identifier: MIT
#include "ui/schedule_settings.h"

#include "app/app_state.h"
#include "scheduling/scheduler.h"
#include "settings/app_settings.h"
#include "ui/form_section.h"
#include "ui/locale_formats.h"
#include "ui/switch_button.h"
#include "ui/time_edit.h"
#include "ui/tone_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTimeEdit>

namespace sorvane {

ScheduleSettings::ScheduleSettings(AppState& state, QWidget* parent)
    : FormPage(parent), m_state(state) {
    auto& settings = state.settings();

    m_schedule = addSection();
    m_automatic = new SwitchButton(tr("Clean automatically"));
    m_automatic->setObjectName(QStringLiteral("automaticSwitch"));
    m_automatic->setAccessibleName(tr("Clean automatically"));
    connect(m_automatic, &SwitchButton::toggled, this,
            [&settings](bool on) { settings.setAgentEnabled(on); });
    m_schedule->addWideRow(m_automatic);

    m_frequency = new QComboBox;
    m_frequency->setObjectName(QStringLiteral("frequencyBox"));
    m_frequency->addItems({tr("Every day"), tr("Every week")});
    connect(m_frequency, &QComboBox::activated, this, [&settings](int index) {
        settings.setFrequency(allScheduleFrequencies[static_cast<std::size_t>(index)]);
    });
    m_schedule->addRow(tr("How often"), m_frequency);

    m_time = new TimeEdit;
    m_time->setObjectName(QStringLiteral("timeEdit"));
    m_time->setLocale(LocaleFormats::timeLocale());
    m_time->setDisplayFormat(LocaleFormats::timeEditFormat(m_time->locale()));
    // Store a typed time when the user is done with it, not each keystroke: typing "18"
    // passes through 1:00, which the scheduler could find due and clean at.
    m_time->setKeyboardTracking(false);
    connect(m_time, &QTimeEdit::timeChanged, this, &ScheduleSettings::timeChosen);
    m_schedule->addRow(tr("At"), m_time);

    m_status = new ToneLabel({}, ToneLabel::Tone::secondary, ToneLabel::Size::body);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_schedule->addRow(tr("Status"), m_status);

    auto* startup = addSection();
    m_openAtLogin = new QCheckBox(tr("Open at login"));
    m_openAtLogin->setObjectName(QStringLiteral("openAtLoginBox"));
    connect(m_openAtLogin, &QCheckBox::clicked, this, [this](bool on) {
        m_state.setLaunchAtLogin(on);
        // Show what the system did, which may not be what was asked.
        const QSignalBlocker blocker(m_openAtLogin);
        m_openAtLogin->setChecked(m_state.launchAtLogin());
    });
    startup->addWideRow(m_openAtLogin);
    m_notify = new QCheckBox(tr("Notify me after an automatic clean"));
    m_notify->setObjectName(QStringLiteral("notifyBox"));
    connect(m_notify, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.setShowNotifications(on); });
    startup->addWideRow(m_notify);
    startup->addHelp(tr("Sorvane has to be running for automatic cleaning to happen. Opening at "
                        "login keeps it in your system tray."));

    connect(&settings, &AppSettings::changed, this, &ScheduleSettings::refresh);
    connect(&state, &AppState::changed, this, &ScheduleSettings::refresh);
    connect(&state, &AppState::launchAtLoginChanged, this, &ScheduleSettings::refresh);
    refresh();
}

void ScheduleSettings::showEvent(QShowEvent* event) {
    FormPage::showEvent(event);
    // "Next clean in …" is relative to now.
    refresh();
}

void ScheduleSettings::timeChosen(const QTime& time) {
    if (!time.isValid())
        return;
    auto& settings = m_state.settings();
    m_writingTime = true;
    settings.setRunHour(time.hour());
    settings.setRunMinute(time.minute());
    m_writingTime = false;
    refresh();
}

void ScheduleSettings::refreshWeekdayRow() {
    const bool weekly = m_state.settings().frequency() == ScheduleFrequency::weekly;
    if (weekly && !m_weekdayRow) {
        m_weekday = new QComboBox;
        m_weekday->setObjectName(QStringLiteral("weekdayBox"));
        m_weekday->addItems(LocaleFormats::weekdayNames());
        connect(m_weekday, &QComboBox::activated, this,
                [this](int index) { m_state.settings().setWeekday(index + 1); });
        m_weekdayRow = m_schedule->addRow(tr("On"), m_weekday,
                                          m_schedule->indexOf(m_frequency->parentWidget()) + 1);
    } else if (!weekly && m_weekdayRow) {
        delete m_weekdayRow;
        m_weekdayRow = nullptr;
        m_weekday = nullptr;
    }
}

void ScheduleSettings::refresh() {
    if (m_writingTime)
        return;
    const auto& settings = m_state.settings();
    const bool on = settings.agentEnabled();
    {
        const QSignalBlocker blocker(m_automatic);
        m_automatic->setChecked(on);
    }
    m_frequency->setCurrentIndex(settings.frequency() == ScheduleFrequency::weekly ? 1 : 0);
    m_frequency->setEnabled(on);
    refreshWeekdayRow();
    if (m_weekday) {
        const QSignalBlocker blocker(m_weekday);
        const qint64 weekday = settings.weekday();
        m_weekday->setCurrentIndex(
            weekday >= 1 && weekday <= m_weekday->count() ? static_cast<int>(weekday - 1) : -1);
        m_weekday->setEnabled(on);
    }
    {
        const QSignalBlocker blocker(m_time);
        const QTime time(static_cast<int>(settings.runHour()),
                         static_cast<int>(settings.runMinute()));
        m_time->setTime(time.isValid() ? time : QTime::currentTime());
    }
    m_time->setEnabled(on);
    m_status->setText(m_state.scheduler().statusText());
    {
        const QSignalBlocker blocker(m_openAtLogin);
        m_openAtLogin->setChecked(m_state.launchAtLogin());
    }
    {
        const QSignalBlocker blocker(m_notify);
        m_notify->setChecked(settings.showNotifications());
    }
}

} // namespace sorvane
