// SPDX-License-Identifier: MIT
#pragma once

#include "platform/folder_chooser.h"

#include <QPointer>

class QWidget;

namespace sorvane {

/// Asks for a folder with a modal `QFileDialog`, the desktop's own dialog where the platform
/// theme provides one. Returns only after the user has answered.
class QtFolderChooser : public FolderChooser {
public:
    /// The dialog is centred over `parent` when one is given.
    explicit QtFolderChooser(QWidget* parent = nullptr);

    std::optional<std::filesystem::path>
    chooseFolder(const QString& title, const QString& acceptLabel,
                 const std::filesystem::path& startIn) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace sorvane
