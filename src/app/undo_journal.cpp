// SPDX-License-Identifier: MIT
#include "app/undo_journal.h"

#include "history/history_store.h"
#include "platform/log_categories.h"
#include "record/base64.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>
#include <utility>

namespace sorvane {
namespace {

constexpr std::string_view headerWord = "sorvane-undo-1";

struct Intent {
    std::filesystem::path target;
    std::string archivedIdentity;
    std::string placedIdentity;
    // The last state of a move back across file systems, if it was one.
    std::string step;
    std::string copyIdentity;
    std::filesystem::path temporary;
};

struct Reservation {
    std::filesystem::path infoFile;
    std::string identity;
};

struct Leftover {
    std::optional<Uuid> record;
    std::map<Uuid, Intent> intents;
    std::vector<Reservation> reservations;
};

// Lines: "sorvane-undo-1 <record>", "will <item> <archived identity> <target, base64>",
// "done <item> <placed identity>",
// "step <item> <copying|copied|removing> <copy identity> <temporary, base64>", "trash <info file
// identity> <info file, base64>". Identities are "<device>:<inode>", or "-" when unknown.
Leftover read(const std::filesystem::path& path) {
    Leftover leftover;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string kind, id, identity, target;
        words >> kind >> id >> identity >> target;
        if (kind == headerWord) {
            leftover.record = Uuid::fromString(id);
            continue;
        }
        if (kind == "trash") {
            if (auto decoded = Base64::decode(identity))
                leftover.reservations.push_back({*decoded, id});
            continue;
        }
        const auto item = Uuid::fromString(id);
        if (!item)
            continue;
        if (kind == "will") {
            // A copy made for an earlier target stays known: one whose name was taken goes
            // on to another, announced first, and is found by its own identity.
            if (auto decoded = Base64::decode(target)) {
                auto& intent = leftover.intents[*item];
                intent.target = *decoded;
                intent.archivedIdentity = identity;
                intent.placedIdentity.clear();
            }
        } else if (kind == "done" && leftover.intents.contains(*item)) {
            leftover.intents[*item].placedIdentity = identity;
        } else if (kind == "step" && leftover.intents.contains(*item)) {
            std::string temporary;
            words >> temporary;
            auto& intent = leftover.intents[*item];
            intent.step = identity;
            intent.copyIdentity = target;
            intent.temporary = Base64::decode(temporary).value_or(std::string());
        }
    }
    return leftover;
}

std::string identityText(const FileIdentity& identity) {
    return std::to_string(identity.device) + ":" + std::to_string(identity.inode);
}

std::string identityTextOf(FileServices& files, const std::filesystem::path& path) {
    const auto identity = files.identity(path);
    return identity ? identityText(*identity) : "-";
}

// An info file whose item never reached files/ lists nothing; only the very file this undo
// wrote goes, never one that merely looks orphaned.
// A copy made for a move back that never came to its end goes; the archived item is whole.
// Only the temporary the journal names, beside the target, or a copy with the identity it
// noted.
void removeUnfinishedCopy(const Intent& intent, FileServices& files) {
    if (intent.step == "copying" && intent.temporary.parent_path() == intent.target.parent_path() &&
        intent.temporary.filename().native().starts_with(".sorvane-copy-"))
        static_cast<void>(files.removeItem(intent.temporary));
    if (intent.step != "copied")
        return;
    for (const auto& copy : {intent.temporary, intent.target})
        if (identityTextOf(files, copy) == intent.copyIdentity)
            static_cast<void>(files.removeItem(copy));
}

void removeOrphanedInfo(const Reservation& reservation, FileServices& files) {
    const auto item = TrashReservation{reservation.infoFile, {}}.trashedItem();
    if (item.empty() || files.fileExists(item) ||
        identityTextOf(files, reservation.infoFile) != reservation.identity)
        return;
    static_cast<void>(files.removeItem(reservation.infoFile));
}

// A rename keeps the inode, so a target holding the archived item itself, with the archived
// name gone, is an item put back before the kill could write so.
bool provenRestored(const Intent& intent, const MovedFile& item, FileServices& files) {
    const std::string atTarget = identityTextOf(files, intent.target);
    if (atTarget == "-")
        return false;
    if (!intent.placedIdentity.empty())
        return atTarget == intent.placedIdentity;
    // The copy had its name and was whole: the item is back, whatever of the archived one
    // its removal had not reached yet.
    if (intent.step == "removing")
        return atTarget == intent.copyIdentity;
    return atTarget == intent.archivedIdentity && !files.fileExists(item.newPath);
}

} // namespace

UndoJournal::UndoJournal(std::filesystem::path path, int fd, FileServices& files,
                         UndoObserver& next)
    : m_path(std::move(path)), m_fd(fd), m_files(files), m_next(next) {}

UndoJournal::~UndoJournal() {
    if (!m_held.empty())
        append({});
    if (m_fd >= 0)
        close(m_fd);
}

std::unique_ptr<UndoJournal> UndoJournal::begin(const std::filesystem::path& path,
                                                const CleanRecord& record, FileServices& files,
                                                UndoObserver& next) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<UndoJournal> journal(new UndoJournal(path, fd, files, next));
    journal->append(std::string(headerWord) + " " + record.id.toString() + "\n");
    return journal;
}

