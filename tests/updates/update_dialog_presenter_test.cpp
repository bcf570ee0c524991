// SPDX-License-Identifier: MIT
#include "fakes/fake_url_opener.h"
#include "updates/update_dialog_presenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

QAbstractButton* buttonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons())
        if (button->text() == text)
            return button;
    return nullptr;
}

UpdateCheckResult newVersion(const QUrl& page) {
    UpdateCheckResult result;
    result.outcome = UpdateCheckResult::Outcome::updateAvailable;
    result.installedVersion = "1.0.0";
    result.newestVersion = "1.2.0";
    result.releasePage = page;
    result.notes = "Undo more.";
    return result;
}

TEST(UpdateDialogPresenterTest, ANewVersionOffersItsReleasePageWithoutBlocking) {
    test::FakeUrlOpener opener;
    UpdateDialogPresenter presenter(opener);
    presenter.present(newVersion(QUrl("https://sorvane.app/releases/1.2.0")));
    QMessageBox* box = presenter.dialog();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->text(), "Sorvane 1.2.0 is available.");
    EXPECT_EQ(box->informativeText(), "You have version 1.0.0.\n\nUndo more.");
    ASSERT_TRUE(buttonNamed(box, "Open Release Page"));
    buttonNamed(box, "Open Release Page")->click();
    ASSERT_EQ(opener.opened().size(), 1u);
    EXPECT_EQ(opener.opened()[0], QUrl("https://sorvane.app/releases/1.2.0"));
}

TEST(UpdateDialogPresenterTest, OnlyPagesOnTheProductsSiteAreOpened) {
    test::FakeUrlOpener opener;
    UpdateDialogPresenter presenter(opener);
    presenter.present(newVersion(QUrl("https://example.com/evil")));
    buttonNamed(presenter.dialog(), "Open Release Page")->click();
    EXPECT_TRUE(opener.opened().empty());
}

TEST(UpdateDialogPresenterTest, TheNewestOutcomeReplacesTheDialogOnScreen) {
    test::FakeUrlOpener opener;
    UpdateDialogPresenter presenter(opener);
    UpdateCheckResult upToDate;
    upToDate.outcome = UpdateCheckResult::Outcome::upToDate;
    upToDate.installedVersion = "1.0.0";
    presenter.present(upToDate);
    EXPECT_EQ(presenter.dialog()->text(), "You're up to date.");

    UpdateCheckResult failed;
    failed.error = "The update server took too long to answer. Try again later.";
    presenter.present(failed);
    EXPECT_EQ(presenter.dialog()->text(), "Sorvane could not check for updates.");
    EXPECT_EQ(presenter.dialog()->informativeText(), failed.error);
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        shown += qobject_cast<QMessageBox*>(widget) && widget->isVisible();
    EXPECT_EQ(shown, 1);
}

} // namespace
} // namespace sorvane
