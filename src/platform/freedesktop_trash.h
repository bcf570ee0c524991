// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"
#include "platform/resource_values.h"
#include "platform/trash_reservation.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace sorvane {

/// Moves items to the Trash as the freedesktop.org Trash specification lays it out, so that
/// file managers and trash-cli list and restore them: the home trash for items on the home
/// trash's file system, else the trash at the top of the item's own file system.
class FreedesktopTrash {
public:
    /// `dataHome` is $XDG_DATA_HOME (absolute); `now` stamps the deletion date.
    FreedesktopTrash(std::filesystem::path dataHome, uid_t user, Clock now);

    /// `reserved` hears of the info file once it is durable, before the item moves.
    FileStatus trash(const std::filesystem::path& item,
                     const TrashReservationListener& reserved = {});

    /// The trash directory (holding files/ and info/) an item goes to and the path its
    /// `Path=` line records: absolute in the home trash, relative to the top directory of
    /// the item's file system in that file system's own trash.
    struct Location {
        std::filesystem::path trashDirectory;
        std::filesystem::path recordedPath;
    };

    /// The name under files/ for the n-th attempt (n = 1 is the item's own name), cut at a
    /// character boundary so that NAME.trashinfo still fits into a file name.
    static std::string candidateName(const std::string& name, int attempt);

private:
    std::optional<Location> locationFor(const std::filesystem::path& item, dev_t device,
                                        int& error) const;
    std::optional<Location> topDirectoryTrash(const std::filesystem::path& item, dev_t device,
                                              int& error) const;
    std::string infoText(const std::filesystem::path& originalPath) const;

    std::filesystem::path m_dataHome;
    uid_t m_user;
    Clock m_now;
};

} // namespace sorvane
