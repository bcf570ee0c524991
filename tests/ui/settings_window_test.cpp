// SPDX-License-Identifier: MIT
#include "fakes/test_app_state.h"
#include "support/named_child.h"
#include "ui/badge.h"
#include "ui/elided_label.h"
#include "ui/form_section.h"
#include "ui/general_settings.h"
#include "ui/history_row.h"
#include "ui/history_view.h"
#include "ui/link_button.h"
#include "ui/locale_formats.h"
#include "ui/menu_bar_view.h"
#include "ui/menu_row_button.h"
#include "ui/panel_popup.h"
#include "ui/panel_window.h"
#include "ui/schedule_settings.h"
#include "ui/segmented_control.h"
#include "ui/settings_window.h"
#include "ui/switch_button.h"
#include "ui/tone_label.h"
#include "ui/tray_icon.h"
#include "ui/update_settings.h"
#include "ui/wrapped_label.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using test::child;
using test::shownChild;
using test::topLevel;

/// Where a user clicks a check box: on its box, not in the empty end of its row.
void clickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

int settingsWindowCount() {
    int count = 0;
    for (auto* widget : QApplication::topLevelWidgets())
        count += widget->windowTitle() == "Sorvane Settings";
    return count;
}

class TrayIconTest : public ::testing::Test {
protected:
    test::TestAppState t;
    // Started at login: without a tray nothing shows until asked.
    TrayIcon tray{t.state, [] {}, false};
};

TEST_F(TrayIconTest, theSettingsWindowExistsOnceAndReopensOnTheLastTab) {
    EXPECT_EQ(topLevel<SettingsWindow>("settingsWindow"), nullptr) << "not open at launch";
    EXPECT_EQ(topLevel<PanelWindow>("panelWindow"), nullptr)
        << "started at login, no window without being asked";

    QTest::mouseClick(
        child<MenuRowButton>(
            *child<MenuBarView>(*topLevel<PanelPopup>("panelPopup"), "menuBarView"), "settingsRow"),
        Qt::LeftButton);
    ASSERT_NE(topLevel<SettingsWindow>("settingsWindow"), nullptr);
    SettingsWindow* window = topLevel<SettingsWindow>("settingsWindow");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(520, 680));
    EXPECT_EQ(child<QTabWidget>(*window, "tabs")->currentIndex(), 0) << "General at start-up";
    EXPECT_EQ(child<QTabWidget>(*window, "tabs")->count(), 4);
    EXPECT_EQ(child<QTabWidget>(*window, "tabs")->tabText(3), "History");
    EXPECT_FALSE(child<QTabWidget>(*window, "tabs")->tabIcon(3).isNull());

    child<QTabWidget>(*window, "tabs")->setCurrentIndex(2);
    EXPECT_EQ(t.state.settingsTab(), SettingsTab::updates);
    window->close();

    tray.openSettings();
    tray.openSettings();
    EXPECT_EQ(topLevel<SettingsWindow>("settingsWindow"), window);
    EXPECT_EQ(settingsWindowCount(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(child<QTabWidget>(*window, "tabs")->currentIndex(), 2) << "the Updates tab again";
    EXPECT_NE(window->page(SettingsTab::updates), nullptr);
    EXPECT_EQ(window->page(SettingsTab::schedule), nullptr) << "a tab never shown is not made";

    t.state.setSettingsTab(SettingsTab::history);
    EXPECT_EQ(child<QTabWidget>(*window, "tabs")->currentIndex(), 3) << "follows the state's tab";
}

TEST_F(TrayIconTest, withoutATrayALaterStartShowsThePanelAsAWindow) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "the offscreen platform has none";
    tray.showPanel();
    ASSERT_NE(topLevel<PanelWindow>("panelWindow"), nullptr);
    EXPECT_TRUE(topLevel<PanelWindow>("panelWindow")->isVisible());
    EXPECT_EQ(topLevel<PanelWindow>("panelWindow")->windowTitle(), "Sorvane");
    EXPECT_FALSE(topLevel<PanelPopup>("panelPopup")->isVisible());
}

