// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QUrl>
#include <QVersionNumber>
#include <optional>

namespace sorvane {

/// The list of published releases the updater reads, in the form README.md describes:
/// `{"releases": [{"version": "1.1.0", "url": "https://sorvane.app/releases/1.1.0",
/// "notes": "…"}]}`.
class ReleaseFeed {
    Q_DECLARE_TR_FUNCTIONS(ReleaseFeed)

public:
    struct Release {
        QVersionNumber version;
        /// As the feed spells it.
        QString name;
        QUrl page;
        QString notes;
    };

    struct Version {
        QVersionNumber number;
        bool preRelease = false;
    };

    /// The product's web site, where release pages live.
    static const QUrl homePage;

    /// Reads a feed strictly; anything unexpected makes it invalid with a reason for the user.
    static ReleaseFeed parse(const QByteArray& bytes);

    bool isValid() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    /// The newest release that is not a pre-release; none when the feed lists none.
    const std::optional<Release>& newest() const { return m_newest; }

    /// "1.2.0", "v1.2", "1.2.0-beta.1" (a pre-release), "1.2.0+build.5"; none for anything
    /// else.
    static std::optional<Version> parseVersion(const QString& text);
    /// Only pages on https://sorvane.app/ are ever opened, whatever a feed says.
    static bool isReleasePage(const QUrl& url);
    /// https anywhere, or plain http to this machine (for tests and local mirrors).
    static bool isFeedAddress(const QUrl& url);

private:
    QString m_error;
    std::optional<Release> m_newest;
};

} // namespace sorvane
