// SPDX-License-Identifier: MIT
#include "fakes/test_app_state.h"
#include "support/named_child.h"
#include "ui/keyboard_button.h"
#include "ui/link_button.h"
#include "ui/menu_bar_view.h"
#include "ui/menu_row_button.h"
#include "ui/panel_popup.h"
#include "ui/prominent_button.h"
#include "ui/switch_button.h"
#include "ui/tone_label.h"
#include "ui/tray_menu.h"

#include "scheduling/scheduler.h"
#include "support/file_attributes.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using test::child;
using test::shownChild;
using test::topLevel;

class MenuBarViewTest : public ::testing::Test {
protected:
    MenuBarViewTest()
        : view(t.state, {[this] { ++settingsOpened; },
                         [this] {
                             ++quitRequested;
                         }}) {
        view.show();
    }

    /// The rows of the actions section from top to bottom, as the user sees them.
    std::vector<QString> visibleRowTitles() const {
        std::vector<QString> titles;
        for (auto* row :
             {shownChild<MenuRowButton>(view, "undoRow"), child<MenuRowButton>(view, "updateRow"),
              child<MenuRowButton>(view, "tipRow"), child<MenuRowButton>(view, "settingsRow"),
              child<MenuRowButton>(view, "quitRow")})
            if (row)
                titles.push_back(row->text());
        return titles;
    }

    test::TestAppState t;
    int settingsOpened = 0;
    int quitRequested = 0;
    MenuBarView view;
};

TEST_F(MenuBarViewTest, theHeadlineAndTheCleanButtonFollowTheDesktop) {
    t.recount();
    EXPECT_EQ(child<ToneLabel>(view, "headline")->text(), "Your desktop is already clear");
    EXPECT_EQ(child<ToneLabel>(view, "headline")->tone(), ToneLabel::Tone::secondary);
    EXPECT_EQ(child<ProminentButton>(view, "cleanButton")->text(), "Clean Now");
    EXPECT_FALSE(child<ProminentButton>(view, "cleanButton")->isEnabled()) << "nothing to clean";

    t.putOnDesktop({"a.txt"});
    EXPECT_EQ(child<ToneLabel>(view, "headline")->text(), "1 item waiting on your desktop");
    EXPECT_EQ(child<ToneLabel>(view, "headline")->tone(), ToneLabel::Tone::primary);
    EXPECT_TRUE(child<ProminentButton>(view, "cleanButton")->isEnabled());

    std::vector<std::string> more;
    for (int i = 2; i <= 12; ++i)
        more.push_back("file " + std::to_string(i) + ".txt");
    t.putOnDesktop(more);
    EXPECT_EQ(child<ToneLabel>(view, "headline")->text(), "12 items waiting on your desktop");
}

TEST_F(MenuBarViewTest, theTaggedLineCountsPinnedFilesAndIsAbsentWithoutThem) {
    t.putOnDesktop({"a.txt", "b.txt", "c.txt", "d.txt"});
    EXPECT_EQ(shownChild<ToneLabel>(view, "taggedLine"), nullptr);

    test::setTags(t.home.desktop() / "a.txt", "keep");
    t.recount();
    ASSERT_NE(shownChild<ToneLabel>(view, "taggedLine"), nullptr);
    EXPECT_EQ(shownChild<ToneLabel>(view, "taggedLine")->text(), "1 tagged file stays put");

    test::setTags(t.home.desktop() / "b.txt", "keep");
    test::setTags(t.home.desktop() / "c.txt", "work,keep");
    t.recount();
    ASSERT_NE(shownChild<ToneLabel>(view, "taggedLine"), nullptr);
    EXPECT_EQ(shownChild<ToneLabel>(view, "taggedLine")->text(), "3 tagged files stay put");
    EXPECT_EQ(child<ToneLabel>(view, "headline")->text(), "1 item waiting on your desktop");
}