TEST(TrayIconByHand, startedByHandWithoutATrayShowsTheWindowAtOnce) {
    test::TestAppState t;
    TrayIcon tray{t.state, [] {}, true};
    ASSERT_NE(topLevel<PanelWindow>("panelWindow"), nullptr);
    EXPECT_TRUE(topLevel<PanelWindow>("panelWindow")->isVisible());
}

class GeneralSettingsTest : public ::testing::Test {
protected:
    GeneralSettingsTest() { tab.show(); }
    test::TestAppState t;
    GeneralSettings tab{t.state};
};

TEST_F(GeneralSettingsTest, firstLaunchShowsTheDefaults) {
    EXPECT_EQ(child<ElidedLabel>(tab, "pathLabel")->text(),
              QString::fromStdString((t.home / "Documents/Desktop Archive").string()));
    EXPECT_EQ(child<SegmentedControl>(tab, "groupControl")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(tab, "sortByBox")->currentText(), "When the file was created");
    EXPECT_EQ(child<QComboBox>(tab, "keepRecentBox")->currentText(), "Move everything");
    EXPECT_TRUE(child<QCheckBox>(tab, "moveFoldersBox")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(tab, "includeHiddenBox")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(tab, "keepTaggedBox")->isChecked());
    EXPECT_TRUE(child<ElidedLabel>(tab, "exampleLabel")->text().startsWith("Desktop Archive/"));
    EXPECT_TRUE(child<ElidedLabel>(tab, "exampleLabel")->text().endsWith("/screenshot.png"));
}

TEST_F(GeneralSettingsTest, eachControlStoresItsSettingAtOnce) {
    const QString byMonth = child<ElidedLabel>(tab, "exampleLabel")->text();
    QTest::mouseClick(child<SegmentedControl>(tab, "groupControl")->segment(1), Qt::LeftButton);
    EXPECT_EQ(t.settings.grouping(), GroupingStyle::day);
    const QString byDay = child<ElidedLabel>(tab, "exampleLabel")->text();
    EXPECT_NE(byDay, byMonth);
    EXPECT_EQ(byDay.section('/', 1, 1).size(), 10) << "yyyy-MM-dd: " << byDay.toStdString();

    QTest::keyClick(child<QComboBox>(tab, "keepRecentBox"), Qt::Key_End);
    EXPECT_EQ(child<QComboBox>(tab, "keepRecentBox")->currentText(), "Keep the last week");
    EXPECT_EQ(t.settings.keepRecentDays(), 7);

    child<QComboBox>(tab, "sortByBox")->setCurrentIndex(2);
    emit child<QComboBox>(tab, "sortByBox")->activated(2);
    EXPECT_EQ(t.settings.dateBasis(), DateBasis::cleaned);

    clickCheckBox(child<QCheckBox>(tab, "includeHiddenBox"));
    EXPECT_TRUE(t.settings.includeHidden());

    QTest::mouseClick(child<QPushButton>(tab, "changeButton"), Qt::LeftButton);
    EXPECT_EQ(t.folderChooser.requests().size(), 1u);
}

TEST_F(GeneralSettingsTest, aStoredNumberNoItemStandsForStaysUntilTheUserPicks) {
    t.settings.setKeepRecentDays(5);
    EXPECT_EQ(child<QComboBox>(tab, "keepRecentBox")->currentIndex(), -1);
    EXPECT_EQ(t.settings.keepRecentDays(), 5);
}

