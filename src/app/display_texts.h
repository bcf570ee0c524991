// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"
#include "record/clean_record.h"
#include "record/run_summary.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <filesystem>

namespace sorvane {

/// The short texts that the panel, the History tab and the command line show alike.
class DisplayTexts {
    Q_DECLARE_TR_FUNCTIONS(DisplayTexts)

public:
    /// "Your desktop is already clear", "1 item waiting on your desktop", "12 items …".
    static QString headline(qint64 pendingCount);
    /// "1 tagged file stays put", "3 tagged files stay put".
    static QString taggedLine(qint64 pinnedCount);
    /// "Files go to Desktop Archive".
    static QString archiveLine(const std::filesystem::path& archive);
    /// "1 item", "4 items".
    static QString items(std::size_t count);
    /// "3 items moved, 1 left in place, 2 failed"; "Nothing to move" for an empty run.
    static QString summary(const RunSummary& run);
    /// "Manual" or "Scheduled".
    static QString triggerWord(CleanTrigger trigger);
    /// A run's date as an abbreviated date with a short time in the user's formatting locale,
    /// as ICU writes it ("Mar 7, 2025, 9:15 AM" in American English), with the month's name
    /// in the program's language.
    static QString runDate(Timestamp date);
    /// A file name for display; bytes that are not UTF-8 show as U+FFFD.
    static QString fileName(const std::filesystem::path& path);
};

} // namespace sorvane