TEST_F(MenuBarViewTest, theStatusLineIsAbsentWhenEmptyAndWrapsWhenLong) {
    EXPECT_EQ(shownChild<ToneLabel>(view, "statusLine"), nullptr);
    const int emptyHeight = view.height();

    const std::string longName(40, 'x');
    const auto chosen =
        t.home.makeFolder("Archives/" + longName + " and a few more words " + longName);
    t.folderChooser.answer(chosen);
    t.state.chooseDestination();
    ASSERT_NE(shownChild<ToneLabel>(view, "statusLine"), nullptr);
    EXPECT_EQ(shownChild<ToneLabel>(view, "statusLine")->text(), t.state.statusMessage())
        << "never cut";
    EXPECT_TRUE(shownChild<ToneLabel>(view, "statusLine")->wordWrap());
    EXPECT_GT(shownChild<ToneLabel>(view, "statusLine")->height(),
              2 * shownChild<ToneLabel>(view, "statusLine")->fontMetrics().height())
        << "a long message takes several lines";
    EXPECT_EQ(view.width(), MenuBarView::panelWidth);
    EXPECT_GT(view.height(), emptyHeight + shownChild<ToneLabel>(view, "statusLine")->height())
        << "the panel grew";
    EXPECT_LE(shownChild<ToneLabel>(view, "statusLine")->geometry().right(), view.width());

    EXPECT_NE(child<LinkButton>(view, "archiveLink")->shownText(),
              child<LinkButton>(view, "archiveLink")->text())
        << "a long archive name is shortened on its one line";
    EXPECT_TRUE(child<LinkButton>(view, "archiveLink")->shownText().contains(QChar(0x2026)));
    EXPECT_TRUE(child<LinkButton>(view, "archiveLink")->shownText().startsWith("Files go to "))
        << "shortened in the middle, not at the start";
}

TEST_F(MenuBarViewTest, whileACleanRunsTheCleanButtonAndTheUndoRowAreDisabled) {
    t.addRun({"old.txt"}, CleanTrigger::manual);
    t.putOnDesktop({"a.txt", "b.txt"});
    ASSERT_NE(shownChild<MenuRowButton>(view, "undoRow"), nullptr);
    EXPECT_TRUE(shownChild<MenuRowButton>(view, "undoRow")->isEnabled());

    QTest::mouseClick(child<ProminentButton>(view, "cleanButton"), Qt::LeftButton);
    ASSERT_TRUE(t.state.isWorking());
    EXPECT_EQ(child<ProminentButton>(view, "cleanButton")->text(), "Working\u2026");
    EXPECT_FALSE(child<ProminentButton>(view, "cleanButton")->isEnabled());
    EXPECT_FALSE(shownChild<MenuRowButton>(view, "undoRow")->isEnabled());
    EXPECT_TRUE(child<MenuRowButton>(view, "updateRow")->isEnabled() ==
                t.updaterModel.canCheckForUpdates());
    EXPECT_TRUE(child<MenuRowButton>(view, "tipRow")->isEnabled());
    EXPECT_TRUE(child<MenuRowButton>(view, "settingsRow")->isEnabled());
    EXPECT_TRUE(child<MenuRowButton>(view, "quitRow")->isEnabled());
    EXPECT_EQ(shownChild<ToneLabel>(view, "statusLine")->text(), "Cleaning\u2026");

    t.waitUntilIdle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.state.pendingCount() == 0; }, 10'000));
    EXPECT_EQ(child<ProminentButton>(view, "cleanButton")->text(), "Clean Now");
    EXPECT_EQ(shownChild<ToneLabel>(view, "statusLine")->text(), "2 items moved");
    EXPECT_EQ(shownChild<MenuRowButton>(view, "undoRow")->subtitle(), "2 items")
        << "the new run is the one to undo";
    EXPECT_TRUE(shownChild<MenuRowButton>(view, "undoRow")->isEnabled());
    EXPECT_TRUE(child<QProgressBar>(view, "progressBar")->isHidden())
        << "no progress bar once the work is done";
}

TEST_F(MenuBarViewTest, theUndoRowOffersTheNewestRunNotYetUndone) {
    EXPECT_EQ(visibleRowTitles().front(), "Check for Updates\u2026")
        << "an empty history offers no undo";

    t.addRun({"a.txt", "b.txt", "c.txt"}, CleanTrigger::manual, {}, 20);
    const auto newest = t.addRun({"d.txt"}, CleanTrigger::scheduled);
    ASSERT_NE(shownChild<MenuRowButton>(view, "undoRow"), nullptr);
    EXPECT_EQ(shownChild<MenuRowButton>(view, "undoRow")->subtitle(), "1 item");

    t.history.markUndone(newest.id);
    ASSERT_NE(shownChild<MenuRowButton>(view, "undoRow"), nullptr);
    EXPECT_EQ(shownChild<MenuRowButton>(view, "undoRow")->subtitle(), "3 items");
    EXPECT_EQ(visibleRowTitles(),
              (std::vector<QString>{"Undo last clean", "Check for Updates\u2026",
                                    "Leave a Tip\u2026", "Settings\u2026", "Quit Sorvane"}));

    t.addRun({}, CleanTrigger::manual);
    t.history.markUndone(t.history.records()[2].id);
    EXPECT_EQ(shownChild<MenuRowButton>(view, "undoRow"), nullptr)
        << "runs that moved nothing or are undone offer no undo";
}

