// SPDX-License-Identifier: MIT
#include "app/app_state.h"

#include "app/background_job.h"
#include "app/clean_journal.h"
#include "app/display_texts.h"
#include "app/interrupted_clean.h"
#include "app/job_observer.h"
#include "app/undo_journal.h"
#include "engine/clean_run.h"
#include "engine/desktop_cleaner.h"
#include "history/history_store.h"
#include "platform/background_priority.h"
#include "platform/folder_bookmark.h"
#include "platform/log_categories.h"
#include "platform/posix_error.h"
#include "platform/user_locale.h"
#include "scheduling/scheduler.h"
#include "settings/app_settings.h"
#include "updates/updater_view_model.h"

#include <QDateTime>
#include <QFile>
#include <QPointer>
#include <future>
#include <memory>

namespace sorvane {
namespace {

struct CleanJobResult {
    CleanOutcome outcome;
    // Kept until the record is in the history file, so that the journal still covers the
    // run while it is being saved, and after a save that failed.
    std::shared_ptr<CleanJournal> journal;
};

struct UndoJobResult {
    UndoResult result;
    // Kept, as the clean's journal is, until the result is in the history; only `finish`
    // is called on it after the run.
    std::shared_ptr<UndoJournal> journal;
};
QString reason(const FileError& error) {
    return QString::fromStdString(errorText(error.code));
}

/// The record of a run that the journal stopped, told as what it was.
void explainJournalStop(CleanRecord& record, const FileError& failure) {
    if (!record.errors.empty() && record.errors.back() == CleanRun::stoppedByRequestLine())
        record.errors.back() = AppState::tr("Stopped: Sorvane could not write its journal (%1).")
                                   .arg(QString::fromStdString(errorText(failure.code)))
                                   .toStdString();
}

} // namespace

AppState::AppState(AppSettings& settings, HistoryStore& history, UpdaterViewModel& updater,
                   FileServices& files, SystemServices services, Clock now, QObject* parent)
    : QObject(parent), m_settings(settings), m_history(history), m_updater(updater), m_files(files),
      m_services(services), m_now(now ? std::move(now) : systemClock),
      m_launchAtLogin(services.loginItem.isEnabled()) {
    // One clean or undo at a time, at normal priority; Desktop scans out of the way of
    // everything else (see BackgroundPriority).
    m_workPool.setMaxThreadCount(1);
    m_scanPool.setMaxThreadCount(1);
    connect(&m_settings, &AppSettings::changed, this, &AppState::changed);
    connect(&m_history, &HistoryStore::recordsChanged, this, &AppState::changed);
}

AppState::~AppState() {
    m_stopRequested = true;
    m_workPool.waitForDone();
    m_scanPool.waitForDone();
}

Scheduler& AppState::scheduler() {
    if (!m_scheduler) {
        m_scheduler = std::make_unique<Scheduler>(m_settings, m_now, m_services.wakeMonitor);
    }
    return *m_scheduler;
}

void AppState::start() {
    m_updater.start();
    // The hook returns at once; the clean starts from the event loop, after the scheduler's
    // evaluation is over.
    scheduler().setOnFire([this] {
        QMetaObject::invokeMethod(
            this, [this] { cleanNow(CleanTrigger::scheduled); }, Qt::QueuedConnection);
    });
    scheduler().start();
    refreshCounts();
    // Linux asks no permission to show notifications: nothing to request here.
}

std::filesystem::path AppState::journalFolder() const {
    return m_history.fileURL().parent_path();
}

void AppState::recoverInterrupted() {
    InterruptedClean::recoverLeftovers(m_history, m_files);
}

std::filesystem::path AppState::undoJournalPath() const {
    return m_history.fileURL().parent_path() / "undo-in-progress.journal";
}

void AppState::setSettingsTab(SettingsTab tab) {
    m_settingsTab = tab;
    emit settingsTabChanged();
}

void AppState::setWorking(bool working) {
    m_isWorking = working;
    m_progress = {0, 0};
    emit isWorkingChanged();
    emit progressChanged();
}

void AppState::setStatusMessage(const QString& message) {
    m_statusMessage = message;
    emit statusMessageChanged();
}

void AppState::setProgress(std::size_t done, std::size_t total) {
    if (!m_isWorking)
        return;
    m_progress = {done, total};
    emit progressChanged();
}

std::function<void(std::size_t, std::size_t)> AppState::progressReporter() {
    return [this](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] { setProgress(done, total); }, Qt::QueuedConnection);
    };
}

