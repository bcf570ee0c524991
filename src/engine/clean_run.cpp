#include "engine/clean_run.h"

#include "engine/desktop_cleaner.h"
#include "engine/path_rules.h"
#include "platform/user_locale.h"

#include <cerrno>

namespace sorvane {
namespace {

constexpr int failuresInARowThatStop = 25;
constexpr const char* stoppedByRequestLine = "Stopped: Sorvane was quit before the clean finished.";

} // namespace

CleanRun::CleanRun(const DesktopCleaner& cleaner, FileServices& files, const CleanOptions& options,
                   CleanTrigger trigger, CleanObserver* observer)
    : m_cleaner(cleaner), m_files(files), m_options(options), m_trigger(trigger),
      m_observer(observer), m_root(PathRules::standardized(options.destination)),
      m_transfer(files, [&cleaner] { return cleaner.now(); }) {}

CleanResult CleanRun::run() {
    const auto desktop = m_files.desktopDirectory();
    if (!desktop)
        return CleanError::noDesktop();
    const bool granted = m_files.startAccessingSecurityScopedResource(m_options.destination);
    auto result = runWithAccess(*desktop);
    if (granted)
        m_files.stopAccessingSecurityScopedResource(m_options.destination);
    return result;
}

CleanResult CleanRun::runWithAccess(const std::filesystem::path& desktop) {
    if (!m_files.createDirectory(m_root))
        return CleanError::destinationUnavailable(m_root.native());
    // A Desktop that exists but cannot be read is a failure, not "Nothing to move".
    auto scanned = m_cleaner.scan(desktop, m_options);
    if (!scanned)
        return CleanError::desktopUnreadable();
    const auto& preview = scanned.value();

    UserLocale::refreshTimeZone();
    const ArchiveFolderNamer namer(UserLocale::formattingLocale());
    m_record.id = Uuid::random();
    m_record.date = m_cleaner.now();
    m_record.trigger = m_trigger;
    m_record.skippedCount = preview.skipped;
    if (m_observer) {
        m_observer->foldersChosen(desktop, m_root);
        m_observer->cleanStarted(m_record, preview.eligible.size());
    }

    for (const auto& item : preview.eligible) {
        if (m_observer && m_observer->shouldStop()) {
            addError(stoppedByRequestLine);
            break;
        }
        if (!moveItem(item, namer))
            break;
    }
    return m_record;
}

bool CleanRun::moveItem(const std::filesystem::path& item, const ArchiveFolderNamer& namer) {
    const auto date = m_cleaner.groupingDate(item, m_options.dateBasis, m_record.date);
    const auto folder = m_root / namer.name(date, m_options.grouping);
    if (auto made = makeFolder(folder); !made)
        return failItem(item, made.error());
    const auto name = item.filename().native();
    std::optional<std::string> leftover;
    TransferListener listener;
    listener.leaveBusyItems = true;
    listener.leftBehind = [&](const FileError& error) {
        leftover = ItemTransfer::leftBehindLine(name, error);
    };
    if (m_observer) {
        listener.willMove = [&](const std::filesystem::path& target) {
            m_observer->itemWillMove(item, target);
        };
        listener.stepped = [&](const TransferStep& step) {
            return m_observer->transferStepped(step);
        };
        listener.cancelled = [&] {
            return m_observer->shouldStop();
        };
    }
    const auto target = m_transfer.transferToFreeName(item, folder, name, listener);
    if (!target && target.error().code == ItemTransfer::busyCode) {
        // Still being written: not a failure, it waits for the next run.
        ++m_record.skippedCount;
        return true;
    }
    if (!target && target.error().code == ECANCELED) {
        addError(stoppedByRequestLine);
        return false;
    }
    if (!target)
        return failItem(item, target.error());

    MovedFile file{Uuid::random(), item.native(), target->native()};
    if (m_observer)
        m_observer->itemMoved(file);
    m_record.moved.push_back(std::move(file));
    if (leftover)
        addError(*leftover);
    m_consecutiveFailures = 0;
    return true;
}

FileStatus CleanRun::makeFolder(const std::filesystem::path& folder) {
    if (m_madeFolders.contains(folder))
        return {};
    // Creating the sub-folder with its parents would quietly make a new, empty archive on the
    // internal disk where an unplugged drive used to be mounted.
    if (!m_files.fileExists(m_root))
        return FileError{ENOENT, "The archive folder \u201C" + m_root.filename().native() +
                                     "\u201D is no longer available."};
    auto made = m_files.createDirectory(folder);
    if (made)
        m_madeFolders.insert(folder);
    return made;
}

bool CleanRun::failItem(const std::filesystem::path& item, const FileError& error) {
    addError(item.filename().native() + ": " + error.description());
    const int failuresBefore = m_consecutiveFailures++;
    if (failuresBefore < 2)
        return true;
    if (!m_files.fileExists(m_root)) {
        addError("Stopped: " + m_root.filename().native() + " is no longer available.");
        return false;
    }
    if (m_consecutiveFailures >= failuresInARowThatStop) {
        addError("Stopped after 25 failures in a row.");
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
