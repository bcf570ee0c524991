#include "settings/app_settings.h"

#include "platform/folder_bookmark.h"
#include "platform/user_locale.h"
#include "platform/xdg_user_dirs.h"
#include "settings/json_preferences_store.h"

#include <algorithm>
#include <memory>
#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>

namespace sorvane {

namespace fs = std::filesystem;

namespace {

// The stored keys; their names and stored forms are fixed, other versions read them too.
constexpr const char* destinationPathKey = "destinationPath";
constexpr const char* destinationBookmarkKey = "destinationBookmark";
constexpr const char* groupingKey = "grouping";
constexpr const char* dateBasisKey = "dateBasis";
constexpr const char* agentEnabledKey = "agentEnabled";
constexpr const char* frequencyKey = "frequency";
constexpr const char* runHourKey = "runHour";
constexpr const char* runMinuteKey = "runMinute";
constexpr const char* weekdayKey = "weekday";
constexpr const char* keepRecentDaysKey = "keepRecentDays";
constexpr const char* includeHiddenKey = "includeHidden";
constexpr const char* moveFoldersKey = "moveFolders";
constexpr const char* keepTaggedFilesKey = "keepTaggedFiles";
constexpr const char* showNotificationsKey = "showNotifications";
constexpr const char* lastRunKey = "lastRun";
constexpr const char* hasCompletedSetupKey = "hasCompletedSetup";

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

template <class T> std::optional<T> typedObject(const PreferencesStore& store, const char* key) {
    const std::optional<PreferenceValue> value = store.object(key);
    if (value && std::holds_alternative<T>(*value))
        return std::get<T>(*value);
    return std::nullopt;
}

template <class Enum>
Enum enumeration(const PreferencesStore& store, const char* key, Enum fallback,
                 std::optional<Enum> (*fromRaw)(std::string_view)) {
    const std::optional<QString> raw = store.string(key);
    if (!raw)
        return fallback;
    return fromRaw(raw->toStdString()).value_or(fallback);
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

} // namespace

AppSettings::AppSettings(PreferencesStore& defaults, QObject* parent)
    : QObject(parent), m_defaults(defaults) {
    read();
    resolveDestination();
}

AppSettings& AppSettings::shared() {
    static JsonPreferencesStore store(JsonPreferencesStore::defaultFile());
    static AppSettings settings(store);
    return settings;
}

void AppSettings::read() {
    const PreferencesStore& store = m_defaults;
    m_destinationPath =
        store.string(destinationPathKey)
            .value_or(pathString(XdgUserDirs::documentsDirectory() / "Desktop Archive"));
    m_destinationBookmark = store.data(destinationBookmarkKey);
    m_grouping = enumeration(store, groupingKey, GroupingStyle::month, groupingStyleFromRaw);
    m_dateBasis = enumeration(store, dateBasisKey, DateBasis::created, dateBasisFromRaw);
    m_agentEnabled = store.boolean(agentEnabledKey);
    m_frequency =
        enumeration(store, frequencyKey, ScheduleFrequency::daily, scheduleFrequencyFromRaw);
    m_runHour = typedObject<qint64>(store, runHourKey).value_or(9);
    m_runMinute = typedObject<qint64>(store, runMinuteKey).value_or(0);
    m_weekday = typedObject<qint64>(store, weekdayKey).value_or(2);
    m_keepRecentDays = typedObject<qint64>(store, keepRecentDaysKey).value_or(0);
    m_includeHidden = store.boolean(includeHiddenKey);
    m_moveFolders = typedObject<bool>(store, moveFoldersKey).value_or(true);
    m_keepTaggedFiles = typedObject<bool>(store, keepTaggedFilesKey).value_or(true);
    m_showNotifications = typedObject<bool>(store, showNotificationsKey).value_or(true);
    m_lastRun = typedObject<QDateTime>(store, lastRunKey);
    m_hasCompletedSetup = store.boolean(hasCompletedSetupKey);
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

template <class T>
void AppSettings::update(T& member, const T& value, void (AppSettings::*signal)(),
                         const QString& key) {
    member = value;
    if (const std::optional<PreferenceValue> form = stored(member))
        m_defaults.set(key, *form);
    else
        m_defaults.remove(key);
    emit(this->*signal)();
    emit changed();
}

void AppSettings::setDestinationPath(const QString& path) {
    update(m_destinationPath, path, &AppSettings::destinationPathChanged, destinationPathKey);
}

void AppSettings::setDestinationBookmark(const std::optional<QByteArray>& bookmark) {
    update(m_destinationBookmark, bookmark, &AppSettings::destinationBookmarkChanged,
           destinationBookmarkKey);
}

void AppSettings::setGrouping(GroupingStyle grouping) {
    update(m_grouping, grouping, &AppSettings::groupingChanged, groupingKey);
}

void AppSettings::setDateBasis(DateBasis basis) {
    update(m_dateBasis, basis, &AppSettings::dateBasisChanged, dateBasisKey);
}

void AppSettings::setAgentEnabled(bool enabled) {
    update(m_agentEnabled, enabled, &AppSettings::agentEnabledChanged, agentEnabledKey);
}

void AppSettings::setFrequency(ScheduleFrequency frequency) {
    update(m_frequency, frequency, &AppSettings::frequencyChanged, frequencyKey);
}

void AppSettings::setRunHour(qint64 hour) {
    update(m_runHour, hour, &AppSettings::runHourChanged, runHourKey);
}

void AppSettings::setRunMinute(qint64 minute) {
    update(m_runMinute, minute, &AppSettings::runMinuteChanged, runMinuteKey);
}

void AppSettings::setWeekday(qint64 weekday) {
    update(m_weekday, weekday, &AppSettings::weekdayChanged, weekdayKey);
}

void AppSettings::setKeepRecentDays(qint64 days) {
    update(m_keepRecentDays, days, &AppSettings::keepRecentDaysChanged, keepRecentDaysKey);
}

void AppSettings::setIncludeHidden(bool include) {
    update(m_includeHidden, include, &AppSettings::includeHiddenChanged, includeHiddenKey);
}

void AppSettings::setMoveFolders(bool move) {
    update(m_moveFolders, move, &AppSettings::moveFoldersChanged, moveFoldersKey);
}

void AppSettings::setKeepTaggedFiles(bool keep) {
    update(m_keepTaggedFiles, keep, &AppSettings::keepTaggedFilesChanged, keepTaggedFilesKey);
}

void AppSettings::setShowNotifications(bool show) {
    update(m_showNotifications, show, &AppSettings::showNotificationsChanged, showNotificationsKey);
}

void AppSettings::setLastRun(const std::optional<QDateTime>& date) {
    update(m_lastRun, date, &AppSettings::lastRunChanged, lastRunKey);
}

void AppSettings::setHasCompletedSetup(bool completed) {
    update(m_hasCompletedSetup, completed, &AppSettings::hasCompletedSetupChanged,
           hasCompletedSetupKey);
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
