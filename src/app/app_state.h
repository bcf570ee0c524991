// SPDX-License-Identifier: MIT
#pragma once

#include "app/clean_outcome.h"
#include "app/settings_tab.h"
#include "engine/clean_error.h"
#include "engine/clean_preview.h"
#include "engine/undo_result.h"
#include "platform/file_services.h"
#include "platform/system_services.h"
#include "record/clean_record.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace sorvane {

class AppSettings;
class HistoryStore;
class Scheduler;
class UpdaterViewModel;

/// The one observable state of the running application: the Desktop's counts, whether a
/// clean or an undo is running, the last status line, and the operations that change them.
///
/// Lives on the main thread. Cleans, undos and count scans run on background threads and
/// hand their results back here; the background work gets copies of plain values only.
class AppState : public QObject {
    Q_OBJECT
public:
    /// `now` gives the current time (the system clock when empty).
    AppState(AppSettings& settings, HistoryStore& history, UpdaterViewModel& updater,
             FileServices& files, SystemServices services, Clock now = {},
             QObject* parent = nullptr);
    /// Waits for work still running, so that no result arrives at a destroyed object.
    ~AppState() override;

    AppSettings& settings() const { return m_settings; }
    HistoryStore& history() const { return m_history; }
    UpdaterViewModel& updater() const { return m_updater; }
    /// Made the first time it is asked for.
    Scheduler& scheduler();

    /// Starts the updater, hands the scheduler its hook and starts it, and counts the
    /// Desktop once. Called once, when the application has started.
    void start();

    bool isWorking() const { return m_isWorking; }
    const QString& statusMessage() const { return m_statusMessage; }
    qint64 pendingCount() const { return m_pendingCount; }
    qint64 pinnedCount() const { return m_pinnedCount; }
    /// Why the Desktop could not be counted (no Desktop, an unreadable one, one inside the
    /// archive); empty when the counts hold.
    const QString& countsProblem() const { return m_countsProblem; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    SettingsTab settingsTab() const { return m_settingsTab; }
    void setSettingsTab(SettingsTab tab);
    /// Items done of items to do while a clean or an undo runs.
    std::pair<std::size_t, std::size_t> progress() const { return m_progress; }

    /// Starts a clean unless a clean or an undo is running.
    void cleanNow(CleanTrigger trigger);
    /// Puts the newest undoable run back, unless a clean or an undo is running.
    void undoLastClean();
    /// Scans the Desktop again in the background; an older scan's result is dropped.
    void refreshCounts();
    /// Whether anyone shows the counts; a command that prints its result and exits does not,
    /// and must not wait at exit for a scan of a Desktop that may hold thousands of items.
    void setCountsShown(bool shown) { m_countsShown = shown; }

    void setLaunchAtLogin(bool enabled);
    /// Lets the user choose the archive folder.
    void chooseDestination();
    /// Shows the archive folder, or its nearest existing parent, in the file manager.
    void revealArchive();
    static QUrl tipURL();
    void openTip();

    /// Brings the work in hand to a safe end: a running clean or undo finishes its current
    /// item and records what it did; then `done` is called. At once when idle.
    void finishWork(std::function<void()> done);

    /// The status line after an undo that put `restored` items back and has `failed` error
    /// lines.
    static QString undoMessage(std::size_t restored, std::size_t failed);

    /// Where the journals of cleans are kept: beside the history.
    std::filesystem::path journalFolder() const;
    /// Where the journal of a running undo is kept.
    std::filesystem::path undoJournalPath() const;

    /// Turns the journals that killed cleans left into their records. Every operation that
    /// changes or shows the history does this first.
    void recoverInterrupted();

signals:
    void isWorkingChanged();
    void statusMessageChanged();
    void countsChanged();
    void launchAtLoginChanged();
    void settingsTabChanged();
    void progressChanged();
    /// Any change of a setting or of the history.
    void changed();
    /// A clean's outcome has been recorded (for callers that wait for it).
    void cleanFinished(const sorvane::CleanOutcome& outcome);
    /// An undo's result has been recorded.
    void undoFinished(const sorvane::UndoResult& result);

private:
    void setWorking(bool working);
    void setStatusMessage(const QString& message);
    void setProgress(std::size_t done, std::size_t total);
    /// Records the outcome; false when its record could not be saved.
    bool cleanEnded(const CleanOutcome& outcome, CleanTrigger trigger,
                    const std::filesystem::path& archive);
    void undoEnded(const Uuid& id, const UndoResult& result);
    /// Renews the archive's bookmark when it no longer names the archive in effect.
    void rememberArchive();
    void notifyAfterScheduledClean(const CleanRecord& record, const std::filesystem::path& archive);
    static QString withSaveFailure(const QString& message, const FileStatus& saved);
    void workEnded();
    void countsArrived(std::uint64_t generation,
                       const std::variant<CleanPreview, CleanError>& examined);
    std::function<void(std::size_t, std::size_t)> progressReporter();

    AppSettings& m_settings;
    HistoryStore& m_history;
    UpdaterViewModel& m_updater;
    FileServices& m_files;
    SystemServices m_services;
    Clock m_now;
    std::unique_ptr<Scheduler> m_scheduler;

    QThreadPool m_workPool;
    QThreadPool m_scanPool;
    std::uint64_t m_scanGeneration = 0;
    bool m_countsShown = true;
    std::atomic<bool> m_stopRequested = false;
    std::function<void()> m_afterWork;

    bool m_isWorking = false;
    QString m_statusMessage;
    qint64 m_pendingCount = 0;
    qint64 m_pinnedCount = 0;
    QString m_countsProblem;
    bool m_launchAtLogin = false;
    SettingsTab m_settingsTab = SettingsTab::general;
    std::pair<std::size_t, std::size_t> m_progress;
};

} // namespace sorvane