TEST_F(GeneralSettingsTest, aLongArchivePathKeepsItsEnd) {
    const auto chosen = t.home.makeFolder(std::string(120, 'p') + "/The Archive");
    t.folderChooser.answer(chosen);
    t.state.chooseDestination();
    tab.resize(520, 600);
    const QString shown = child<ElidedLabel>(tab, "pathLabel")->shownText();
    EXPECT_TRUE(shown.startsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/The Archive"));
}

/// Every control of every tab within the window's 520 points, whatever the archive is called:
/// one that sticks out cannot be reached, since the pages never scroll sideways.
class SettingsLayoutTest : public ::testing::TestWithParam<int> {};

TEST_P(SettingsLayoutTest, everyControlStaysInsideTheWindowWhateverTheArchiveName) {
    test::TestAppState t;
    const std::string name(static_cast<std::size_t>(GetParam()), 'n');
    t.folderChooser.answer(t.home.makeFolder("Archives/" + name));
    t.state.chooseDestination();
    SettingsWindow window{t.state};
    window.present();
    for (int i = 0; i < child<QTabWidget>(window, "tabs")->count(); ++i) {
        child<QTabWidget>(window, "tabs")->setCurrentIndex(i);
        QApplication::processEvents();
        EXPECT_EQ(window.size(), SettingsWindow::fixedSize);
        for (auto* widget :
             child<QTabWidget>(window, "tabs")->currentWidget()->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&window) || widget->inherits("QScrollBar"))
                continue;
            const QRect box(widget->mapTo(&window, QPoint()), widget->size());
            EXPECT_GE(box.left(), 0) << widget->metaObject()->className();
            EXPECT_LE(box.right(), window.width() - 1)
                << "tab " << i << ": " << widget->metaObject()->className() << " "
                << widget->accessibleName().toStdString();
        }
    }
    auto* general = static_cast<GeneralSettings*>(window.page(SettingsTab::general));
    EXPECT_EQ(child<ElidedLabel>(*general, "exampleLabel")->toolTip(), general->examplePath())
        << "full text";
    if (GetParam() >= 50) {
        EXPECT_TRUE(
            child<ElidedLabel>(*general, "exampleLabel")->shownText().contains(QChar(0x2026)));
    }

    MenuBarView panel(t.state, {});
    panel.show();
    auto* link = panel.findChild<LinkButton*>("archiveLink");
    EXPECT_LE(link->mapTo(&panel, QPoint(link->width(), 0)).x(), MenuBarView::panelWidth);
    EXPECT_EQ(link->mapTo(&panel, QPoint(LinkButton::padding, 0)).x(),
              child<ToneLabel>(panel, "headline")->mapTo(&panel, QPoint()).x())
        << "the link's label lines up with the headline";
    EXPECT_EQ(panel.width(), MenuBarView::panelWidth);
}

INSTANTIATE_TEST_SUITE_P(NameLengths, SettingsLayoutTest, ::testing::Values(8, 30, 50, 120, 250));

TEST(SettingsWindowKeys, escapeAndControlWCloseControlQQuits) {
    test::TestAppState t;
    int quits = 0;
    SettingsWindow window{t.state, [&quits] {
                              ++quits;
                          }};
    for (const QKeyCombination keys :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        window.present();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                        keys.key(), keys.keyboardModifiers());
        EXPECT_FALSE(window.isVisible()) << QKeySequence(keys).toString().toStdString();
    }
    window.present();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
}

class ScheduleSettingsTest : public ::testing::Test {
protected:
    ScheduleSettingsTest() { tab.show(); }
    test::TestAppState t;
    ScheduleSettings tab{t.state};
};

TEST_F(ScheduleSettingsTest, defaultsAndTheControlsThatWaitForAutomaticCleaning) {
    EXPECT_FALSE(child<SwitchButton>(tab, "automaticSwitch")->isChecked());
    EXPECT_EQ(child<QComboBox>(tab, "frequencyBox")->currentText(), "Every day");
    EXPECT_EQ(child<QComboBox>(tab, "weekdayBox"), nullptr);
    EXPECT_EQ(child<QTimeEdit>(tab, "timeEdit")->time(), QTime(9, 0));
    EXPECT_EQ(child<ToneLabel>(tab, "statusLabel")->text(), "Automatic cleaning is off");
    EXPECT_TRUE(child<QCheckBox>(tab, "notifyBox")->isChecked());
    EXPECT_FALSE(child<QComboBox>(tab, "frequencyBox")->isEnabled());
    EXPECT_FALSE(child<QTimeEdit>(tab, "timeEdit")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(tab, "openAtLoginBox")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(tab, "notifyBox")->isEnabled());

    QTest::mouseClick(child<SwitchButton>(tab, "automaticSwitch"), Qt::LeftButton);
    EXPECT_TRUE(t.settings.agentEnabled());
    EXPECT_TRUE(child<QComboBox>(tab, "frequencyBox")->isEnabled());
    EXPECT_TRUE(child<QTimeEdit>(tab, "timeEdit")->isEnabled());
    EXPECT_NE(child<ToneLabel>(tab, "statusLabel")->text(), "Automatic cleaning is off");
}

