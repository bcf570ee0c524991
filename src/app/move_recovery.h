// SPDX-License-Identifier: MIT
#pragma once

#include "app/journal_format.h"
#include "platform/file_services.h"
#include "record/clean_record.h"

#include <filesystem>
#include <string>

namespace sorvane {

/// Settles the moves a killed clean left half-done, each by the last state its journal
/// recorded. It removes nothing the journal does not name, a copy only when its identity
/// still matches, and nothing outside the Desktop and the archive the journal's header
/// names; whatever it leaves behind it names in an error line.
class MoveRecovery {
public:
    MoveRecovery(FileServices& files, const JournalFormat::Contents& contents, CleanRecord& record);

    /// A move across file systems that reached `transfer.state`.
    void settle(const JournalFormat::Transfer& transfer);
    /// A rename announced in `intent` whose outcome was not written down.
    void settleRename(const JournalFormat::Intent& intent);

    /// The lines to add to the record's errors.
    const std::vector<std::string>& errors() const { return m_errors; }

private:
    bool inside(const std::filesystem::path& path, bool desktop, const std::string& source);
    bool hasIdentity(const std::filesystem::path& path, const FileIdentity& identity);
    void record(const std::string& source, const std::string& target);

    FileServices& m_files;
    const JournalFormat::Contents& m_contents;
    CleanRecord& m_record;
    std::vector<std::string> m_errors;
};

} // namespace sorvane