void AppState::cleanNow(CleanTrigger trigger) {
    if (m_isWorking)
        return;
    setWorking(true);
    setStatusMessage(tr("Cleaning\u2026"));
    const CleanOptions options = m_settings.cleanOptions();
    // A journal left by a clean that was killed becomes its record first, so that the
    // history stays in the order the runs happened.
    recoverInterrupted();
    m_stopRequested = false;

    runInBackground(
        m_workPool, this,
        [&files = m_files, now = m_now, options, trigger, folder = journalFolder(),
         progress = progressReporter(), &stop = m_stopRequested] {
            CleanJobResult result;
            auto begun = CleanJournal::begin(folder);
            if (!begun) {
                // Without a journal a kill could leave moves that no record tells of.
                result.outcome.errorMessage =
                    tr("Nothing was moved: Sorvane could not write its journal (%1).")
                        .arg(reason(begun.error()));
                return result;
            }
            result.journal = std::move(begun).value();
            JobObserver observer(result.journal.get(), progress, stop);
            auto ran = DesktopCleaner(files, now).clean(options, trigger, &observer);
            if (auto* record = std::get_if<CleanRecord>(&ran)) {
                result.outcome.record = std::move(*record);
                if (const auto& failure = result.journal->failure())
                    explainJournalStop(*result.outcome.record, *failure);
            } else {
                result.outcome.errorMessage =
                    QString::fromStdString(std::get<CleanError>(ran).errorDescription());
            }
            return result;
        },
        [this, trigger, archive = options.destination](const CleanJobResult& result) {
            // A journal whose record did not reach the file stays, to be recovered later.
            const bool saved = cleanEnded(result.outcome, trigger, archive);
            if (result.journal && saved)
                result.journal->finish();
            else if (result.journal)
                result.journal->close();
            emit cleanFinished(result.outcome);
            workEnded();
        });
}

bool AppState::cleanEnded(const CleanOutcome& outcome, CleanTrigger trigger,
                          const std::filesystem::path& archive) {
    setWorking(false);
    if (!outcome.record) {
        m_settings.setLastRun(toDateTime(m_now()));
        setStatusMessage(outcome.errorMessage.value_or(tr("Clean failed")));
        return true;
    }
    const CleanRecord& record = *outcome.record;
    m_settings.setLastRun(toDateTime(record.date));
    const FileStatus saved = m_history.add(record);
    if (!saved)
        qCWarning(logClean) << "The history could not be saved; the clean's journal keeps it:"
                            << saved.error().description().c_str();
    rememberArchive();
    setStatusMessage(withSaveFailure(DisplayTexts::summary(RunSummary::of(record)), saved));
    refreshCounts();
    if (trigger == CleanTrigger::scheduled && m_settings.showNotifications() &&
        !record.moved.empty())
        notifyAfterScheduledClean(record, archive);
    return saved.ok();
}

QString AppState::withSaveFailure(const QString& message, const FileStatus& saved) {
    if (saved)
        return message;
    return tr("%1, but the history could not be saved (%2)").arg(message, reason(saved.error()));
}

void AppState::rememberArchive() {
    // The bookmark keeps the device the archive was on when last used, so that a later clean
    // makes a missing archive again only there, never where an unplugged drive was mounted.
    const auto archive = m_settings.resolvedDestination();
    const auto& stored = m_settings.destinationBookmark();
    if (stored && FolderBookmark::names(stored->toStdString(), archive))
        return;
    if (const auto fresh = FolderBookmark::create(archive))
        m_settings.setDestinationBookmark(QByteArray::fromStdString(*fresh));
}

