// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace sorvane {

/// Shows an item selected in the desktop's file manager.
class FileViewer {
public:
    virtual ~FileViewer() = default;
    virtual void showItem(const std::filesystem::path& item) = 0;
};

} // namespace sorvane
