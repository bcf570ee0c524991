// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

namespace sorvane {

/// What one update check found out.
struct UpdateCheckResult {
    enum class Outcome { upToDate, updateAvailable, failed };

    Outcome outcome = Outcome::failed;
    /// Asked for by the user, not one of the daily automatic checks.
    bool userInitiated = false;
    QString installedVersion;
    /// The newest release the feed lists, when it lists any.
    QString newestVersion;
    /// Where to read about the newest release; always a page on the product's web site.
    QUrl releasePage;
    QString notes;
    /// Why the check failed, in words for the user.
    QString error;
};

} // namespace sorvane
