// SPDX-License-Identifier: MIT
#include "updates/release_feed.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <nlohmann/json.hpp>

namespace sorvane {
namespace {

using nlohmann::json;

QString unreadable() {
    return ReleaseFeed::tr("The update information could not be read.");
}

QString fromJson(const json& value) {
    return QString::fromStdString(value.get<std::string>());
}

} // namespace

const QUrl ReleaseFeed::homePage(QStringLiteral("https://sorvane.app/"));

ReleaseFeed ReleaseFeed::parse(const QByteArray& bytes) {
    // A feed that is wrong anywhere offers nothing, not the releases read before the fault.
    const auto invalid = [](QString error) {
        ReleaseFeed feed;
        feed.m_error = std::move(error);
        return feed;
    };
    ReleaseFeed feed;
    // No exceptions, no comments, invalid UTF-8 refused.
    const json document = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (document.is_discarded() || !document.is_object() || !document.contains("releases") ||
        !document["releases"].is_array())
        return invalid(unreadable());
    for (const json& entry : document["releases"]) {
        if (!entry.is_object() || !entry.contains("version") || !entry["version"].is_string() ||
            (entry.contains("url") && !entry["url"].is_string()) ||
            (entry.contains("notes") && !entry["notes"].is_string()))
            return invalid(unreadable());
        const QString name = fromJson(entry["version"]);
        const std::optional<Version> version = parseVersion(name);
        if (!version)
            return invalid(tr("The update information lists a version Sorvane cannot read: "
                              "\u201C%1\u201D.")
                               .arg(name.left(40)));
        if (version->preRelease)
            continue;
        if (feed.m_newest && version->number <= feed.m_newest->version)
            continue;
        Release release{version->number, name, homePage, {}};
        if (entry.contains("url")) {
            const QUrl page(fromJson(entry["url"]), QUrl::StrictMode);
            if (isReleasePage(page))
                release.page = page;
        }
        if (entry.contains("notes"))
            release.notes = fromJson(entry["notes"]);
        feed.m_newest = release;
    }
    return feed;
}

std::optional<ReleaseFeed::Version> ReleaseFeed::parseVersion(const QString& text) {
    // Numbers of up to nine digits, so that none overflows QVersionNumber's int.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^[vV]?(\d{1,9}(?:\.\d{1,9})*)(-[0-9A-Za-z.-]+)?(\+[0-9A-Za-z.-]+)?$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Version{QVersionNumber::fromString(match.captured(1)), match.hasCaptured(2)};
}

bool ReleaseFeed::isReleasePage(const QUrl& url) {
    return url.isValid() && url.scheme() == QLatin1String("https") &&
           url.host() == homePage.host() && url.userInfo().isEmpty() &&
           (url.port() == -1 || url.port() == 443) &&
           (url.path().isEmpty() || url.path().startsWith(QLatin1Char('/')));
}

bool ReleaseFeed::isFeedAddress(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    if (url.scheme() != QLatin1String("http"))
        return false;
    if (url.host() == QLatin1String("localhost"))
        return true;
    const QHostAddress address(url.host());
    return !address.isNull() && address.isLoopback();
}

} // namespace sorvane
