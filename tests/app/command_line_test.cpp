// SPDX-License-Identifier: MIT
#include "app/app_state.h"
#include "app/command_runner.h"
#include "app/instance_address.h"
#include "app/instance_server.h"
#include "app/terminal_text.h"
#include "app/user_lock.h"
#include "fakes/fake_file_viewer.h"
#include "fakes/fake_folder_chooser.h"
#include "fakes/fake_login_item.h"
#include "fakes/fake_notifier.h"
#include "fakes/fake_url_opener.h"
#include "fakes/memory_preferences_store.h"
#include "fakes/recording_update_presenter.h"
#include "history/history_store.h"
#include "platform/posix_file_services.h"
#include "platform/wake_monitor.h"
#include "settings/app_settings.h"
#include "support/file_attributes.h"
#include "support/private_home.h"
#include "updates/updater.h"
#include "updates/updater_view_model.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode = -1;
    QString output;
    QString errors;
};

// Runs the built program in the private home, with no display and no session bus.
class CommandLineTest : public ::testing::Test {
protected:
    CommandLineTest() {
        fs::create_directory(home / "run");
        home.env.set("XDG_RUNTIME_DIR", (home / "run").native());
        home.env.unset("DISPLAY");
        home.env.unset("WAYLAND_DISPLAY");
        home.env.unset("DBUS_SESSION_BUS_ADDRESS");
    }

    ProgramRun sorvane(const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(home.path().native()));
        // Started from a thread of its own would not let the test's event loop answer a
        // request handed over to it; waiting here keeps the loop turning.
        process.start(SORVANE_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForStarted());
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30'000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    fs::path file(const std::string& name) { return home.writeFile(home.desktop() / name); }

    test::PrivateHome home;
};

