// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace sorvane {

/// Asks the user for one folder; none when the user cancels.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    virtual std::optional<std::filesystem::path>
    chooseFolder(const QString& title, const QString& acceptLabel,
                 const std::filesystem::path& startIn) = 0;
};

} // namespace sorvane