TEST_F(ScheduleSettingsTest, everyWeekAddsTheOnRowWithMondayAndTakesItAwayAgain) {
    t.settings.setAgentEnabled(true);
    child<QComboBox>(tab, "frequencyBox")->setCurrentIndex(1);
    emit child<QComboBox>(tab, "frequencyBox")->activated(1);
    EXPECT_EQ(t.settings.frequency(), ScheduleFrequency::weekly);
    ASSERT_NE(child<QComboBox>(tab, "weekdayBox"), nullptr);
    EXPECT_EQ(child<QComboBox>(tab, "weekdayBox")->currentText(), "Monday");
    EXPECT_EQ(child<QComboBox>(tab, "weekdayBox")->count(), 7);
    EXPECT_EQ(child<QComboBox>(tab, "weekdayBox")->itemText(0), "Sunday");

    child<QComboBox>(tab, "weekdayBox")->setCurrentIndex(6);
    emit child<QComboBox>(tab, "weekdayBox")->activated(6);
    EXPECT_EQ(t.settings.weekday(), 7) << "Saturday";
    child<QComboBox>(tab, "weekdayBox")->setCurrentIndex(0);
    emit child<QComboBox>(tab, "weekdayBox")->activated(0);
    EXPECT_EQ(t.settings.weekday(), 1) << "Sunday";

    t.settings.setFrequency(ScheduleFrequency::daily);
    EXPECT_EQ(child<QComboBox>(tab, "weekdayBox"), nullptr);
    EXPECT_TRUE(tab.findChildren<QComboBox*>().size() == 1) << "the row is gone, not hidden";
}

TEST_F(ScheduleSettingsTest, choosingHalfPastSixInTheEveningStoresEighteenAndThirty) {
    t.settings.setAgentEnabled(true);
    child<QTimeEdit>(tab, "timeEdit")->setTime(QTime(18, 30));
    EXPECT_EQ(t.settings.runHour(), 18);
    EXPECT_EQ(t.settings.runMinute(), 30);
    EXPECT_EQ(child<QTimeEdit>(tab, "timeEdit")->time(), QTime(18, 30));
}

TEST_F(ScheduleSettingsTest, aTypedTimeIsStoredWhenTheUserIsDoneNotAtEachKeystroke) {
    t.settings.setAgentEnabled(true);
    QTimeEdit* edit = child<QTimeEdit>(tab, "timeEdit");
    edit->setFocus();
    edit->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(edit, "1");
    EXPECT_EQ(t.settings.runHour(), 9) << "half typed, nothing stored";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(t.settings.runHour(), 1);
    EXPECT_EQ(t.settings.runMinute(), 0);
}

TEST_F(ScheduleSettingsTest, openAtLoginSpringsBackWhenTheSystemRefuses) {
    clickCheckBox(child<QCheckBox>(tab, "openAtLoginBox"));
    EXPECT_TRUE(t.loginItem.isEnabled());
    EXPECT_TRUE(child<QCheckBox>(tab, "openAtLoginBox")->isChecked());

    t.loginItem.failWith("Could not remove the login item.", true);
    clickCheckBox(child<QCheckBox>(tab, "openAtLoginBox"));
    EXPECT_TRUE(child<QCheckBox>(tab, "openAtLoginBox")->isChecked())
        << "shows what the system did";
    EXPECT_EQ(t.state.statusMessage(), "Could not remove the login item.");
}

