#include "app/display_texts.h"

#include "platform/user_locale.h"

#include <QFile>
#include <memory>
#include <unicode/datefmt.h>

namespace sorvane {

QString DisplayTexts::headline(qint64 pendingCount) {
    if (pendingCount == 0)
        return tr("Your desktop is already clear");
    if (pendingCount == 1)
        return tr("1 item waiting on your desktop");
    return QString::number(pendingCount) + tr(" items waiting on your desktop");
}

QString DisplayTexts::taggedLine(qint64 pinnedCount) {
    if (pinnedCount == 1)
        return tr("1 tagged file stays put");
    return QString::number(pinnedCount) + tr(" tagged files stay put");
}

QString DisplayTexts::archiveLine(const std::filesystem::path& archive) {
    return tr("Files go to ") + fileName(archive);
}

QString DisplayTexts::items(std::size_t count) {
    return QString::number(count) + (count == 1 ? tr(" item") : tr(" items"));
}

QString DisplayTexts::triggerWord(CleanTrigger trigger) {
    return trigger == CleanTrigger::scheduled ? tr("Scheduled") : tr("Manual");
}

QString DisplayTexts::runDate(Timestamp date) {
    UserLocale::refreshTimeZone();
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateTimeInstance(
        icu::DateFormat::kMedium, icu::DateFormat::kShort, UserLocale::formattingLocale()));
    if (!format)
        return {};
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