void AppState::notifyAfterScheduledClean(const CleanRecord& record,
                                         const std::filesystem::path& archive) {
    // The archive the run used, not one chosen while it ran.
    const QString body = tr("%n item(s) moved to %1.", nullptr, int(record.moved.size()))
                             .arg(DisplayTexts::fileName(archive));
    // "Show" opens the run's dated folder when all its items went to one, else the archive.
    std::filesystem::path folder =
        std::filesystem::path(record.moved.front().newPath).parent_path();
    for (const auto& file : record.moved)
        if (std::filesystem::path(file.newPath).parent_path() != folder) {
            folder = folder.parent_path();
            break;
        }
    const QPointer<AppState> self(this);
    const Uuid run = record.id;
    m_services.notifier.post(tr("Desktop cleaned"), body,
                             {{tr("Undo"),
                               [self, run] {
                                   // Only while that run is still the one an undo would put back.
                                   const auto last =
                                       self ? self->m_history.lastUndoable() : std::nullopt;
                                   if (last && last->id == run)
                                       self->undoLastClean();
                               }},
                              {tr("Show"), [self, folder] {
                                   if (self)
                                       self->m_services.urlOpener.open(QUrl::fromLocalFile(
                                           QString::fromStdString(folder.native())));
                               }}});
}

void AppState::undoLastClean() {
    if (m_isWorking)
        return;
    // The run a killed clean left only in its journal is the newest: it is the one to undo.
    recoverInterrupted();
    // An undo that was killed first puts its own account straight, so that this one starts
    // from what is truly still in the archive.
    UndoJournal::recoverInto(m_history, undoJournalPath(), m_files);
    const auto undoable = m_history.lastUndoable();
    if (!undoable)
        return;
    // An undo that could not be recorded would be undone again later, from the archive it
    // has emptied: nothing moves unless the history can be written. The run's items are
    // read on the second core meanwhile (both take milliseconds for a large run), or after
    // the save when no thread can be had.
    auto reading = std::async(std::launch::async | std::launch::deferred,
                              m_history.recordReader(undoable->id));
    const FileStatus writable = m_history.save();
    auto record = reading.get();
    if (!record)
        return;
    if (!writable) {
        const QString message = tr("Nothing was put back: the history could not be saved (%1)")
                                    .arg(reason(writable.error()));
        setStatusMessage(message);
        emit undoFinished({{}, record->moved, {message.toStdString()}});
        return;
    }
    setWorking(true);
    setStatusMessage(tr("Putting files back\u2026"));
    const auto archive = m_settings.resolvedDestination();
    const auto bookmark = m_settings.cleanOptions().destinationBookmark;
    m_stopRequested = false;

    runInBackground(
        m_workPool, this,
        [&files = m_files, now = m_now, record = std::move(*record), archive, bookmark,
         journalPath = undoJournalPath(), progress = progressReporter(), &stop = m_stopRequested] {
            JobObserver observer(nullptr, progress, stop);
            UndoJobResult job;
            job.journal = UndoJournal::begin(journalPath, record, files, observer);
            UndoObserver* watching = &observer;
            if (job.journal)
                watching = job.journal.get();
            job.result = DesktopCleaner(files, now).undo(record, archive, watching, bookmark);
            return job;
        },
        [this, id = undoable->id](const UndoJobResult& job) {
            undoEnded(id, job.result);
            if (job.journal)
                job.journal->finish();
            emit undoFinished(job.result);
            workEnded();
        });
}

void AppState::undoEnded(const Uuid& id, const UndoResult& result) {
    setWorking(false);
    const FileStatus saved = result.remaining.empty()
                                 ? m_history.markUndone(id)
                                 : m_history.recordPartialUndo(id, result.remaining);
    setStatusMessage(
        withSaveFailure(undoMessage(result.restored.size(), result.errors.size()), saved));
    refreshCounts();
}