TEST_F(MenuBarViewTest, theScheduleLineShowsTheScheduleWhileOffAndTheStatusWhileOn) {
    EXPECT_FALSE(child<SwitchButton>(view, "automaticSwitch")->isChecked());
    EXPECT_EQ(child<ToneLabel>(view, "scheduleLine")->text(), t.settings.scheduleDescription());
    EXPECT_NE(child<ToneLabel>(view, "scheduleLine")->text(), "Automatic cleaning is off");

    QTest::mouseClick(child<SwitchButton>(view, "automaticSwitch"), Qt::LeftButton);
    EXPECT_TRUE(t.settings.agentEnabled());
    EXPECT_EQ(child<ToneLabel>(view, "scheduleLine")->text(), t.state.scheduler().statusText());

    t.settings.setAgentEnabled(false);
    EXPECT_FALSE(child<SwitchButton>(view, "automaticSwitch")->isChecked())
        << "follows a change made elsewhere";
}

TEST_F(MenuBarViewTest, theRowsAndTheArchiveLinkReachTheirActionsByMouseAndKeyboard) {
    QSignalSpy dismissed(&view, &MenuBarView::dismissRequested);
    QTest::mouseClick(child<MenuRowButton>(view, "tipRow"), Qt::LeftButton);
    ASSERT_EQ(t.urlOpener.opened().size(), 1u);
    EXPECT_EQ(t.urlOpener.opened()[0], AppState::tipURL());

    child<MenuRowButton>(view, "settingsRow")->setFocus();
    QTest::keyClick(child<MenuRowButton>(view, "settingsRow"), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settingsOpened == 1; }, 2000));
    EXPECT_EQ(settingsOpened, 1);

    child<MenuRowButton>(view, "quitRow")->setFocus();
    QTest::keyClick(child<MenuRowButton>(view, "quitRow"), Qt::Key_Space);
    EXPECT_EQ(quitRequested, 1);

    QTest::mouseClick(child<LinkButton>(view, "archiveLink"), Qt::LeftButton);
    ASSERT_EQ(t.fileViewer.shown().size(), 1u) << "the archive's nearest existing folder";
    EXPECT_EQ(t.state.statusMessage(), "Desktop Archive is created on the first clean.");
    EXPECT_EQ(child<LinkButton>(view, "archiveLink")->text(), "Files go to Desktop Archive");
    EXPECT_EQ(dismissed.size(), 4) << "each of them opened something else";
}