/// A formatting locale (LC_ALL) and half past six in the evening as typed there.
class TypedTimeTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(TypedTimeTest, halfPastSixInTheEveningTypedInTheUsersOwnFormatIsStored) {
    test::TestAppState t;
    qputenv("LC_ALL", GetParam().first); // the private home restores it
    t.settings.setAgentEnabled(true);
    ScheduleSettings tab{t.state};
    tab.show();
    QTimeEdit* edit = child<QTimeEdit>(tab, "timeEdit");
    EXPECT_EQ(edit->text(), edit->locale().toString(QTime(9, 0), edit->displayFormat()))
        << "shows what it parses";
    edit->setFocus();
    edit->setSelectedSection(edit->sectionAt(0));
    // Key by key, as typed; QTest's own typing knows only ASCII.
    for (const QChar c : QString::fromUtf8(GetParam().second)) {
        const Qt::Key key = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue())
                            : c == u' ' ? Qt::Key_Space
                            : c == u':' ? Qt::Key_Colon
                            : c == u'.' ? Qt::Key_Period
                            : c.isLetter() && c.unicode() < 128
                                ? Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'))
                                : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, edit, key, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(t.settings.runHour(), 18) << edit->text().toStdString();
    EXPECT_EQ(t.settings.runMinute(), 30);
    EXPECT_FALSE(edit->displayFormat().contains('s')) << "hours and minutes only";
}

INSTANTIATE_TEST_SUITE_P(Locales, TypedTimeTest,
                         ::testing::Values(std::pair{"en_US.UTF-8", "6:30 PM"},
                                           std::pair{"en_US.UTF-8", "6:30 pm"},
                                           std::pair{"ko_KR.UTF-8", "\uc624\ud6c4 6:30"},
                                           std::pair{"de_DE.UTF-8", "18:30"},
                                           std::pair{"es_US.UTF-8", "6:30 p. m."}));

TEST(UpdateSettingsTab, showsTheVersionTheLastCheckAndTheSite) {
    test::TestAppState t;
    UpdateSettings tab{t.updaterModel, AppState::tipURL().host()};
    EXPECT_EQ(child<ToneLabel>(tab, "versionLabel")->text(), "Version 1.0.0");
    EXPECT_EQ(child<ToneLabel>(tab, "lastCheckLabel")->text(), "Never checked");
    EXPECT_FALSE(child<QPushButton>(tab, "checkNowButton")->isEnabled())
        << "the updater has not started";
    EXPECT_FALSE(child<QCheckBox>(tab, "automaticBox")->isChecked());
    const auto help = tab.findChildren<ToneLabel*>();
    EXPECT_TRUE(std::any_of(help.begin(), help.end(), [](ToneLabel* label) {
        return label->text().startsWith("Sorvane checks sorvane.app for new versions.");
    }));
}

TEST(UpdateSettingsTab, withoutAnUpdaterShowsOnlyTheVersion) {
    UpdaterViewModel none{nullptr, [] {
                              return Timestamp{};
                          }};
    UpdateSettings tab{none, AppState::tipURL().host()};
    tab.resize(560, 300);
    QDir().mkpath(SORVANE_RENDER_DIR);
    EXPECT_TRUE(tab.grab().save(SORVANE_RENDER_DIR "/settings-updates-without-checker.png"));
    EXPECT_EQ(child<ToneLabel>(tab, "versionLabel")->text(), "Version 1.0.0");
    EXPECT_EQ(child<ToneLabel>(tab, "lastCheckLabel"), nullptr);
    EXPECT_EQ(child<QPushButton>(tab, "checkNowButton"), nullptr);
    EXPECT_EQ(child<QCheckBox>(tab, "automaticBox"), nullptr);
    none.checkForUpdates();
    none.setAutomaticallyChecks(true);
    EXPECT_FALSE(none.automaticallyChecks()) << "nothing to check with";
}

