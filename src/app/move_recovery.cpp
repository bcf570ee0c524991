// SPDX-License-Identifier: MIT
#include "app/move_recovery.h"

#include "engine/item_transfer.h"
#include "platform/message_catalogue.h"
#include "platform/normalised_path.h"

#include <algorithm>

namespace sorvane {
namespace {

std::string nameOf(const std::string& path) {
    return std::filesystem::path(path).filename().native();
}

} // namespace

MoveRecovery::MoveRecovery(FileServices& files, const JournalFormat::Contents& contents,
                           CleanRecord& record)
    : m_files(files), m_contents(contents), m_record(record) {}

void MoveRecovery::settle(const JournalFormat::Transfer& transfer) {
    const std::filesystem::path source = transfer.source;
    const std::filesystem::path temporary = transfer.temporary;
    const std::filesystem::path target = transfer.target;
    using State = TransferStep::State;
    switch (transfer.state) {
    case State::copying:
        // The copy was unfinished; only its temporary name can hold any of it.
        if (m_files.fileExists(temporary) && inside(temporary, false, transfer.source))
            m_files.removeItem(temporary);
        return;
    case State::copied:
        // The original is whole; the copy goes, under whichever name it got to.
        for (const auto& copy : {temporary, target})
            if (hasIdentity(copy, transfer.copyIdentity) && inside(copy, false, transfer.source))
                m_files.removeItem(copy);
        return;
    case State::removing:
        if (!hasIdentity(target, transfer.copyIdentity)) {
            m_errors.push_back(
                fillIn(messageText("RecoveryError", "%1: its copy in the archive is no longer "
                                                    "there, so what is left of it stayed on the "
                                                    "Desktop."),
                       {nameOf(transfer.source)}));
            return;
        }
        // The copy is the whole item: it is never removed. Only what the snapshot listed
        // and still finds unchanged goes from the Desktop.
        record(transfer.source, transfer.target);
        if (!m_files.fileExists(source) || !inside(source, true, transfer.source))
            return;
        if (auto removed = m_files.removeSnapshot(source, transfer.snapshot); !removed)
            m_errors.push_back(
                ItemTransfer::leftBehindLine(nameOf(transfer.source), removed.error()));
        return;
    }
}

// A rename either happened or did not, except where a file system without a no-replace
// rename made it a link and an unlink: then both names are one file and the unlink is due.
// A batch announces its moves before the first of them begins, so the target may be free
// of this run's item and hold an earlier run's: a rename keeps the identity the scan saw.
void MoveRecovery::settleRename(const JournalFormat::Intent& intent) {
    const auto& source = intent.source;
    const auto& target = intent.target;
    const bool there = m_files.fileExists(target);
    if (!there)
        return;
    if (!m_files.fileExists(source)) {
        if (!intent.identity || hasIdentity(target, *intent.identity))
            record(source, target);
        return;
    }
    const auto copy = m_files.resourceValues(target);
    if (!copy || !copy->identity || copy->isDirectory.value_or(true) ||
        !hasIdentity(source, *copy->identity) || !inside(source, true, source) ||
        !inside(target, false, source))
        return;
    const auto original = m_files.snapshotItem(source);
    if (original && m_files.removeSnapshot(source, *original))
        record(source, target);
}

bool MoveRecovery::inside(const std::filesystem::path& path, bool desktop,
                          const std::string& source) {
    bool within = false;
    if (m_contents.folders) {
        const auto folder =
            normalisedPath(desktop ? m_contents.folders->first : m_contents.folders->second);
        const auto normal = normalisedPath(path);
        const auto rest = normal.lexically_relative(folder);
        within = !rest.empty() && *rest.begin() != ".." && *rest.begin() != "." &&
                 std::none_of(rest.begin(), rest.end(), [](const auto& p) { return p == ".."; });
    }
    if (!within)
        m_errors.push_back(
            fillIn(messageText("RecoveryError", "%1: \u201C%2\u201D was left alone after the "
                                                "interruption: it lies outside the Desktop and the "
                                                "archive of the clean."),
                   {nameOf(source), path.native()}));
    return within;
}

bool MoveRecovery::hasIdentity(const std::filesystem::path& path, const FileIdentity& identity) {
    return m_files.identity(path) == identity;
}

void MoveRecovery::record(const std::string& source, const std::string& target) {
    m_record.moved.push_back({Uuid::random(), source, target});
}

} // namespace sorvane
