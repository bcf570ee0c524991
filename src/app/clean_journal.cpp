// SPDX-License-Identifier: MIT
#include "app/clean_journal.h"

#include "app/journal_format.h"
#include "platform/durable_file.h"
#include "platform/posix_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace sorvane {

CleanJournal::CleanJournal(std::filesystem::path path, int fd)
    : m_path(std::move(path)), m_fd(fd) {}

CleanJournal::~CleanJournal() {
    close();
}

namespace {

constexpr std::string_view namePrefix = "clean-";
constexpr std::string_view nameSuffix = ".journal";

} // namespace

bool CleanJournal::isJournalName(const std::string& name) {
    return name.size() > namePrefix.size() + nameSuffix.size() && name.starts_with(namePrefix) &&
           name.ends_with(nameSuffix);
}

FileResult<std::unique_ptr<CleanJournal>> CleanJournal::begin(const std::filesystem::path& folder) {
    DurableFile::makeFolder(folder);
    const auto path =
        folder / (std::string(namePrefix) + Uuid::random().toString() + std::string(nameSuffix));
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return posixError("start the journal", path, errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        return posixError("lock the journal", path, code);
    }
    std::unique_ptr<CleanJournal> journal(new CleanJournal(path, fd));
    journal->append(JournalFormat::header());
    if (journal->m_failure) {
        const FileError failure = *journal->m_failure;
        journal->finish();
        return failure;
    }
    return journal;
}

void CleanJournal::finish() {
    m_held.clear();
    unlink(m_path.c_str());
    close();
}

void CleanJournal::close() {
    if (!m_held.empty())
        append({});
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

bool CleanJournal::append(const std::string& line) {
    // A line cut short would be passed over when the journal is read back; the run stops
    // at the next item instead of moving things the journal does not cover.
    std::string text = std::exchange(m_held, {}) + line;
    std::size_t written = 0;
    while (m_fd >= 0 && !m_failure && written < text.size()) {
        const ssize_t n = write(m_fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failure = posixError("write the journal", m_path, n < 0 ? errno : ENOSPC);
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return m_fd >= 0 && !m_failure;
}

void CleanJournal::foldersChosen(const std::filesystem::path& desktop,
                                 const std::filesystem::path& archive) {
    append(JournalFormat::folders(desktop, archive));
}

bool CleanJournal::appendDurably(const std::string& line) {
    if (!append(line))
        return false;
    // The line must be on the disk before the file system changes that it announces.
    if (fdatasync(m_fd) != 0) {
        m_failure = posixError("write the journal", m_path, errno);
        return false;
    }
    return true;
}

bool CleanJournal::transfersStepped(std::span<const TransferStep> steps) {
    std::string lines;
    for (const auto& step : steps)
        lines += JournalFormat::step(step);
    return appendDurably(lines);
}

void CleanJournal::movesPlanned(const std::vector<PlannedMove>& moves) {
    m_planned.clear();
    m_planned.reserve(moves.size());
    std::string lines;
    for (const auto& move : moves) {
        JournalFormat::appendIntent(lines, move.source, move.target, move.identity);
        if (move.identity)
            m_planned.emplace(move.source.native(), *move.identity);
    }
    appendDurably(lines);
}

void CleanJournal::cleanStarted(const CleanRecord& header, std::size_t) {
    append(JournalFormat::start(header));
}

void CleanJournal::scanFinished(const CleanRecord& header, std::size_t) {
    m_held += JournalFormat::start(header);
}

void CleanJournal::itemWillMove(const std::filesystem::path& source,
                                const std::filesystem::path& target) {
    const auto planned = m_planned.find(source.native());
    appendDurably(JournalFormat::intent(source, target,
                                        planned != m_planned.end() ? std::optional(planned->second)
                                                                   : std::nullopt));
}

void CleanJournal::itemMoved(const MovedFile& item) {
    JournalFormat::appendMoved(m_held, item);
}

void CleanJournal::errorAdded(const std::string& line) {
    append(JournalFormat::error(line));
}

} // namespace sorvane
