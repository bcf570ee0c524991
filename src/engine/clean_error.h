// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace sorvane {

/// A failure that ends a whole clean (or, for `copyUnverified`, the transfer of one item),
/// with its message for the user.
class CleanError {
public:
    enum class Kind {
        destinationUnavailable,
        copyUnverified,
        noDesktop,
        desktopUnreadable,
        desktopInsideArchive,
        destinationNotAbsolute
    };

    static CleanError destinationUnavailable(std::string path) {
        return {Kind::destinationUnavailable, std::move(path)};
    }
    /// The archive root is missing and cannot safely be made again: its parent is gone, or
    /// lies on another device than the archive did (the drive is away).
    static CleanError destinationAway(std::string path) {
        CleanError error{Kind::destinationUnavailable, std::move(path)};
        error.m_away = true;
        return error;
    }
    static CleanError copyUnverified(std::string name) {
        return {Kind::copyUnverified, std::move(name)};
    }
    static CleanError noDesktop() { return {Kind::noDesktop, {}}; }
    static CleanError desktopUnreadable() { return {Kind::desktopUnreadable, {}}; }
    static CleanError desktopInsideArchive() { return {Kind::desktopInsideArchive, {}}; }
    /// A stored archive path such as "~/Archive" or "Archive": it would be taken relative to
    /// whatever folder the program happens to run in.
    static CleanError destinationNotAbsolute(std::string path) {
        return {Kind::destinationNotAbsolute, std::move(path)};
    }

    Kind kind() const { return m_kind; }
    /// The archive root's path or the item's name; empty for the cases without one.
    const std::string& payload() const { return m_payload; }
    std::string errorDescription() const;

    friend bool operator==(const CleanError&, const CleanError&) = default;

private:
    CleanError(Kind kind, std::string payload) : m_kind(kind), m_payload(std::move(payload)) {}

    Kind m_kind;
    std::string m_payload;
    bool m_away = false;
};

} // namespace sorvane
