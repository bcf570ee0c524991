// SPDX-License-Identifier: MIT
#include "scheduling/scheduler.h"

#include "platform/relative_time_text.h"
#include "platform/user_locale.h"
#include "platform/wake_monitor.h"
#include "settings/app_settings.h"

#include <memory>
#include <unicode/calendar.h>

namespace sorvane {
namespace {

// How many days the search looks at. A daily time is found within two days; a weekly one
// within eight. The rest is room for days that a time zone leaves out entirely (Samoa
// skipped 30 December 2011) and for a run time that falls into a daylight-saving gap.
constexpr int dailySearchDays = 8;
constexpr int weeklySearchDays = 15;

/// The calendar is lenient, so hour 25 would quietly become 1 o'clock the next day; a value
/// outside the field's range matches no day instead.
bool inRange(const icu::Calendar& calendar, UCalendarDateFields field, qint64 value) {
    return value >= calendar.getMinimum(field) && value <= calendar.getMaximum(field);
}

} // namespace

Scheduler::Scheduler(AppSettings& settings, Clock clock, WakeMonitor& wakeMonitor, QObject* parent)
    : QObject(parent), m_settings(settings), m_clock(std::move(clock)), m_wakeMonitor(wakeMonitor),
      m_timer(this) {
    m_timer.setInterval(evaluationInterval);
    // Whole-second accuracy lets the system line our wake-up up with others'; a run starts
    // at most about a minute late.
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Scheduler::tick);
    connect(&m_settings, &AppSettings::changed, this, [this](SettingKey key) {
        if (key == SettingKey::agentEnabled && m_settings.agentEnabled() && m_anchor)
            m_anchor = m_clock();
    });
}

Scheduler::~Scheduler() {
    stop();
}

void Scheduler::start() {
    stop();
    m_anchor = m_clock();
    m_timer.start();
    m_wakeMonitor.start();
    m_wakeConnection = connect(&m_wakeMonitor, &WakeMonitor::woke, this, &Scheduler::evaluate);
    evaluate();
}

void Scheduler::stop() {
    m_timer.stop();
    if (m_wakeConnection) {
        disconnect(m_wakeConnection);
        m_wakeMonitor.stop();
    }
    m_wakeConnection = {};
}

void Scheduler::tick() {
    // A wake found by the clocks arrives through woke(), which evaluates.
    if (!m_wakeMonitor.checkClocks())
        evaluate();
}

void Scheduler::evaluate() {
    if (m_onTick)
        m_onTick();
    if (!m_settings.agentEnabled())
        return;
    // ICU holds on to the time zone it found first; a laptop that travelled must follow.
    UserLocale::refreshTimeZone();
    const std::optional<Timestamp> next = nextRunDate(m_clock());
    if (next && *next <= m_clock() && m_onFire)
        m_onFire();
}

std::optional<Timestamp> Scheduler::nextRunDate(Timestamp from) const {
    if (!m_settings.agentEnabled())
        return std::nullopt;

    Timestamp start = from;
    const std::optional<QDateTime>& lastRun = m_settings.lastRun();
    const std::optional<Timestamp> since = lastRun ? fromDateTime(*lastRun) : m_anchor;
    // A last run in the future (the clock was set back) counts from now.
    if (since && *since <= from)
        start = *since;

    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> day(
        icu::Calendar::createInstance(UserLocale::formattingLocale(), status));
    if (U_FAILURE(status))
        return std::nullopt;

    const bool weekly = m_settings.frequency() == ScheduleFrequency::weekly;
    if (!inRange(*day, UCAL_HOUR_OF_DAY, m_settings.runHour()) ||
        !inRange(*day, UCAL_MINUTE, m_settings.runMinute()) ||
        (weekly && !inRange(*day, UCAL_DAY_OF_WEEK, m_settings.weekday())))
        return std::nullopt;
    const auto hour = static_cast<int32_t>(m_settings.runHour());
    const auto minute = static_cast<int32_t>(m_settings.runMinute());
    const auto weekday = static_cast<int32_t>(m_settings.weekday());

    // A time inside a spring-forward gap runs at the first moment after the gap; a time that
    // occurs twice on a fall-back day runs at the first of the two.
    day->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    day->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    const UDate after = toUDate(start);
    day->setTime(after, status);

    const int searchDays = weekly ? weeklySearchDays : dailySearchDays;
    for (int i = 0; i < searchDays && U_SUCCESS(status); ++i) {
        // Whole calendar days, never 24 hours: days around a daylight-saving change are 23
        // or 25 hours long.
        if (i > 0)
            day->add(UCAL_DATE, 1, status);
        if (weekly && day->get(UCAL_DAY_OF_WEEK, status) != weekday)
            continue;
        std::unique_ptr<icu::Calendar> candidate(day->clone());
        candidate->set(UCAL_HOUR_OF_DAY, hour);
        candidate->set(UCAL_MINUTE, minute);
        candidate->set(UCAL_SECOND, 0);
        candidate->set(UCAL_MILLISECOND, 0);
        const UDate when = candidate->getTime(status);
        if (U_SUCCESS(status) && when > after)
            return fromUDate(when);
    }
    return std::nullopt;
}

QString Scheduler::statusText() const {
    if (!m_settings.agentEnabled())
        return tr("Automatic cleaning is off");
    UserLocale::refreshTimeZone();
    const Timestamp now = m_clock();
    const std::optional<Timestamp> next = nextRunDate(now);
    if (!next)
        return m_settings.scheduleDescription();
    if (*next <= now)
        return tr("Due now");
    return tr("Next clean %1").arg(QString::fromStdString(RelativeTimeText::describe(*next, now)));
}

} // namespace sorvane
