// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_viewer.h"

#include <vector>

namespace sorvane::test {

/// Keeps the items it was asked to show.
class FakeFileViewer : public FileViewer {
public:
    void showItem(const std::filesystem::path& item) override { m_shown.push_back(item); }

    const std::vector<std::filesystem::path>& shown() const { return m_shown; }

private:
    std::vector<std::filesystem::path> m_shown;
};

} // namespace sorvane::test