TEST(WrappedLabel, isAsHighAsAPlainWrappedLabelAtEachWidthAndAfterAFontChange) {
    const QString text =
        QStringLiteral("Could not move \u201Cquarterly report.pdf\u201D: No space left");
    WrappedLabel label(text, ToneLabel::Tone::error, ToneLabel::Size::caption);
    ToneLabel plain(text, ToneLabel::Tone::error, ToneLabel::Size::caption);
    plain.setWordWrap(true);
    for (const int width : {80, 200, 600, 80}) {
        EXPECT_EQ(label.heightForWidth(width), plain.heightForWidth(width)) << width;
        EXPECT_EQ(label.sizeHint(), plain.sizeHint()) << width;
    }
    QFont larger = label.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    label.setFont(larger);
    plain.setFont(larger);
    EXPECT_EQ(label.heightForWidth(200), plain.heightForWidth(200)) << "remembered the old font";
}

class HistoryViewTest : public ::testing::Test {
protected:
    test::TestAppState t;
    HistoryView view{t.state};
};

TEST_F(HistoryViewTest, anEmptyHistoryShowsTheEmptyStateWithBothButtonsDisabled) {
    EXPECT_TRUE(view.showsEmptyState());
    EXPECT_FALSE(view.undoButton()->isEnabled());
    EXPECT_FALSE(view.clearButton()->isEnabled());

    const auto run = t.addRun({"a.txt"}, CleanTrigger::manual);
    EXPECT_FALSE(view.showsEmptyState());
    EXPECT_TRUE(view.undoButton()->isEnabled());
    t.history.markUndone(run.id);
    EXPECT_FALSE(view.undoButton()->isEnabled()) << "only an undone run";
    EXPECT_TRUE(view.clearButton()->isEnabled());

    QTest::mouseClick(view.clearButton(), Qt::LeftButton);
    EXPECT_TRUE(view.showsEmptyState());
    EXPECT_TRUE(t.history.records().empty());
}

TEST_F(HistoryViewTest, rowsShowTheirRunNewestFirstWithBadgeFilesAndErrors) {
    t.addRun({}, CleanTrigger::scheduled, {}, 30);
    const auto undone = t.addRun({"old.txt", "older.txt"}, CleanTrigger::manual, {}, 20);
    t.history.markUndone(undone.id);
    t.addRun({"b.txt"}, CleanTrigger::scheduled, {"Could not move c.txt: Permission denied"});

    const auto rows = view.rows();
    ASSERT_EQ(rows.size(), 3);
    std::map<Uuid, HistoryRow*> byId;
    for (auto* row : rows)
        byId[row->recordId()] = row;
    HistoryRow* withErrors = byId.at(t.history.records()[0].id);
    HistoryRow* undoneRow = byId.at(undone.id);
    HistoryRow* nothing = byId.at(t.history.records()[2].id);

    EXPECT_EQ(nothing->filesButton(), nullptr) << "moved nothing, no Files button";
    ASSERT_NE(undoneRow->undoneBadge(), nullptr);
    EXPECT_EQ(undoneRow->undoneBadge()->text(), "Undone");
    ASSERT_NE(undoneRow->filesButton(), nullptr) << "an undone run still lists its items";
    EXPECT_EQ(withErrors->undoneBadge(), nullptr);
    EXPECT_EQ(withErrors->errorLines(), QStringList{"Could not move c.txt: Permission denied"})
        << "shown while collapsed";

    EXPECT_EQ(undoneRow->filesButton()->text(), "Files");
    QTest::mouseClick(undoneRow->filesButton(), Qt::LeftButton);
    EXPECT_EQ(undoneRow->filesButton()->text(), "Hide");
    EXPECT_TRUE(undoneRow->isExpanded());
    EXPECT_EQ(undoneRow->itemLines(),
              (QStringList{"old.txt  \u2192  2025-03 March", "older.txt  \u2192  2025-03 March"}));

    t.addRun({"new.txt"}, CleanTrigger::manual);
    HistoryRow* again = nullptr;
    for (auto* row : view.rows())
        if (row->recordId() == undone.id)
            again = row;
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isExpanded()) << "an opened row stays open when a new run arrives";
}