void UndoJournal::finish() {
    m_held.clear();
    unlink(m_path.c_str());
    close(m_fd);
    m_fd = -1;
}

void UndoJournal::recoverInto(HistoryStore& history, const std::filesystem::path& path,
                              FileServices& files) {
    if (!files.fileExists(path))
        return;
    const Leftover leftover = read(path);
    for (const auto& reservation : leftover.reservations)
        removeOrphanedInfo(reservation, files);
    for (const auto& [item, intent] : leftover.intents)
        removeUnfinishedCopy(intent, files);
    const auto record = leftover.record ? history.record(*leftover.record) : std::nullopt;
    if (record && !record->undone) {
        std::vector<MovedFile> remaining;
        for (const auto& item : record->moved) {
            const auto intent = leftover.intents.find(item.id);
            if (intent == leftover.intents.end() || !provenRestored(intent->second, item, files))
                remaining.push_back(item);
        }
        const Uuid id = record->id;
        FileStatus saved;
        if (remaining.empty())
            saved = history.markUndone(id);
        else if (remaining.size() < record->moved.size())
            saved = history.recordPartialUndo(id, std::move(remaining));
        if (!saved)
            qCWarning(logClean) << "An interrupted undo is not in the saved history:"
                                << saved.error().description().c_str();
    }
    unlink(path.c_str());
}

void UndoJournal::undoProgressed(std::size_t done, std::size_t total) {
    m_next.undoProgressed(done, total);
}

bool UndoJournal::shouldStop() {
    return m_next.shouldStop();
}

UndoJournal::Planned* UndoJournal::plannedOf(const MovedFile& item) {
    for (std::size_t n = 0; n < m_planned.size(); ++n) {
        const std::size_t at = (m_lastFound + n) % m_planned.size();
        if (m_planned[at].item == item.id) {
            m_lastFound = at;
            return &m_planned[at];
        }
    }
    return nullptr;
}

std::string UndoJournal::willLine(const MovedFile& item, const std::string& target,
                                  std::string identity) {
    std::string line = "will " + item.id.toString() + " " + identity + " ";
    Base64::appendEncoded(line, target);
    line += '\n';
    if (Planned* planned = plannedOf(item))
        planned->identity = std::move(identity);
    return line;
}

void UndoJournal::restoresPlanned(std::span<const MovedFile> items,
                                  std::span<const std::optional<FileIdentity>> identities) {
    m_planned.clear();
    m_lastFound = 0;
    for (const auto& item : items)
        m_planned.push_back({item.id, {}, false});
    std::string lines;
    for (std::size_t i = 0; i < items.size(); ++i)
        lines +=
            willLine(items[i], items[i].originalPath,
                     i < identities.size() && identities[i] ? identityText(*identities[i]) : "-");
    if (append(lines))
        fdatasync(m_fd);
}

void UndoJournal::itemWillRestore(const MovedFile& item, const std::filesystem::path& target) {
    append(willLine(item, target.native(), identityTextOf(m_files, item.newPath)));
}

void UndoJournal::itemRestored(const MovedFile& item, const std::filesystem::path& target) {
    const Planned* planned = plannedOf(item);
    const bool renamed = planned && !planned->copied && planned->identity != "-";
    m_held += "done " + item.id.toString() + " " +
              (renamed ? planned->identity : identityTextOf(m_files, target)) + "\n";
}

bool UndoJournal::trashReserved(const TrashReservation& reservation) {
    // Durable, as the info file is: after a power loss too, the journal must know it.
    return append("trash " + identityText(reservation.identity) + " " +
                  Base64::encode(reservation.infoFile.native()) + "\n") &&
           fdatasync(m_fd) == 0;
}

bool UndoJournal::restoresStepped(std::span<const MovedFile* const> items,
                                  std::span<const TransferStep> steps) {
    static constexpr const char* words[] = {"copying", "copied", "removing"};
    std::string lines;
    for (std::size_t i = 0; i < items.size() && i < steps.size(); ++i) {
        const auto& step = steps[i];
        if (Planned* planned = plannedOf(*items[i]))
            planned->copied = true;
        const bool known = step.state != TransferStep::State::copying;
        lines += "step " + items[i]->id.toString() + " " + words[static_cast<int>(step.state)] +
                 " " + (known ? identityText(step.copyIdentity) : std::string("-")) + " " +
                 Base64::encode(step.temporary.native()) + "\n";
    }
    // After a power cut too, a copy whose original may have gone must not count as one to
    // remove.
    return append(lines) && fdatasync(m_fd) == 0;
}

bool UndoJournal::append(const std::string& lines) {
    // The lines reach the kernel before the moves they announce, so a killed process loses
    // none of those. A line that cannot be written leaves the item to count as not restored,
    // which loses nothing.
    const std::string text = std::exchange(m_held, {}) + lines;
    std::size_t written = 0;
    while (m_fd >= 0 && written < text.size()) {
        const ssize_t n = write(m_fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return m_fd >= 0;
}

} // namespace sorvane
