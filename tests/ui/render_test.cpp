// SPDX-License-Identifier: MIT
#include "app/display_texts.h"
#include "app/translations.h"
#include "fakes/test_app_state.h"
#include "support/file_attributes.h"
#include "support/named_child.h"
#include "ui/history_row.h"
#include "ui/history_view.h"
#include "ui/link_button.h"
#include "ui/menu_bar_view.h"
#include "ui/menu_row_button.h"
#include "ui/panel_popup.h"
#include "ui/settings_window.h"
#include "ui/tone_label.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

// Renders every view to a PNG under the build folder, for people to look at. Each test checks
// that the picture was written and is not blank.
namespace sorvane {
namespace {

using test::child;
using test::shownChild;
using test::topLevel;

void save(QWidget& widget, const QString& name) {
    QDir().mkpath(SORVANE_RENDER_DIR);
    const QString path = QStringLiteral(SORVANE_RENDER_DIR "/%1.png").arg(name);
    const QImage image = widget.grab().toImage();
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    // A picture of one colour means nothing was drawn.
    const QRgb first = image.pixel(image.width() / 2, image.height() / 3);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3)
        for (int x = 0; x < image.width() && !varied; x += 3)
            varied = image.pixel(x, y) != first;
    EXPECT_TRUE(varied) << path.toStdString();
}

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2e));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x36));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x8b, 0xfd));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(0x6c, 0xa8, 0xff));
    dark.setColor(QPalette::Mid, QColor(0x55, 0x55, 0x58));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::Button, QColor(0x35, 0x35, 0x38));
    return dark;
}

/// A Desktop of twelve items, three of them tagged, after a clean of earlier items, with a
/// status line.
void busyDesktop(test::TestAppState& t) {
    t.putOnDesktop({"old notes.txt", "scan.pdf"});
    t.clean();
    std::vector<std::string> names;
    for (int i = 1; i <= 15; ++i)
        names.push_back("Screenshot " + std::to_string(i) + ".png");
    t.putOnDesktop(names);
    for (int i = 1; i <= 3; ++i)
        test::setTags(t.home.desktop() / names[static_cast<std::size_t>(i)], "keep");
    t.recount();
    t.state.revealArchive();
    ASSERT_EQ(t.state.pendingCount(), 12);
}

/// Each view in the light palette the tests start with, in a dark one, and in German, whose
/// longer words show what a translation does to the layout; the pictures carry the name.
class Render : public ::testing::TestWithParam<const char*> {
protected:
    Render() : m_light(QApplication::palette()) {
        if (dark())
            QApplication::setPalette(darkPalette());
        if (std::string_view(GetParam()) == "german") {
            m_german.emplace(QLocale(QLocale::German, QLocale::Germany));
            EXPECT_EQ(DisplayTexts::headline(0).toStdString(),
                      "Ihr Schreibtisch ist schon aufger\u00E4umt")
                << "the German translation is not there";
        }
    }
    ~Render() override { QApplication::setPalette(m_light); }

    bool dark() const { return std::string_view(GetParam()) == "dark"; }
    /// A German session writes dates and times the German way too, as LANG=de_DE.UTF-8 does.
    void sessionLocale(test::TestAppState& t) const {
        if (std::string_view(GetParam()) == "german")
            t.home.env.set("LC_ALL", "de_DE.UTF-8");
    }
    QString named(const char* view) const {
        return QStringLiteral("%1-%2").arg(QLatin1String(view), QLatin1String(GetParam()));
    }

private:
    QPalette m_light;
    std::optional<Translations> m_german;
};

TEST_P(Render, panelWithAnEmptyDesktop) {
    test::TestAppState t;
    sessionLocale(t);
    auto* content = new MenuBarView(t.state, {});
    PanelPopup popup{content};
    popup.showAt(QRect(600, 0, 22, 22));
    t.waitUntilIdle();
    QTest::qWait(50);
    save(popup, named("panel-empty"));
}

TEST_P(Render, panelWithTwelveItemsTaggedFilesAStatusLineAndAnUndoRow) {
    test::TestAppState t;
    sessionLocale(t);
    busyDesktop(t);
    t.settings.setAgentEnabled(true);
    auto* content = new MenuBarView(t.state, {});
    PanelPopup popup{content};
    popup.showAt(QRect(600, 0, 22, 22));
    ASSERT_NE(shownChild<MenuRowButton>(*content, "undoRow"), nullptr);
    ASSERT_NE(shownChild<ToneLabel>(*content, "statusLine"), nullptr);
    // The pointer over a row, and the keyboard focus on another.
    auto* row = popup.findChild<QWidget*>("tipRow");
    QTest::mouseMove(popup.windowHandle(), row->mapTo(&popup, row->rect().center()));
    QApplication::processEvents();
    save(popup, named("panel-twelve-items"));
}

