// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_options.h"
#include "settings/preferences_store.h"
#include "settings/schedule_frequency.h"
#include "settings/setting.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <filesystem>
#include <optional>

namespace sorvane {

/// Every user preference, read once from the preferences store and written back the moment
/// it changes, plus the archive folder in effect and the values derived from them.
///
/// Each setter stores the value, writes it under its key and then emits `changed` with the
/// key. No value is validated: the editing views offer only sensible ones, and the readers
/// of `weekday` cope with any number.
class AppSettings : public QObject {
    Q_OBJECT

public:
    /// Reads every key and then finds the archive folder (`resolveDestination`).
    explicit AppSettings(PreferencesStore& defaults, QObject* parent = nullptr);

    /// The archive folder in effect. Changed only at construction and by the folder chooser,
    /// which also sets `destinationPath` and `destinationBookmark`.
    const std::filesystem::path& resolvedDestination() const { return m_resolvedDestination; }
    void setResolvedDestination(const std::filesystem::path& folder);

    const QString& destinationPath() const { return m_destinationPath; }
    const std::optional<QByteArray>& destinationBookmark() const { return m_destinationBookmark; }
    GroupingStyle grouping() const { return m_grouping; }
    DateBasis dateBasis() const { return m_dateBasis; }
    bool agentEnabled() const { return m_agentEnabled; }
    ScheduleFrequency frequency() const { return m_frequency; }
    qint64 runHour() const { return m_runHour; }
    qint64 runMinute() const { return m_runMinute; }
    /// 1 = Sunday … 7 = Saturday.
    qint64 weekday() const { return m_weekday; }
    qint64 keepRecentDays() const { return m_keepRecentDays; }
    bool includeHidden() const { return m_includeHidden; }
    bool moveFolders() const { return m_moveFolders; }
    bool keepTaggedFiles() const { return m_keepTaggedFiles; }
    bool showNotifications() const { return m_showNotifications; }
    const std::optional<QDateTime>& lastRun() const { return m_lastRun; }

    void setDestinationPath(const QString& path);
    void setDestinationBookmark(const std::optional<QByteArray>& bookmark);
    void setGrouping(GroupingStyle grouping);
    void setDateBasis(DateBasis basis);
    void setAgentEnabled(bool enabled);
    void setFrequency(ScheduleFrequency frequency);
    void setRunHour(qint64 hour);
    void setRunMinute(qint64 minute);
    void setWeekday(qint64 weekday);
    void setKeepRecentDays(qint64 days);
    void setIncludeHidden(bool include);
    void setMoveFolders(bool move);
    void setKeepTaggedFiles(bool keep);
    void setShowNotifications(bool show);
    void setLastRun(const std::optional<QDateTime>& date);
    /// Only written: nothing reads it, but it belongs to the stored form.
    void setHasCompletedSetup(bool completed);

    /// What the engine is told for the next scan or clean.
    CleanOptions cleanOptions() const;

    /// "Every day at 9:00 AM" or "Every Monday at 9:00 AM", the time and the weekday name
    /// in the user's locale and current time zone.
    QString scheduleDescription() const;

signals:
    /// After the new value of `key` is stored and written.
    void changed(sorvane::SettingKey key);

private:
    void resolveDestination();
    template <class T> T read(const Setting<T>& setting) const;
    template <class T> void write(const Setting<T>& setting, const T& value);
    template <class T> void update(T& member, const T& value, const Setting<T>& setting);

    PreferencesStore& m_defaults;
    std::filesystem::path m_resolvedDestination;
    QString m_destinationPath;
    std::optional<QByteArray> m_destinationBookmark;
    GroupingStyle m_grouping;
    DateBasis m_dateBasis;
    bool m_agentEnabled;
    ScheduleFrequency m_frequency;
    qint64 m_runHour;
    qint64 m_runMinute;
    qint64 m_weekday;
    qint64 m_keepRecentDays;
    bool m_includeHidden;
    bool m_moveFolders;
    bool m_keepTaggedFiles;
    bool m_showNotifications;
    std::optional<QDateTime> m_lastRun;
};

} // namespace sorvane
