// SPDX-License-Identifier: MIT
#include "engine/clean_run.h"

#include "engine/batch_size.h"
#include "engine/grouping_date.h"
#include "engine/path_rules.h"
#include "platform/folder_bookmark.h"
#include "platform/message_catalogue.h"
#include "platform/user_locale.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace sorvane {
namespace {

constexpr int failuresInARowThatStop = 25;

} // namespace

CleanRun::CleanRun(FileServices& files, DesktopScan::Clock now, const CleanOptions& options,
                   CleanTrigger trigger, CleanObserver* observer)
    : m_files(files), m_now(std::move(now)), m_options(options), m_trigger(trigger),
      m_observer(observer), m_root(PathRules::standardized(options.destination)),
      m_transfer(files, m_now), m_copies(files, m_transfer) {}

CleanResult CleanRun::run() {
    const auto desktop = m_files.desktopDirectory();
    if (!desktop)
        return CleanError::noDesktop();
    if (auto problem = DesktopScan::placeProblem(*desktop, m_options))
        return *problem;
    m_desktop = *desktop;
    if (auto error = openRoot())
        return *error;
    // Before the scan begins: its calendar and the dated folders' names read the time zone.
    UserLocale::refreshTimeZone();
    // A Desktop that exists but cannot be read is a failure, not "Nothing to move".
    auto scan = DesktopScan(m_files, m_now).start(m_desktop, m_options);
    if (!scan)
        return CleanError::desktopUnreadable();

    const ArchiveFolderNamer namer(UserLocale::formattingLocale());
    m_record.id = Uuid::random();
    m_record.date = m_now();
    m_record.trigger = m_trigger;
    moveAll(*scan.value(), namer);
    // A run is made for one call: its record goes to the caller whole, not copied.
    return std::move(m_record);
}

void CleanRun::moveAll(ScanAhead& scan, const ArchiveFolderNamer& namer) {
    // Most Desktops are read whole by the time their first batch is; a larger one goes on
    // being read while its first batches move.
    auto batch = scan.next(batchSizeAt(0));
    bool announced = scan.finished();
    countSkipped(scan.skipped());
    if (m_observer) {
        m_observer->foldersChosen(m_desktop, m_root);
        m_observer->cleanStarted(m_record, scan.mostEligible());
    }
    auto announceWhenRead = [&] {
        if (announced || !scan.finished())
            return;
        announced = true;
        countSkipped(scan.skipped());
        if (m_observer)
            m_observer->scanFinished(m_record, scan.mostEligible());
    };
    // The journal hears a whole batch in one write before any of it moves: one flush per
    // batch instead of one per item.
    for (std::size_t start = 0; !batch.empty() && moveBatch(batch, namer);) {
        start += batch.size();
        batch = scan.next(batchSizeAt(start));
        announceWhenRead();
    }
    // A run that stopped early still counts every item of the Desktop that stays.
    scan.waitUntilRead();
    announceWhenRead();
}

bool CleanRun::moveBatch(std::span<DirectoryEntry> items, const ArchiveFolderNamer& namer) {
    const auto batch = plan(items, namer);
    if (m_observer)
        m_observer->movesPlanned(batch);
    for (const auto& planned : batch) {
        if (m_observer && m_observer->shouldStop()) {
            // The queued copies have not begun: their items stay untouched.
            m_copies.clear();
            addError(stoppedByRequestLine());
            return false;
        }
        if (!moveItem(planned)) {
            m_copies.clear();
            return false;
        }
    }
    return finishCopies();
}

void CleanRun::countSkipped(std::int64_t scanSkipped) {
    m_record.skippedCount += scanSkipped - std::exchange(m_scanSkipped, scanSkipped);
}

std::vector<PlannedMove> CleanRun::plan(std::span<DirectoryEntry> items,
                                        const ArchiveFolderNamer& namer) const {
    std::vector<PlannedMove> batch;
    batch.reserve(items.size());
    // Items of a batch mostly share their dated folder: its path is made once for them. The
    // targets are made from text and the sources taken over, not copied: a path object of
    // many parts costs more than a rename's own work in user space.
    std::string folderName;
    std::string folder;
    for (auto& item : items) {
        // The dates the scan read: reading them again would cost as much as the scan itself.
        const auto date = groupingDate(item.values, m_options.dateBasis, m_record.date);
        if (auto name = namer.name(date, m_options.grouping);
            folder.empty() || name != folderName) {
            folder = (m_root / name).native() + '/';
            folderName = std::move(name);
        }
        std::filesystem::path target = folder + std::string(PathRules::lastComponent(item.path));
        batch.push_back({std::move(item.path), std::move(target),
                         item.values ? item.values->identity : std::nullopt});
    }
    return batch;
}

bool CleanRun::moveItem(const PlannedMove& planned) {
    const auto& item = planned.source;
    if (auto made = makeFolderOf(planned.target); !made)
        return failItem(item, made.error());
    TransferListener listener;
    listener.batch = &m_copies;
    if (m_observer)
        listener.willMove = [&](const std::filesystem::path&, const std::filesystem::path& target) {
            if (target.native() == planned.target.native())
                return true;
            // A journal that could not take the new target asks the run to stop.
            m_observer->itemWillMove(item, target);
            return !m_observer->shouldStop();
        };
    const auto queued = m_copies.size();
    const auto target = m_transfer.transferToFreeName(item, planned.target, listener);
    // A copy across file systems is settled with its batch.
    return m_copies.size() != queued || settle(item, target, std::nullopt);
}

