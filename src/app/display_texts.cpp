// SPDX-License-Identifier: MIT
#include "app/display_texts.h"

#include "platform/user_locale.h"

#include <QFile>
#include <memory>
#include <string>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>

namespace sorvane {

QString DisplayTexts::headline(qint64 pendingCount) {
    if (pendingCount == 0)
        return tr("Your desktop is already clear");
    return tr("%n item(s) waiting on your desktop", nullptr, int(pendingCount));
}

QString DisplayTexts::taggedLine(qint64 pinnedCount) {
    return tr("%n tagged file(s) stay put", nullptr, int(pinnedCount));
}

QString DisplayTexts::archiveLine(const std::filesystem::path& archive) {
    return tr("Files go to %1").arg(fileName(archive));
}

QString DisplayTexts::items(std::size_t count) {
    return tr("%n item(s)", nullptr, int(count));
}

QString DisplayTexts::summary(const RunSummary& run) {
    if (run.movedCount == 0 && run.errors.empty())
        return tr("Nothing to move");
    QString text = tr("%n item(s) moved", nullptr, int(run.movedCount));
    if (run.skippedCount > 0)
        text = tr("%1, %n left in place", nullptr, int(run.skippedCount)).arg(text);
    if (!run.errors.empty())
        text = tr("%1, %n failed", nullptr, int(run.errors.size())).arg(text);
    return text;
}

QString DisplayTexts::triggerWord(CleanTrigger trigger) {
    return trigger == CleanTrigger::scheduled ? tr("Scheduled") : tr("Manual");
}

namespace {

/// ICU's date formatters cost more to make than a whole History row does to lay out, so one
/// is kept for the locales it was made for and only given the current time zone per date.
icu::DateFormat* runDateFormat() {
    static thread_local std::string madeFor;
    static thread_local std::unique_ptr<icu::DateFormat> format;
    const icu::Locale layout = UserLocale::formattingLocale();
    const icu::Locale language = UserLocale::languageLocale();
    const std::string locales = std::string(layout.getName()) + '|' + language.getName();
    if (format && locales == madeFor)
        return format.get();
    format.reset(icu::DateFormat::createDateTimeInstance(icu::DateFormat::kMedium,
                                                         icu::DateFormat::kShort, layout));
    madeFor = locales;
    // The layout is the formatting locale's; month names are words of the program's language.
    if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get())) {
        UErrorCode status = U_ZERO_ERROR;
        const icu::DateFormatSymbols words(language, status);
        if (U_SUCCESS(status))
            simple->setDateFormatSymbols(words);
    }
    return format.get();
}

} // namespace

QString DisplayTexts::runDate(Timestamp date) {
    UserLocale::refreshTimeZone();
    auto* format = runDateFormat();
    if (!format)
        return {};
    format->adoptTimeZone(icu::TimeZone::createDefault());
    icu::UnicodeString text;
    format->format(toUDate(date), text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

QString DisplayTexts::fileName(const std::filesystem::path& path) {
    auto name = path.filename();
    if (name.empty())
        name = path.parent_path().filename();
    if (name.empty())
        name = path;
    return QString::fromUtf8(name.native());
}

} // namespace sorvane
