#include "app/interrupted_clean.h"

#include "app/journal_format.h"
#include "app/move_recovery.h"
#include "history/history_store.h"
#include "platform/durable_file.h"

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
    std::map<std::string, std::string> lastTarget;
    std::vector<std::string> order;
    for (const auto& [source, target] : contents.intents) {
        if (!lastTarget.contains(source))
            order.push_back(source);
        lastTarget[source] = target;
    }
    MoveRecovery recovery(files, contents, record);
    for (const auto& source : order) {
        const auto& target = lastTarget[source];
        const auto written =
            std::find_if(contents.moved.begin(), contents.moved.end(), [&](const MovedFile& item) {
                return item.originalPath == source && item.newPath == target;
            });
        const auto transfer = std::find_if(contents.transfers.begin(), contents.transfers.end(),
                                           [&](const auto& t) { return t.source == source; });
        if (written != contents.moved.end())
            record.moved.push_back(*written);
        else if (transfer != contents.transfers.end() && transfer->target == target)
            recovery.settle(*transfer);
        else
            recovery.settleRename(source, target);
    }
    record.errors = contents.errors;
    record.errors.insert(record.errors.end(), recovery.errors().begin(), recovery.errors().end());
    record.errors.push_back(stoppedLine);
    return record;
}

bool InterruptedClean::recoverInto(HistoryStore& history, const std::filesystem::path& journal,
                                   FileServices& files) {
    if (!isLeftOver(journal))
        return false;
    const auto record = readLeftover(journal, files);
    const auto& kept = history.records();
    const bool add = record && std::none_of(kept.begin(), kept.end(), [&](const CleanRecord& r) {
                         return r.id == record->id;
                     });
    if (add)
        history.add(*record);
    unlink(journal.c_str());
    return add;
}

} // namespace sorvane