bool CleanRun::finishCopies() {
    if (m_copies.size() == 0)
        return true;
    bool carryOn = true;
    TransferListener listener;
    listener.leaveBusyItems = true;
    // A run stopped by its failures copies no more, as one asked to stop.
    listener.cancelled = [&] {
        return !carryOn || (m_observer && m_observer->shouldStop());
    };
    if (m_observer) {
        listener.willMove = [&](const std::filesystem::path& item,
                                const std::filesystem::path& target) {
            m_observer->itemWillMove(item, target);
            return !m_observer->shouldStop();
        };
        listener.stepped = [&](std::span<const TransferStep> steps) {
            return m_observer->transfersStepped(steps);
        };
    }
    m_copies.complete(listener, [&](const CopyBatch::Outcome& outcome) {
        // What moved is recorded even once the run must stop.
        if (outcome.target || carryOn)
            carryOn = settle(outcome.source, outcome.target, outcome.leftBehind) && carryOn;
    });
    return carryOn;
}

bool CleanRun::settle(const std::filesystem::path& item,
                      const FileResult<std::filesystem::path>& target,
                      const std::optional<FileError>& leftBehind) {
    if (!target && target.error().code == ItemTransfer::busyCode) {
        // Still being written: not a failure, it waits for the next run.
        ++m_record.skippedCount;
        return true;
    }
    if (!target && target.error().code == ECANCELED) {
        addError(stoppedByRequestLine());
        return false;
    }
    if (!target) {
        // An archive that vanished under the run is what is missing, not the item.
        if (target.error().code == ENOENT && !rootIsThere())
            return failItem(item, rootAwayError());
        return failItem(item, target.error());
    }

    MovedFile file{Uuid::random(), item.native(), target->native()};
    if (m_observer)
        m_observer->itemMoved(file);
    m_record.moved.push_back(std::move(file));
    if (leftBehind)
        addError(ItemTransfer::leftBehindLine(item.filename().native(), *leftBehind));
    m_consecutiveFailures = 0;
    return true;
}

std::optional<CleanError> CleanRun::openRoot() {
    if (m_files.fileExists(m_root)) {
        if (!m_files.createDirectory(m_root))
            return CleanError::destinationUnavailable(m_root.native());
    } else {
        // Never its parents: a missing parent is a drive that is away or a folder the user
        // removed, and making them would file everything on the wrong disk.
        const auto parent = m_files.identityFollowingLinks(m_root.parent_path());
        const auto device = m_options.destinationBookmark
                                ? FolderBookmark::device(*m_options.destinationBookmark)
                                : std::nullopt;
        if (!parent || (device && *device != parent->device))
            return CleanError::destinationAway(m_root.native());
        if (!m_files.createFolder(m_root, m_desktop))
            return CleanError::destinationUnavailable(m_root.native());
    }
    m_rootIdentity = m_files.identityFollowingLinks(m_root);
    if (!m_rootIdentity)
        return CleanError::destinationUnavailable(m_root.native());
    return std::nullopt;
}

FileStatus CleanRun::makeFolderOf(const std::filesystem::path& item) {
    // Looked up by its text, as a path's comparison walks its parts one by one.
    const auto folder = std::string_view(item.native()).substr(0, item.native().rfind('/'));
    if (m_madeFolders.contains(folder))
        return {};
    // Only inside the very root the run opened: where an unplugged drive was mounted, a new
    // folder would land on the internal disk and be hidden when the drive comes back.
    if (!rootIsThere())
        return rootAwayError();
    auto made = m_files.createFolder(std::filesystem::path(folder), m_desktop);
    if (made)
        m_madeFolders.emplace(folder);
    return made;
}

bool CleanRun::rootIsThere() {
    const bool there = m_files.identityFollowingLinks(m_root) == m_rootIdentity;
    if (!there)
        m_madeFolders.clear();
    return there;
}

std::string CleanRun::stoppedByRequestLine() {
    return messageText("CleanError", "Stopped: Sorvane was quit before the clean finished.");
}

FileError CleanRun::rootAwayError() const {
    return FileError{
        ENOENT, fillIn(messageText("CleanError",
                                   "The archive folder \u201C%1\u201D is no longer available."),
                       {m_root.filename().native()})};
}

bool CleanRun::failItem(const std::filesystem::path& item, const FileError& error) {
    addError(item.filename().native() + ": " + error.description());
    const int failuresBefore = m_consecutiveFailures++;
    if (failuresBefore < 2)
        return true;
    if (!rootIsThere()) {
        addError(fillIn(messageText("CleanError", "Stopped: %1 is no longer available."),
                        {m_root.filename().native()}));
        return false;
    }
    if (m_consecutiveFailures >= failuresInARowThatStop) {
        addError(messageText("CleanError", "Stopped after 25 failures in a row."));
        return false;
    }
    return true;
}

void CleanRun::addError(const std::string& line) {
    if (m_observer)
        m_observer->errorAdded(line);
    m_record.errors.push_back(line);
}

} // namespace sorvane
