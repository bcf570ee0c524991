// SPDX-License-Identifier: MIT
#include "app/interrupted_clean.h"

#include "app/clean_journal.h"
#include "app/journal_format.h"
#include "app/move_recovery.h"
#include "history/history_store.h"
#include "platform/durable_file.h"
#include "platform/log_categories.h"

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace sorvane {
bool InterruptedClean::isLeftOver(const std::filesystem::path& journal) {
    const int fd = open(journal.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return free;
}

std::optional<CleanRecord> InterruptedClean::readLeftover(const std::filesystem::path& journal,
                                                          FileServices& files) {
    const auto text = DurableFile::read(journal);
    if (!text)
        return std::nullopt;
    const auto contents = JournalFormat::parse(*text);
    if (!contents.header)
        return std::nullopt;

    CleanRecord record = *contents.header;
    // Only the last move announced for an item can have happened: an earlier one found its
    // name taken and gave way to a numbered name.
    std::map<std::string, JournalFormat::Intent> last;
    std::vector<std::string> order;
    for (const auto& intent : contents.intents) {
        if (!last.contains(intent.source))
            order.push_back(intent.source);
        last[intent.source] = intent;
    }
    MoveRecovery recovery(files, contents, record);
    for (const auto& source : order) {
        const auto& intent = last[source];
        const auto& target = intent.target;
        const auto written =
            std::find_if(contents.moved.begin(), contents.moved.end(), [&](const MovedFile& item) {
                return item.originalPath == source && item.newPath == target;
            });
        const auto transfer = std::find_if(contents.transfers.begin(), contents.transfers.end(),
                                           [&](const auto& t) { return t.source == source; });
        if (written != contents.moved.end())
            record.moved.push_back(*written);
        // A copy not yet past `copied` is found by its own identity whatever its target: one
        // whose name was taken went on to another, told as a new intent first.
        else if (transfer != contents.transfers.end() &&
                 (transfer->target == target || transfer->state != TransferStep::State::removing))
            recovery.settle(*transfer);
        else
            recovery.settleRename(intent);
    }
    record.errors = contents.errors;
    record.errors.insert(record.errors.end(), recovery.errors().begin(), recovery.errors().end());
    record.errors.push_back(stoppedLine);
    return record;
}

std::vector<std::filesystem::path>
InterruptedClean::leftovers(const std::filesystem::path& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code ignored;
        if (CleanJournal::isJournalName(entry.path().filename().string()) &&
            entry.is_regular_file(ignored) && isLeftOver(entry.path()))
            found.emplace_back(entry.last_write_time(ignored), entry.path());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::filesystem::path> paths;
    for (auto& [time, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

bool InterruptedClean::recoverInto(HistoryStore& history, const std::filesystem::path& journal,
                                   FileServices& files) {
    if (!isLeftOver(journal))
        return false;
    // What counts is the file, not this process's memory: a record whose save failed lives
    // only in memory, and its journal is all that still covers it.
    const auto record = readLeftover(journal, files);
    bool added = false;
    if (record && !history.isStored(record->id)) {
        if (const FileStatus saved = history.add(*record); !saved) {
            qCWarning(logClean) << "An interrupted clean stays in" << journal.c_str()
                                << "as the history could not be saved:"
                                << saved.error().description().c_str();
            return false;
        }
        added = true;
    }
    unlink(journal.c_str());
    return added;
}

void InterruptedClean::recoverLeftovers(HistoryStore& history, FileServices& files) {
    history.refresh();
    for (const auto& journal : leftovers(history.fileURL().parent_path()))
        recoverInto(history, journal, files);
}

} // namespace sorvane