TEST(TrayMenu, cleanNowWorksForFilesThatArrivedAfterTheLastCountAndTheLabelsCatchUp) {
    test::TestAppState t;
    TrayMenu menu(t.state, {}, {});
    t.recount();
    EXPECT_EQ(child<QAction>(menu, "headlineAction")->text(), "Your desktop is already clear");
    EXPECT_TRUE(child<QAction>(menu, "cleanAction")->isEnabled())
        << "a clean that finds nothing says so";

    t.home.writeFile(t.home.desktop() / "new.txt");
    QSignalSpy counted(&t.state, &AppState::countsChanged);
    emit menu.aboutToShow();
    EXPECT_TRUE(child<QAction>(menu, "cleanAction")->isEnabled()) << "nothing waits for the count";
    ASSERT_TRUE(counted.wait(10'000));
    EXPECT_EQ(child<QAction>(menu, "headlineAction")->text(), "1 item waiting on your desktop");

    child<QAction>(menu, "cleanAction")->trigger();
    EXPECT_FALSE(child<QAction>(menu, "cleanAction")->isEnabled()) << "working";
    EXPECT_EQ(child<QAction>(menu, "cleanAction")->text(), "Working\u2026");
    t.waitUntilIdle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.history.records().size() == 1; }, 10'000));
    EXPECT_FALSE(std::filesystem::exists(t.home.desktop() / "new.txt"));
    EXPECT_TRUE(child<QAction>(menu, "cleanAction")->isEnabled());
}

TEST(TrayMenu, everyItemIsNamedAndDoesWhatItSays) {
    test::TestAppState t;
    t.addRun({"a.txt", "b.txt"}, CleanTrigger::manual);
    int panels = 0;
    int settingsOpened = 0;
    int quits = 0;
    TrayMenu menu(t.state,
                  {[&] { ++settingsOpened; },
                   [&] {
                       ++quits;
                   }},
                  [&] { ++panels; });
    for (const QAction* action : menu.actions())
        EXPECT_TRUE(action->isSeparator() || !action->objectName().isEmpty())
            << action->text().toStdString();

    struct Item {
        const char* name;
        QString text;
        std::function<bool()> done;
    };
    const std::vector<Item> items{
        {"openAction", "Open Sorvane",
         [&] {
             return panels == 1;
         }},
        {"undoAction", "Undo last clean (2 items)",
         [&] {
             const bool started = t.state.isWorking();
             t.waitUntilIdle();
             return started;
         }},
        {"automaticAction", "Clean automatically",
         [&] {
             return t.settings.agentEnabled();
         }},
        {"tipAction", "Leave a Tip\u2026",
         [&] {
             return t.urlOpener.opened().size() == 1;
         }},
        {"settingsAction", "Settings\u2026",
         [&] {
             return settingsOpened == 1;
         }},
        {"quitAction", "Quit Sorvane",
         [&] {
             return quits == 1;
         }},
    };
    for (const auto& item : items) {
        QAction* action = child<QAction>(menu, item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), item.text);
        action->trigger();
        EXPECT_TRUE(item.done()) << item.name;
    }
    EXPECT_EQ(panels + settingsOpened + quits, 3) << "each item does only its own thing";
}

TEST(PanelPopupPlacement, thePanelHangsFromTheIconAndStaysOnTheScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize panel(300, 400);
    // An icon in a top panel at the right edge: below it, pushed left onto the screen.
    const QRect topRight = PanelPopup::placement(QRect(1900, 2, 20, 20), panel, screen);
    EXPECT_EQ(topRight.top(), 26);
    EXPECT_EQ(topRight.right(), 1919);
    // An icon in a bottom panel: above it, centred on it.
    const QRect bottom = PanelPopup::placement(QRect(900, 1056, 24, 24), panel, screen);
    EXPECT_EQ(bottom.bottom(), 1051);
    EXPECT_LE(std::abs(bottom.center().x() - 911), 1);
    // A panel taller than the room below a mid-screen pointer is kept inside.
    const QRect tall = PanelPopup::placement(QRect(10, 500, 1, 1), QSize(300, 900), screen);
    EXPECT_TRUE(screen.contains(tall));
}

class PanelPopupTest : public ::testing::Test {
protected:
    test::TestAppState t;
    MenuBarView* content = new MenuBarView(t.state, {});
    PanelPopup popup{content};
};

