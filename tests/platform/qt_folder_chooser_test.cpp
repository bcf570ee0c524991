// SPDX-License-Identifier: MIT
#include "platform/qt_folder_chooser.h"

#include "support/temp_dir.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace sorvane::test {
namespace {

/// Calls `answer` with the dialog once it is showing (modal dialogs block the caller).
void whenDialogShows(std::function<void(QFileDialog&)> answer) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, answer] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            answer(*dialog);
            *poll = nullptr; // ends the cycle the lambda holds on itself
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

TEST(QtFolderChooserTest, AsksForOneFolderAndReturnsTheChosenOne) {
    TempDir root;
    const auto start = root.makeFolder("Documents");
    const auto chosen = root.makeFolder("Elsewhere/My Archive");

    QString title, label, shownFolder;
    bool directoriesOnly = false;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    whenDialogShows([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        label = dialog.labelText(QFileDialog::Accept);
        shownFolder = dialog.directory().absolutePath();
        directoriesOnly = dialog.testOption(QFileDialog::ShowDirsOnly);
        mode = dialog.fileMode();
        dialog.setDirectory(QString::fromStdString(chosen.string()));
        dialog.selectFile(QString::fromStdString(chosen.string()));
        static_cast<QDialog&>(dialog).accept(); // public as a QDialog
    });

    const auto answer = QtFolderChooser().chooseFolder(
        QStringLiteral("Choose where cleaned files go"), QStringLiteral("Use This Folder"), start);

    EXPECT_EQ(title, "Choose where cleaned files go");
    EXPECT_EQ(label, "Use This Folder");
    EXPECT_EQ(shownFolder.toStdString(), start.string());
    EXPECT_TRUE(directoriesOnly);
    EXPECT_EQ(mode, QFileDialog::Directory);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, chosen);
}

TEST(QtFolderChooserTest, CancellingGivesNoFolder) {
    TempDir root;
    whenDialogShows([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(
        QtFolderChooser().chooseFolder(QStringLiteral("t"), QStringLiteral("OK"), root.path()),
        std::nullopt);
}

} // namespace
} // namespace sorvane::test