TEST_P(Render, panelWhenTheDesktopIsInsideTheArchive) {
    test::TestAppState t;
    sessionLocale(t);
    t.putOnDesktop({"notes.txt"});
    t.settings.setResolvedDestination(t.home.path());
    t.recount();
    auto* content = new MenuBarView(t.state, {});
    PanelPopup popup{content};
    popup.showAt(QRect(600, 0, 22, 22));
    EXPECT_EQ(child<ToneLabel>(*content, "headline")->text(), t.state.countsProblem());
    EXPECT_FALSE(t.state.countsProblem().isEmpty());
    save(popup, named("panel-desktop-inside-archive"));
}

TEST_P(Render, eachSettingsTabWithALongArchiveName) {
    test::TestAppState t;
    sessionLocale(t);
    t.folderChooser.answer(t.home.makeFolder("Archives/Scans, receipts and other paperwork 2026"));
    t.state.chooseDestination();
    t.settings.setAgentEnabled(true);
    t.settings.setFrequency(ScheduleFrequency::weekly);
    SettingsWindow window{t.state};
    window.present();
    const char* names[] = {"settings-general", "settings-schedule", "settings-updates",
                           "settings-history-empty"};
    for (int i = 0; i < 4; ++i) {
        child<QTabWidget>(window, "tabs")->setCurrentIndex(i);
        QTest::qWait(20);
        save(window, named(names[i]));
    }
}

TEST_P(Render, historyWithSeveralRuns) {
    test::TestAppState t;
    sessionLocale(t);
    t.addRun({}, CleanTrigger::scheduled, {}, 60 * 24 * 3);
    const auto undone =
        t.addRun({"report.pdf", "notes.txt"}, CleanTrigger::manual, {}, 60 * 24 * 2);
    t.history.markUndone(undone.id);
    t.addRun({"photo.jpg", "a very long file name that will not fit on one line at all.png"},
             CleanTrigger::scheduled,
             {"Could not move locked.txt: Permission denied",
              "Could not move big.iso: No space left on device"},
             60 * 5);
    t.addRun({"Screenshot 1.png", "Screenshot 2.png", "budget.ods"}, CleanTrigger::manual);
    SettingsWindow window{t.state};
    child<QTabWidget>(window, "tabs")->setCurrentIndex(3);
    window.present();
    auto* view = static_cast<HistoryView*>(window.page(SettingsTab::history));
    ASSERT_NE(view, nullptr);
    for (auto* row : view->rows())
        if (row->recordId() == t.history.records()[1].id)
            QTest::mouseClick(row->filesButton(), Qt::LeftButton);
    QTest::qWait(0);
    save(window, named("settings-history-runs"));
}

TEST_P(Render, aLongHistoryScrolledByStepsLooksAsWhenPaintedWhole) {
    test::TestAppState t;
    sessionLocale(t);
    for (int i = 0; i < 60; ++i)
        t.addRun({"report " + std::to_string(i) + ".pdf"}, CleanTrigger::scheduled,
                 i % 7 == 0 ? std::vector<std::string>{"Could not move big.iso: No space left"}
                            : std::vector<std::string>{},
                 60 * 24 * (59 - i));
    SettingsWindow window{t.state};
    child<QTabWidget>(window, "tabs")->setCurrentIndex(3);
    window.present();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* scroll = window.page(SettingsTab::history)->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    // Each step repaints only the strip that scrolls into sight, next to what was painted before.
    for (int step = 0; step < 40; ++step) {
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->value() + 37);
        QTest::qWait(0);
    }
    ASSERT_GT(scroll->verticalScrollBar()->value(), 1000);
    save(window, named("settings-history-long"));
    const QImage shown =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage whole = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), whole.size());
    int firstDifferentRow = -1;
    for (int y = 0; y < shown.height() && firstDifferentRow < 0; ++y)
        if (std::memcmp(shown.constScanLine(y), whole.constScanLine(y),
                        static_cast<std::size_t>(shown.bytesPerLine())) != 0)
            firstDifferentRow = y;
    EXPECT_EQ(firstDifferentRow, -1) << "painted in strips, the window differs from a whole paint";
}

INSTANTIATE_TEST_SUITE_P(Palettes, Render, ::testing::Values("light", "dark", "german"));

} // namespace
} // namespace sorvane
