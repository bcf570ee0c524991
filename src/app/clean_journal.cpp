#include "app/clean_journal.h"

#include "app/journal_format.h"
#include "platform/posix_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sorvane {

CleanJournal::CleanJournal(std::filesystem::path path, int fd)
    : m_path(std::move(path)), m_fd(fd) {}

CleanJournal::~CleanJournal() {
    if (m_fd >= 0)
        close(m_fd);
}

FileResult<std::unique_ptr<CleanJournal>> CleanJournal::begin(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return posixError("start the journal", path, errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        close(fd);
        return posixError("lock the journal", path, code);
    }
    std::unique_ptr<CleanJournal> journal(new CleanJournal(path, fd));
    journal->append(JournalFormat::header());
    return journal;
}

void CleanJournal::finish() {
    unlink(m_path.c_str());
    close(m_fd);
    m_fd = -1;
}

bool CleanJournal::append(const std::string& line) {
    // A short write can only come from a full disk; the journal is a safety net, and a
    // rename goes on without it rather than stopping over it.
    std::size_t written = 0;
    while (m_fd >= 0 && written < line.size()) {
        const ssize_t n = write(m_fd, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return m_fd >= 0;
}

void CleanJournal::foldersChosen(const std::filesystem::path& desktop,
                                 const std::filesystem::path& archive) {
    append(JournalFormat::folders(desktop, archive));
}

bool CleanJournal::transferStepped(const TransferStep& step) {
    return append(JournalFormat::step(step)) && fdatasync(m_fd) == 0;
}

void CleanJournal::cleanStarted(const CleanRecord& header, std::size_t) {
    append(JournalFormat::start(header));
}

void CleanJournal::itemWillMove(const std::filesystem::path& source,
                                const std::filesystem::path& target) {
    append(JournalFormat::intent(source, target));
}

void CleanJournal::itemMoved(const MovedFile& item) {
    append(JournalFormat::moved(item));
}

void CleanJournal::errorAdded(const std::string& line) {
    append(JournalFormat::error(line));
}

} // namespace sorvane