TEST_F(HistoryViewTest, aPartlyUndoneRunListsOnlyTheItemsStillInTheArchive) {
    const auto run = t.addRun({"a.txt", "b.txt", "c.txt"}, CleanTrigger::manual);
    t.history.recordPartialUndo(run.id, {run.moved[1]});
    ASSERT_EQ(view.rows().size(), 1);
    HistoryRow* row = view.rows()[0];
    EXPECT_EQ(row->undoneBadge(), nullptr);
    QTest::mouseClick(row->filesButton(), Qt::LeftButton);
    EXPECT_EQ(row->itemLines(), QStringList{"b.txt  \u2192  2025-03 March"});
}

TEST_F(HistoryViewTest, rowsAreMadeOnlyForRunsThatChangedAndItemLinesOnlyWhenShown) {
    const auto first = t.addRun({"a.txt", "b.txt"}, CleanTrigger::manual, {}, 20);
    t.addRun({"c.txt"}, CleanTrigger::scheduled, {}, 10);
    const auto byId = [&](const Uuid& id) -> HistoryRow* {
        for (auto* row : view.rows())
            if (row->recordId() == id)
                return row;
        return nullptr;
    };
    const auto lineCount = [](HistoryRow* row) {
        auto* items = row->findChild<QWidget*>("historyItems");
        return items ? items->findChildren<ElidedLabel*>().size() : 0;
    };
    QList<QPointer<HistoryRow>> before;
    for (auto* row : view.rows()) {
        before << row;
        EXPECT_EQ(lineCount(row), 0) << "no item lines while closed";
    }
    t.addRun({"d.txt"}, CleanTrigger::manual);
    ASSERT_EQ(view.rows().size(), 3);
    for (const auto& row : before)
        EXPECT_TRUE(row) << "a new run leaves the other rows as they are";

    QPointer<HistoryRow> opened = byId(first.id);
    QTest::mouseClick(opened->filesButton(), Qt::LeftButton);
    EXPECT_EQ(lineCount(opened), 2);
    t.history.markUndone(first.id);
    EXPECT_FALSE(opened) << "a changed run gets a row of its own";
    ASSERT_NE(byId(first.id), nullptr);
    EXPECT_EQ(lineCount(byId(first.id)), 2) << "and stays open";

    // A long history, newest first.
    for (int i = 0; i < 30; ++i)
        t.addRun({}, CleanTrigger::scheduled, {}, i);
    HistoryView opening(t.state);
    ASSERT_EQ(opening.rows().size(), 33);
    auto* section = opening.findChild<FormSection*>();
    ASSERT_NE(section, nullptr);
    const auto runs = t.history.runs();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        for (auto* row : opening.rows()) {
            if (row->recordId() == runs[i].id) {
                EXPECT_EQ(section->indexOf(row->parentWidget()), static_cast<int>(i));
            }
        }
    }
}

TEST_F(HistoryViewTest, undoIsDisabledWhileWorkAndPutsTheNewestRunBack) {
    t.putOnDesktop({"a.txt", "b.txt"});
    t.state.cleanNow(CleanTrigger::manual);
    EXPECT_FALSE(view.undoButton()->isEnabled());
    t.waitUntilIdle();
    ASSERT_TRUE(view.undoButton()->isEnabled());
    QTest::mouseClick(view.undoButton(), Qt::LeftButton);
    t.waitUntilIdle();
    EXPECT_TRUE(std::filesystem::exists(t.home.desktop() / "a.txt"));
    ASSERT_EQ(view.rows().size(), 1);
    EXPECT_NE(view.rows()[0]->undoneBadge(), nullptr);
}

} // namespace
} // namespace sorvane
