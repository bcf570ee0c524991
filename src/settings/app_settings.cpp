// SPDX-License-Identifier: MIT
#include "settings/app_settings.h"

#include "platform/folder_bookmark.h"
#include "platform/user_locale.h"
#include "platform/xdg_user_dirs.h"

#include <algorithm>
#include <memory>
#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>

namespace sorvane {

namespace fs = std::filesystem;

namespace {

/// A path as the stored string. Bytes that are not UTF-8 become U+FFFD here; the exact
/// bytes live on in the bookmark, which is what resolution prefers.
QString pathString(const fs::path& path) {
    return QString::fromStdString(path.string());
}

fs::path pathFromString(const QString& path) {
    return fs::path(path.toStdString());
}

QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

template <class T> struct IsOptional : std::false_type {};
template <class T> struct IsOptional<std::optional<T>> : std::true_type {};

std::optional<GroupingStyle> fromRaw(std::string_view raw, GroupingStyle) {
    return groupingStyleFromRaw(raw);
}
std::optional<DateBasis> fromRaw(std::string_view raw, DateBasis) {
    return dateBasisFromRaw(raw);
}
std::optional<ScheduleFrequency> fromRaw(std::string_view raw, ScheduleFrequency) {
    return scheduleFrequencyFromRaw(raw);
}

/// A stored value read as a member of type `T`: none when it is of another type, or an
/// enumeration's string that matches none of its raw values exactly.
template <class T> std::optional<T> decoded(const std::optional<PreferenceValue>& value) {
    if (!value)
        return std::nullopt;
    if constexpr (std::is_enum_v<T>) {
        const QString* raw = std::get_if<QString>(&*value);
        return raw ? fromRaw(raw->toStdString(), T{}) : std::nullopt;
    } else if constexpr (IsOptional<T>::value) {
        const auto* inner = std::get_if<typename T::value_type>(&*value);
        return inner ? std::optional<T>(*inner) : std::nullopt;
    } else {
        const T* plain = std::get_if<T>(&*value);
        return plain ? std::optional<T>(*plain) : std::nullopt;
    }
}

// The stored form of each member type; none removes the key.
std::optional<PreferenceValue> stored(const QString& value) {
    return value;
}
std::optional<PreferenceValue> stored(const std::optional<QByteArray>& value) {
    if (!value)
        return std::nullopt;
    return *value;
}
std::optional<PreferenceValue> stored(const std::optional<QDateTime>& value) {
    if (!value)
        return std::nullopt;
    return value->toUTC();
}
std::optional<PreferenceValue> stored(qint64 value) {
    return value;
}
std::optional<PreferenceValue> stored(bool value) {
    return value;
}
template <class Enum>
requires std::is_enum_v<Enum> std::optional<PreferenceValue> stored(Enum value) {
    return QString::fromUtf8(rawValue(value).data(),
                             static_cast<qsizetype>(rawValue(value).size()));
}

QString defaultDestinationPath() {
    return pathString(XdgUserDirs::documentsDirectory() / "Desktop Archive");
}

template <auto value> auto always() {
    return value;
}

template <class T> std::optional<T> none() {
    return std::nullopt;
}

/// Every preference: the name it is stored under and its default, in reading order.
struct Table {
    static constexpr Setting<QString> destinationPath{SettingKey::destinationPath,
                                                      "destinationPath", defaultDestinationPath};
    static constexpr Setting<std::optional<QByteArray>> destinationBookmark{
        SettingKey::destinationBookmark, "destinationBookmark", none<QByteArray>};
    static constexpr Setting<GroupingStyle> grouping{SettingKey::grouping, "grouping",
                                                     always<GroupingStyle::month>};
    static constexpr Setting<DateBasis> dateBasis{SettingKey::dateBasis, "dateBasis",
                                                  always<DateBasis::created>};
    static constexpr Setting<bool> agentEnabled{SettingKey::agentEnabled, "agentEnabled",
                                                always<false>};
    static constexpr Setting<ScheduleFrequency> frequency{SettingKey::frequency, "frequency",
                                                          always<ScheduleFrequency::daily>};
    static constexpr Setting<qint64> runHour{SettingKey::runHour, "runHour", always<qint64{9}>};
    static constexpr Setting<qint64> runMinute{SettingKey::runMinute, "runMinute",
                                               always<qint64{0}>};
    static constexpr Setting<qint64> weekday{SettingKey::weekday, "weekday", always<qint64{2}>};
    static constexpr Setting<qint64> keepRecentDays{SettingKey::keepRecentDays, "keepRecentDays",
                                                    always<qint64{0}>};
    static constexpr Setting<bool> includeHidden{SettingKey::includeHidden, "includeHidden",
                                                 always<false>};
    static constexpr Setting<bool> moveFolders{SettingKey::moveFolders, "moveFolders",
                                               always<true>};
    static constexpr Setting<bool> keepTaggedFiles{SettingKey::keepTaggedFiles, "keepTaggedFiles",
                                                   always<true>};
    static constexpr Setting<bool> showNotifications{SettingKey::showNotifications,
                                                     "showNotifications", always<true>};
    static constexpr Setting<std::optional<QDateTime>> lastRun{SettingKey::lastRun, "lastRun",
                                                               none<QDateTime>};
    static constexpr Setting<bool> hasCompletedSetup{SettingKey::hasCompletedSetup,
                                                     "hasCompletedSetup", always<false>};
};

} // namespace

AppSettings::AppSettings(PreferencesStore& defaults, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_destinationPath(read(Table::destinationPath)),
      m_destinationBookmark(read(Table::destinationBookmark)), m_grouping(read(Table::grouping)),
      m_dateBasis(read(Table::dateBasis)), m_agentEnabled(read(Table::agentEnabled)),
      m_frequency(read(Table::frequency)), m_runHour(read(Table::runHour)),
      m_runMinute(read(Table::runMinute)), m_weekday(read(Table::weekday)),
      m_keepRecentDays(read(Table::keepRecentDays)), m_includeHidden(read(Table::includeHidden)),
      m_moveFolders(read(Table::moveFolders)), m_keepTaggedFiles(read(Table::keepTaggedFiles)),
      m_showNotifications(read(Table::showNotifications)), m_lastRun(read(Table::lastRun)) {
    resolveDestination();
}

template <class T> T AppSettings::read(const Setting<T>& setting) const {
    return decoded<T>(m_defaults.object(setting.name)).value_or(setting.fallback());
}

void AppSettings::resolveDestination() {
    // Linux has no security scope, so the scoped and the plain resolution are one and the
    // same attempt.
    if (m_destinationBookmark) {
        const auto resolved = FolderBookmark::resolve(m_destinationBookmark->toStdString());
        if (resolved) {
            const QString resolvedPath = pathString(resolved->path);
            if (resolvedPath != m_destinationPath)
                setDestinationPath(resolvedPath);
            if (resolved->stale) {
                // A renewal that fails keeps the old bookmark, which still finds the folder.
                if (const auto renewed = FolderBookmark::create(resolved->path))
                    setDestinationBookmark(QByteArray::fromStdString(*renewed));
            }
            m_resolvedDestination = resolved->path;
            return;
        }
    }
    m_resolvedDestination = pathFromString(m_destinationPath);
}

void AppSettings::setResolvedDestination(const fs::path& folder) {
    m_resolvedDestination = folder;
}

template <class T> void AppSettings::write(const Setting<T>& setting, const T& value) {
    if (const std::optional<PreferenceValue> form = stored(value))
        m_defaults.set(setting.name, *form);
    else
        m_defaults.remove(setting.name);
    emit changed(setting.key);
}

template <class T> void AppSettings::update(T& member, const T& value, const Setting<T>& setting) {
    member = value;
    write(setting, member);
}

void AppSettings::setDestinationPath(const QString& path) {
    update(m_destinationPath, path, Table::destinationPath);
}

void AppSettings::setDestinationBookmark(const std::optional<QByteArray>& bookmark) {
    update(m_destinationBookmark, bookmark, Table::destinationBookmark);
}

void AppSettings::setGrouping(GroupingStyle grouping) {
    update(m_grouping, grouping, Table::grouping);
}

void AppSettings::setDateBasis(DateBasis basis) {
    update(m_dateBasis, basis, Table::dateBasis);
}

void AppSettings::setAgentEnabled(bool enabled) {
    update(m_agentEnabled, enabled, Table::agentEnabled);
}

void AppSettings::setFrequency(ScheduleFrequency frequency) {
    update(m_frequency, frequency, Table::frequency);
}

void AppSettings::setRunHour(qint64 hour) {
    update(m_runHour, hour, Table::runHour);
}

void AppSettings::setRunMinute(qint64 minute) {
    update(m_runMinute, minute, Table::runMinute);
}

void AppSettings::setWeekday(qint64 weekday) {
    update(m_weekday, weekday, Table::weekday);
}

void AppSettings::setKeepRecentDays(qint64 days) {
    update(m_keepRecentDays, days, Table::keepRecentDays);
}

void AppSettings::setIncludeHidden(bool include) {
    update(m_includeHidden, include, Table::includeHidden);
}

void AppSettings::setMoveFolders(bool move) {
    update(m_moveFolders, move, Table::moveFolders);
}

void AppSettings::setKeepTaggedFiles(bool keep) {
    update(m_keepTaggedFiles, keep, Table::keepTaggedFiles);
}

void AppSettings::setShowNotifications(bool show) {
    update(m_showNotifications, show, Table::showNotifications);
}

void AppSettings::setLastRun(const std::optional<QDateTime>& date) {
    update(m_lastRun, date, Table::lastRun);
}

void AppSettings::setHasCompletedSetup(bool completed) {
    write(Table::hasCompletedSetup, completed);
}

CleanOptions AppSettings::cleanOptions() const {
    CleanOptions options;
    options.destination = m_resolvedDestination;
    if (m_destinationBookmark)
        options.destinationBookmark = m_destinationBookmark->toStdString();
    options.grouping = m_grouping;
    options.dateBasis = m_dateBasis;
    options.keepRecentDays = m_keepRecentDays;
    options.includeHidden = m_includeHidden;
    options.moveFolders = m_moveFolders;
    options.keepTaggedFiles = m_keepTaggedFiles;
    return options;
}

QString AppSettings::scheduleDescription() const {
    UserLocale::refreshTimeZone();
    const icu::Locale locale = UserLocale::formattingLocale();
    UErrorCode status = U_ZERO_ERROR;

    // Today at the chosen time; the calendar is lenient, so odd stored numbers roll over
    // instead of failing.
    UDate date = icu::Calendar::getNow();
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
    if (U_SUCCESS(status)) {
        calendar->setTime(date, status);
        calendar->set(UCAL_HOUR_OF_DAY, static_cast<int32_t>(std::clamp<qint64>(
                                            m_runHour, INT32_MIN / 2, INT32_MAX / 2)));
        calendar->set(UCAL_MINUTE, static_cast<int32_t>(std::clamp<qint64>(
                                       m_runMinute, INT32_MIN / 2, INT32_MAX / 2)));
        calendar->set(UCAL_SECOND, 0);
        calendar->set(UCAL_MILLISECOND, 0);
        const UDate chosen = calendar->getTime(status);
        if (U_SUCCESS(status))
            date = chosen;
    }

    QString time;
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, locale));
    if (formatter) {
        icu::UnicodeString text;
        time = fromIcu(formatter->format(date, text));
    }

    if (m_frequency != ScheduleFrequency::weekly)
        return tr("Every day at %1").arg(time);

    status = U_ZERO_ERROR;
    // The weekday stands in a sentence of the program's language; the time keeps the
    // formatting locale's hour cycle.
    const icu::DateFormatSymbols symbols(UserLocale::languageLocale(), status);
    int32_t count = 0;
    const icu::UnicodeString* weekdays =
        symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
    // ICU's list starts with an empty entry so that UCAL_SUNDAY (1) indexes Sunday.
    QString name;
    if (U_SUCCESS(status) && weekdays && count > 1) {
        const qint64 last = count - 2;
        name = fromIcu(weekdays[1 + std::clamp<qint64>(m_weekday - 1, 0, last)]);
    }
    return tr("Every %1 at %2").arg(name, time);
}

} // namespace sorvane
