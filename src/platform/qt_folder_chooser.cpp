// SPDX-License-Identifier: MIT
#include "platform/qt_folder_chooser.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace sorvane {

QtFolderChooser::QtFolderChooser(QWidget* parent) : m_parent(parent) {}

std::optional<std::filesystem::path>
QtFolderChooser::chooseFolder(const QString& title, const QString& acceptLabel,
                              const std::filesystem::path& startIn) {
    // Without a fixed parent the dialog belongs to the window the user asked from (the
    // settings window), so that it stays in front of it and moves with it.
    QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    QFileDialog dialog(parent, title, QFile::decodeName(startIn.c_str()));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::ReadOnly, false); // the dialog's "create folder" stays on
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setLabelText(QFileDialog::Accept, acceptLabel);
    dialog.setWindowModality(Qt::ApplicationModal);
    // A tray application has no window of its own in front: without this the dialog can open
    // behind whatever the user was looking at.
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    return std::filesystem::path(QFile::encodeName(chosen.front()).toStdString());
}

} // namespace sorvane
