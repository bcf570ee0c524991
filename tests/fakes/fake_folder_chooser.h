// SPDX-License-Identifier: MIT
#pragma once

#include "platform/folder_chooser.h"

namespace sorvane::test {

/// Answers with a folder chosen in advance (none: the user cancels) and keeps what the
/// dialog would have shown.
class FakeFolderChooser : public FolderChooser {
public:
    struct Request {
        QString title;
        QString acceptLabel;
        std::filesystem::path startIn;
    };

    explicit FakeFolderChooser(std::optional<std::filesystem::path> answer = std::nullopt)
        : m_answer(std::move(answer)) {}

    std::optional<std::filesystem::path>
    chooseFolder(const QString& title, const QString& acceptLabel,
                 const std::filesystem::path& startIn) override {
        m_requests.push_back({title, acceptLabel, startIn});
        return m_answer;
    }

    void answer(std::optional<std::filesystem::path> folder) { m_answer = std::move(folder); }
    const std::vector<Request>& requests() const { return m_requests; }

private:
    std::optional<std::filesystem::path> m_answer;
    std::vector<Request> m_requests;
};

} // namespace sorvane::test