TEST_F(CommandLineTest, previewListsWhatACleanWouldMoveSafelyAndAsJson) {
    file("a.txt");
    file("line\nbreak");
    test::setTags(file("pinned.txt"), "work");
    const auto text = sorvane({"preview"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.output, "2 items waiting on your desktop\na.txt\n$'line\\nbreak'\n"
                           "1 tagged file stays put\n");

    const auto json = sorvane({"preview", "--json"});
    const auto object = QJsonDocument::fromJson(json.output.toUtf8()).object();
    EXPECT_EQ(object["eligible"].toArray().size(), 2);
    EXPECT_EQ(object["eligible"].toArray()[0].toString(),
              QString::fromStdString((home.desktop() / "a.txt").native()));
    EXPECT_EQ(object["skipped"].toInt(), 1);
    EXPECT_EQ(object["tagged"].toInt(), 1);
    EXPECT_EQ(object["version"].toInt(), 1);

    // A name that is not UTF-8 keeps its bytes, as in the history's JSON.
    fs::remove(home.desktop() / "a.txt");
    fs::remove(home.desktop() / "line\nbreak");
    const auto latin1 = file("caf\xE9.txt");
    const auto exact = QJsonDocument::fromJson(sorvane({"preview", "--json"}).output.toUtf8())
                           .object()["eligible"]
                           .toArray()[0]
                           .toObject();
    EXPECT_EQ(exact["path"].toString(),
              QString::fromStdString((home.desktop() / "caf\uFFFD.txt").native()));
    EXPECT_EQ(QByteArray::fromBase64(exact["pathBytes"].toString().toLatin1()).toStdString(),
              latin1.native());
}

TEST_F(CommandLineTest, cleanHistoryAndUndoGoTheWholeWay) {
    file("a.txt");
    file("b.txt");
    const auto cleaned = sorvane({"clean"});
    EXPECT_EQ(cleaned.exitCode, 0);
    EXPECT_EQ(cleaned.output, "2 items moved\n");
    EXPECT_TRUE(fs::exists(home.archive()));
    EXPECT_FALSE(fs::exists(home.desktop() / "a.txt"));

    const auto listed = sorvane({"history"});
    EXPECT_THAT(listed.output.toStdString(), HasSubstr("  Manual \u00B7 2 items moved\n"));
    const auto json = QJsonDocument::fromJson(sorvane({"history", "--json"}).output.toUtf8());
    EXPECT_EQ(json.array().size(), 1);

    const auto undone = sorvane({"undo"});
    EXPECT_EQ(undone.exitCode, 0);
    EXPECT_EQ(undone.output, "Put 2 items back on the desktop\n");
    EXPECT_TRUE(fs::exists(home.desktop() / "a.txt"));
    EXPECT_THAT(sorvane({"history"}).output.toStdString(), HasSubstr("(Undone)"));

    const auto nothing = sorvane({"undo"});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(nothing.output, "");
    EXPECT_EQ(nothing.errors, "Nothing to undo\n");
}

TEST_F(CommandLineTest, aRunThatFailsOrCannotBeRecordedSaysSoInItsExitStatus) {
    file("a.txt");
    home.writeFile(home.archive(), "a file where the archive folder should be");
    const auto cleaned = sorvane({"clean"});
    EXPECT_EQ(cleaned.exitCode, 1);
    EXPECT_EQ(cleaned.output, "");
    EXPECT_THAT(cleaned.errors.toStdString(), StartsWith("Could not create or open the archive"));
    fs::remove(home.archive());

    const fs::path historyFile = home / ".local/share/Sorvane/history.json";
    fs::create_directories(historyFile); // a folder in the file's place
    const auto unsaved = sorvane({"clean"});
    EXPECT_EQ(unsaved.exitCode, 1);
    EXPECT_EQ(unsaved.output,
              "1 item moved, but the history could not be saved (Is a directory)\n");
    const auto refused = sorvane({"undo"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.output,
              "Nothing was put back: the history could not be saved (Is a directory)\n");
    EXPECT_THAT(sorvane({"status"}).errors.toStdString(), HasSubstr("A clean was interrupted"));

    fs::remove(historyFile);
    const auto undone = sorvane({"undo"}); // the journal kept the run
    EXPECT_EQ(undone.exitCode, 0);
    EXPECT_EQ(undone.output, "Put 1 item back on the desktop\n");
    EXPECT_TRUE(fs::exists(home.desktop() / "a.txt"));
}

TEST_F(CommandLineTest, statusTellsTheDesktopTheArchiveAndTheSchedule) {
    file("a.txt");
    const auto status = sorvane({"status"});
    EXPECT_EQ(status.exitCode, 0);
    EXPECT_EQ(status.output, "1 item waiting on your desktop\nFiles go to Desktop Archive\n"
                             "Every day at 9:00\u202FAM\n");
    const auto json =
        QJsonDocument::fromJson(sorvane({"status", "--json"}).output.toUtf8()).object();
    EXPECT_EQ(json["version"].toInt(), 1);
    EXPECT_EQ(json["eligible"].toInt(), 1);
    EXPECT_EQ(json["archive"].toString(), QString::fromStdString(home.archive().native()));
    EXPECT_FALSE(json["automatic"].toBool());
    EXPECT_TRUE(json["nextClean"].isNull()) << "automatic cleaning is off";

    // What stops every clean is said, never counted as a clear Desktop.
    struct Case {
        const char* destination;
        bool desktop;
        std::string says;
    };
    const Case cases[] = {
        {nullptr, false, "Could not find your Desktop folder.\n"},
        {"", true,
         "Your Desktop folder is inside the archive folder; choose another archive "
         "folder.\n"},
        {"~/Archive", true,
         "The archive folder \u201C~/Archive\u201D is not a full path; choose the archive "
         "folder again.\n"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.says);
        if (entry.destination)
            home.writeFile(".config/Sorvane/preferences.json",
                           std::string(R"({"destinationPath": ")") +
                               (*entry.destination ? entry.destination : home.path().c_str()) +
                               "\"}");
        if (!entry.desktop)
            fs::remove_all(home.desktop());
        else
            fs::create_directories(home.desktop());
        for (const char* command : {"status", "preview"}) {
            const auto run = sorvane({command});
            EXPECT_EQ(run.exitCode, 1) << command;
            EXPECT_EQ(run.output, "") << command;
            EXPECT_EQ(run.errors, QString::fromStdString(entry.says)) << command;
        }
    }
}

TEST(TerminalTextTest, WhatCouldDriveOrMisleadATerminalIsEscapedAsTheShellReadsIt) {
    const std::pair<std::string, std::string> names[] = {
        {"plain caf\u00E9.txt", "plain caf\u00E9.txt"},
        {"title\x1B]0;owned\x07", "$'title\\e]0;owned\\x07'"},
        {"c1 \xC2\x9B"
         "2J",
         "$'c1 \\u009B2J'"},
        {"raw \x9B byte", "$'raw \\x9B byte'"},
        {"bad \xFF utf-8", "$'bad \\xFF utf-8'"},
        {"del\x7F", "$'del\\x7F'"},
        {"txt.\u202Eexe", "$'txt.\\u202Eexe'"},
        {"it's \\ \n", "$'it\\'s \\\\ \\n'"},
    };
    for (const auto& [name, shown] : names)
        EXPECT_EQ(TerminalText::quoted(name), shown) << name;
    EXPECT_EQ(TerminalText::line("Could not move \u201Ca\x1B[2Jb\u201D: it's gone"),
              "Could not move \u201Ca$'\\e'[2Jb\u201D: it's gone");
}

TEST_F(CommandLineTest, noCommandPrintsAControlCharacterOfAName) {
    const std::string hostile = "x\x1B]0;owned\x07\xC2\x9B\xE2\x80\xAEtxt.exe\x9B\nline";
    file(hostile);
    const auto hasControl = [](const QString& text) {
        for (const QChar c : text)
            if ((c.unicode() < 0x20 && c != '\n') || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) ||
                c.unicode() == 0x202E || c == QChar::ReplacementCharacter)
                return true;
        return false;
    };
    const auto preview = sorvane({"preview"});
    EXPECT_FALSE(hasControl(preview.output)) << preview.output.toStdString();
    const auto json = sorvane({"preview", "--json"});
    const auto eligible = QJsonDocument::fromJson(json.output.toUtf8())["eligible"].toArray();
    ASSERT_EQ(eligible.size(), 1);
    ASSERT_TRUE(eligible[0].isObject()) << "a name that is not UTF-8 keeps its bytes";
    EXPECT_TRUE(eligible[0].toObject()["path"].toString().endsWith("\n"
                                                                   "line"))
        << "JSON escaping only";

    // An error line names the file (a name given as an argument is valid UTF-8).
    const auto failed = sorvane({"pin", "missing \x1B[2J\xC2\x9B\xE2\x80\xAE\nline"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_FALSE(hasControl(failed.errors)) << failed.errors.toStdString();
    EXPECT_THAT(failed.errors.toStdString(), HasSubstr("$'\\e'[2J$'\\u009B\\u202E\\n'line"));
    const auto cleaned = sorvane({"clean"});
    EXPECT_FALSE(hasControl(cleaned.output + cleaned.errors));
    for (const char* command : {"history", "status", "undo"}) {
        const auto run = sorvane({command});
        EXPECT_FALSE(hasControl(run.output + run.errors)) << command;
    }
}

TEST_F(CommandLineTest, pinAndUnpinKeepOtherTagsAndRefuseLinks) {
    const auto item = file("report.pdf");
    test::setTags(item, "work");
    EXPECT_EQ(sorvane({"pin", "Desktop/report.pdf"}).exitCode, 0);
    EXPECT_EQ(test::tags(item), "work,pinned");
    EXPECT_EQ(sorvane({"unpin", QString::fromStdString(item.native())}).exitCode, 0);
    EXPECT_EQ(test::tags(item), "work");

    fs::create_symlink(item, home.desktop() / "link");
    const auto refused = sorvane({"pin", "Desktop/link", "missing"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.errors.toStdString(), HasSubstr("symbolic link"));
    EXPECT_THAT(refused.errors.toStdString(), HasSubstr("\u201Cmissing\u201D"));
}

// LANG alone names a German session: results, errors, the engine's lines and the system's
// error texts read German; the hour cycle is the German one, the archive keeps its name.
TEST_F(CommandLineTest, aGermanSessionReadsGermanThroughout) {
    home.env.unset("LC_ALL");
    home.env.set("LANG", "de_DE.UTF-8");
    file("a.txt");
    file("b.txt");
    const auto status = sorvane({"status"});
    EXPECT_EQ(status.output, "2 Objekte warten auf Ihrem Schreibtisch\n"
                             "Dateien kommen nach Desktop Archive\nJeden Tag um 09:00\n");
    EXPECT_THAT(sorvane({"--help"}).output.toStdString(), StartsWith("Aufruf: sorvane"));
    EXPECT_EQ(sorvane({"bogus"}).errors,
              "sorvane: unbekannter Befehl \u00BBbogus\u00AB; siehe \u00BBsorvane --help\u00AB\n");
    EXPECT_EQ(sorvane({"pin", "missing"}).errors,
              "\u201Emissing\u201C konnte kein Schlagwort erhalten: Datei oder Ordner nicht "
              "vorhanden.\n");
    const auto clean = sorvane({"clean"});
    EXPECT_EQ(clean.output, "2 Objekte verschoben\n");
    EXPECT_TRUE(fs::is_directory(home.archive())) << "the archive keeps its English name";
    fs::remove_all(home.desktop());
    EXPECT_EQ(sorvane({"preview"}).errors, "Ihr Schreibtischordner wurde nicht gefunden.\n");

    // As with the C library's messages: the C locale reads English whatever LANGUAGE says.
    home.env.set("LANGUAGE", "de");
    home.env.set("LC_ALL", "C.UTF-8");
    EXPECT_THAT(sorvane({"--help"}).output.toStdString(), StartsWith("usage: sorvane"));
}

TEST_F(CommandLineTest, usageMistakesGiveOneLineAndStatusTwo) {
    for (const QStringList& wrong : {QStringList{"bogus"}, QStringList{"clean", "now"},
                                     QStringList{"pin"}, QStringList{"history", "--xml"}}) {
        const auto run = sorvane(wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_EQ(run.errors.count('\n'), 1);
    }
    EXPECT_EQ(sorvane({"--version"}).output, "Sorvane 1.0.0\n");
    EXPECT_EQ(sorvane({"-stylesheet"}).exitCode, 2) << "Qt's option without its value";
}

TEST_F(CommandLineTest, theTrayApplicationWithoutADisplaySaysSoInsteadOfAborting) {
    const char* message = "no graphical session; the command line works: sorvane --help\n";
    struct Case {
        const char* what;
        QStringList arguments;
        const char* display;
        const char* platform;
    };
    const Case cases[] = {
        {"no display", {}, nullptr, nullptr},
        {"an unreachable display, with Qt's options",
         {"-style", "fusion", "--background"},
         ":97",
         nullptr},
        {"X11 asked for by the environment", {}, nullptr, "xcb"},
        {"X11 asked for by the option", {"-platform", "xcb"}, ":97", "offscreen"},
        {"Wayland without a compositor", {}, nullptr, "wayland"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.display ? home.env.set("DISPLAY", c.display) : home.env.unset("DISPLAY");
        c.platform ? home.env.set("QT_QPA_PLATFORM", c.platform)
                   : home.env.unset("QT_QPA_PLATFORM");
        const auto run = sorvane(c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.errors, message);
        EXPECT_EQ(run.output, "");
    }
    EXPECT_EQ(sorvane({"--help"}).exitCode, 0);
}

TEST_F(CommandLineTest, aCommandFromCronIsHandedToTheRunningApplicationAndEveryRecordKept) {
    // The running application: it holds the lock and answers on its socket.
    auto lock = UserLock::tryAcquire();
    ASSERT_TRUE(lock);
    PosixFileServices files;
    MemoryPreferencesStore preferences;
    AppSettings settings{preferences};
    HistoryStore history;
    test::FakeNotifier notifier;
    test::FakeLoginItem loginItem;
    test::FakeFileViewer fileViewer;
    test::FakeUrlOpener urlOpener;
    test::FakeFolderChooser folderChooser;
    WakeMonitor wakeMonitor;
    test::RecordingUpdatePresenter presenter;
    auto now = [] {
        return std::chrono::system_clock::now();
    };
    Updater updater{preferences, presenter, QVersionNumber(1, 0, 0), now,
                    Updater::defaultOptions()};
    UpdaterViewModel updaterModel{&updater, now};
    AppState state(settings, history, updaterModel, files,
                   {notifier, loginItem, fileViewer, urlOpener, folderChooser, wakeMonitor});
    CommandRunner runner(state);
    InstanceServer server(
        [&](const InstanceRequest& request, auto reply) { runner.run(request, reply); });
    const auto socket = InstanceAddress::chooseSocket();
    ASSERT_TRUE(socket && server.listen(*socket) && InstanceAddress::publish(*socket));

    // The application and a command started by cron (no XDG_RUNTIME_DIR) clean in turn.
    for (int turn = 0; turn < 4; ++turn) {
        file("turn " + std::to_string(turn));
        if (turn % 2 == 0) {
            state.cleanNow(CleanTrigger::scheduled);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !state.isWorking(); }, 10'000));
            continue;
        }
        home.env.unset("XDG_RUNTIME_DIR");
        const auto cleaned = sorvane({"clean"});
        home.env.set("XDG_RUNTIME_DIR", (home / "run").native());
        EXPECT_EQ(cleaned.exitCode, 0);
        EXPECT_EQ(cleaned.output, "1 item moved\n");
    }
    EXPECT_EQ(HistoryStore().records().size(), 4u) << "every record is in the file";
}

TEST_F(CommandLineTest, withTheLockTakenAndNobodyAnsweringACommandSaysItIsBusy) {
    auto lock = UserLock::tryAcquire();
    ASSERT_TRUE(lock);
    const auto run = sorvane({"clean"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, "Another Sorvane is busy; try again in a moment.\n");
}

} // namespace
} // namespace sorvane