QString AppState::undoMessage(std::size_t restored, std::size_t failed) {
    if (failed == 0)
        return tr("Put %n item(s) back on the desktop", nullptr, int(restored));
    if (restored > 0)
        return tr("Put %n item(s) back, %1 could not be restored", nullptr, int(restored))
            .arg(failed);
    return tr("Nothing could be put back, %1 failed").arg(failed);
}

void AppState::refreshCounts() {
    if (!m_countsShown)
        return;
    const auto generation = ++m_scanGeneration;
    const CleanOptions options = m_settings.cleanOptions();
    UserLocale::refreshTimeZone();
    runInBackground(
        m_scanPool, this,
        [&files = m_files, now = m_now, options] {
            BackgroundPriority::lowerCurrentThread();
            return DesktopCleaner(files, now).examine(options);
        },
        [this, generation](const std::variant<CleanPreview, CleanError>& examined) {
            countsArrived(generation, examined);
        });
}

void AppState::countsArrived(std::uint64_t generation,
                             const std::variant<CleanPreview, CleanError>& examined) {
    // A newer scan was asked for meanwhile: its numbers are the ones to show.
    if (generation != m_scanGeneration)
        return;
    // A Desktop that cannot be read is not a clear one.
    const auto* preview = std::get_if<CleanPreview>(&examined);
    m_countsProblem =
        preview ? QString()
                : QString::fromStdString(std::get<CleanError>(examined).errorDescription());
    m_pendingCount = preview ? static_cast<qint64>(preview->eligible.size()) : 0;
    m_pinnedCount = preview ? preview->tagged : 0;
    emit countsChanged();
}

void AppState::finishWork(std::function<void()> done) {
    if (!m_isWorking) {
        done();
        return;
    }
    m_stopRequested = true;
    m_afterWork = std::move(done);
}

void AppState::workEnded() {
    if (auto done = std::exchange(m_afterWork, {}))
        done();
}

void AppState::setLaunchAtLogin(bool enabled) {
    if (const auto error = m_services.loginItem.setEnabled(enabled))
        setStatusMessage(*error);
    m_launchAtLogin = m_services.loginItem.isEnabled();
    emit launchAtLoginChanged();
}

void AppState::chooseDestination() {
    const auto chosen = m_services.folderChooser.chooseFolder(
        tr("Choose where cleaned files go"), tr("Use This Folder"),
        m_settings.resolvedDestination().parent_path());
    if (!chosen)
        return;
    m_settings.setDestinationPath(QFile::decodeName(QByteArray::fromStdString(chosen->native())));
    const auto bookmark = FolderBookmark::create(*chosen);
    m_settings.setDestinationBookmark(bookmark ? std::optional(QByteArray::fromStdString(*bookmark))
                                               : std::nullopt);
    m_settings.setResolvedDestination(*chosen);
    m_settings.setHasCompletedSetup(true);
    refreshCounts();
    setStatusMessage(tr("Archive folder set to %1").arg(DisplayTexts::fileName(*chosen)));
}

void AppState::revealArchive() {
    const auto archive = m_settings.resolvedDestination();
    if (m_files.fileExists(archive)) {
        m_services.fileViewer.showItem(archive);
        return;
    }
    auto candidate = archive.parent_path();
    while (!m_files.fileExists(candidate) && candidate != candidate.root_path() &&
           candidate.has_parent_path())
        candidate = candidate.parent_path();
    setStatusMessage(tr("%1 is created on the first clean.").arg(DisplayTexts::fileName(archive)));
    m_services.fileViewer.showItem(candidate);
}

QUrl AppState::tipURL() {
    return QUrl(QStringLiteral("https://sorvane.app/tip"));
}

void AppState::openTip() {
    m_services.urlOpener.open(tipURL());
}

} // namespace sorvane