TEST_F(PanelPopupTest, openingRecountsTheDesktopAndEscapeCloses) {
    t.home.writeFile(t.home.desktop() / "new.txt");
    QSignalSpy counted(&t.state, &AppState::countsChanged);
    popup.showAt(QRect(100, 0, 22, 22));
    ASSERT_TRUE(counted.wait(10'000));
    EXPECT_EQ(child<ToneLabel>(*content, "headline")->text(), "1 item waiting on your desktop");
    EXPECT_TRUE(popup.isVisible());

    QTest::keyClick(&popup, Qt::Key_Escape);
    EXPECT_FALSE(popup.isVisible());
}

/// Moves the pointer over `widget` as the window system reports it.
void movePointerOver(QWidget* widget) {
    // Two steps: Qt drops a move to where the pointer already is.
    const QPoint centre = widget->mapTo(widget->window(), widget->rect().center());
    QTest::mouseMove(widget->window()->windowHandle(), centre - QPoint(1, 1));
    QTest::mouseMove(widget->window()->windowHandle(), centre);
    QApplication::processEvents();
}

/// The rows drawn highlighted, by title.
std::vector<QString> highlightedRows(const MenuBarView& view) {
    std::vector<QString> titles;
    for (auto* row : view.findChildren<MenuRowButton*>())
        if (row->isVisible() && (row->isHovering() || row->showsFocusRing()))
            titles.push_back(row->text());
    return titles;
}

TEST_F(PanelPopupTest, aRowIsHighlightedOnlyWhileThePointerMovesOverItSinceThePanelOpened) {
    popup.showAt(QRect(100, 0, 22, 22));
    auto* settingsRow = popup.findChild<MenuRowButton*>("settingsRow");
    ASSERT_NE(settingsRow, nullptr);
    movePointerOver(settingsRow);
    EXPECT_EQ(highlightedRows(*content), std::vector<QString>{"Settings\u2026"});

    QTest::keyClick(&popup, Qt::Key_Escape);
    ASSERT_FALSE(popup.isVisible());
    popup.showAt(QRect(100, 0, 22, 22));
    EXPECT_TRUE(highlightedRows(*content).empty()) << "closing cleared the highlight";

    // Qt makes up enter events from the last known pointer position when rows appear or
    // move; on Wayland that position is stale. They must not highlight anything.
    QEnterEvent madeUp(QPointF(5, 5), QPointF(5, 5), settingsRow->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(settingsRow, &madeUp);
    EXPECT_TRUE(highlightedRows(*content).empty());

    auto* tipRow = popup.findChild<MenuRowButton*>("tipRow");
    movePointerOver(tipRow);
    movePointerOver(settingsRow);
    EXPECT_EQ(highlightedRows(*content), std::vector<QString>{"Settings\u2026"})
        << "one row at a time";
}

TEST_F(PanelPopupTest, focusPassedOnByAControlThatDisabledItselfShowsNoRing) {
    t.addRun({"old.txt"}, CleanTrigger::manual);
    t.putOnDesktop({"a.txt", "b.txt"});
    popup.showAt(QRect(100, 0, 22, 22));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&popup));
    auto* clean = popup.findChild<ProminentButton*>("cleanButton");
    ASSERT_TRUE(clean && clean->isEnabled());
    QTest::mouseClick(clean, Qt::LeftButton);
    ASSERT_FALSE(clean->isEnabled()) << "working";
    QWidget* focused = popup.focusWidget();
    ASSERT_NE(focused, nullptr);
    ASSERT_NE(focused, clean) << "Qt passed the focus on";
    for (auto* button : popup.findChildren<KeyboardButton*>())
        EXPECT_FALSE(button->showsFocusRing()) << button->objectName().toStdString();
    EXPECT_FALSE(popup.testAttribute(Qt::WA_KeyboardFocusChange));
    t.waitUntilIdle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.state.pendingCount() == 0; }, 10'000));

    auto* undo = popup.findChild<MenuRowButton*>("undoRow");
    QTest::mouseClick(undo, Qt::LeftButton);
    for (auto* button : popup.findChildren<KeyboardButton*>())
        EXPECT_FALSE(button->showsFocusRing()) << button->objectName().toStdString();
    t.waitUntilIdle();

    // The keyboard still shows where it is.
    QTest::keyClick(popup.focusWidget(), Qt::Key_Tab);
    auto* now = qobject_cast<KeyboardButton*>(popup.focusWidget());
    ASSERT_NE(now, nullptr);
    EXPECT_TRUE(now->showsFocusRing());
}

TEST(PanelWindowed, closesWhenAnotherWindowKeepsTheFocusNotOnABriefLoss) {
    test::TestAppState t;
    auto* content = new MenuBarView(t.state, {});
    PanelPopup panel{content, true};
    QWidget other;
    other.show();
    panel.showAt(QRect());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));

    // A keyboard coming or going takes the focus away for a moment.
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    QTest::qWait(PanelPopup::focusLossMs * 2);
    EXPECT_TRUE(panel.isVisible());

    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.isVisible(); }, PanelPopup::focusLossMs * 5));
}

TEST_F(PanelPopupTest, theCleanButtonHasTheFocusSoReturnCleans) {
    t.putOnDesktop({"a.txt"});
    popup.showAt(QRect(100, 0, 22, 22));
    ASSERT_TRUE(child<ProminentButton>(*content, "cleanButton")->hasFocus() ||
                QApplication::focusWidget() == child<ProminentButton>(*content, "cleanButton") ||
                popup.focusWidget() == child<ProminentButton>(*content, "cleanButton"));
    QTest::keyClick(child<ProminentButton>(*content, "cleanButton"), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.history.records().size() == 1; }, 10'000));
    t.waitUntilIdle();
    EXPECT_TRUE(std::filesystem::exists(t.home.archive()));
}

} // namespace
} // namespace sorvane
