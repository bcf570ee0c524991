// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include "app/app_state.h"
#include "app/application_parts.h"
#include "app/command_runner.h"
#include "app/display_texts.h"
#include "app/instance_address.h"
#include "app/instance_client.h"
#include "app/interrupted_clean.h"
#include "app/local_services.h"
#include "app/qt_arguments.h"
#include "app/terminal_text.h"
#include "app/termination_signals.h"
#include "app/translations.h"
#include "app/user_lock.h"
#include "engine/desktop_cleaner.h"
#include "history/history_store.h"
#include "platform/user_locale.h"
#include "record/base64.h"
#include "record/clean_record_json.h"
#include "record/iso8601.h"
#include "record/utf8.h"
#include "scheduling/scheduler.h"
#include "settings/app_settings.h"
#include "settings/read_only_preferences_store.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace sorvane {
namespace {

// A clean of many files on a slow disk can take minutes; the running application answers
// when it is done.
constexpr int handOverTimeoutMs = 60 * 60 * 1000;

void print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
}
/// A line that may hold a name: escaped for the terminal.
void printLine(const QString& text) {
    print(QString::fromStdString(TerminalText::line(text.toStdString())) + "\n");
}
void printError(const QString& text) {
    std::fputs(text.toUtf8().constData(), stderr);
}

int usageError(const QString& problem) {
    printError(CommandLine::tr("sorvane: %1; see 'sorvane --help'\n").arg(problem));
    return 2;
}

QString name(const std::filesystem::path& path) {
    return QString::fromStdString(TerminalText::quoted(path.filename().native()));
}

// The form of `preview --json` and `status --json`; raised when a key changes meaning or goes.
constexpr int jsonVersion = 1;

void printJson(const QJsonObject& object) {
    print(QJsonDocument(object).toJson(QJsonDocument::Compact) + "\n");
}

/// A path as the history file writes it: readable under `key`, and where it is not UTF-8,
/// with U+FFFD in its place there and its exact bytes in base64 under `key` + "Bytes".
void addPath(QJsonObject& object, const QString& key, const std::filesystem::path& path) {
    object.insert(key, QString::fromStdString(Utf8::withReplacements(path.native())));
    if (!Utf8::isValid(path.native()))
        object.insert(key + "Bytes", QString::fromStdString(Base64::encode(path.native())));
}

/// What stops a clean, said on standard error.
int failWith(const CleanError& problem) {
    printError(QString::fromStdString(TerminalText::line(problem.errorDescription())) + "\n");
    return 1;
}

/// What the reading commands look at: the settings as stored, never written back, and, for
/// the command that shows it, the history. That command first recovers the record of an
/// interrupted clean, when no other Sorvane is at work; the others only look for one.
struct ReadingWorld {
    explicit ReadingWorld(bool showsHistory = false) {
        if (!showsHistory)
            return;
        history.emplace();
        if (const auto lock = UserLock::tryAcquire())
            InterruptedClean::recoverLeftovers(*history, files);
    }
    /// Says so when a killed clean left a journal that nobody has turned into a record yet.
    void mentionInterrupted() const {
        if (!InterruptedClean::leftovers(HistoryStore::defaultFolder()).empty())
            printError(CommandLine::tr("A clean was interrupted; it is recorded at the next "
                                       "clean, undo or history.\n"));
    }
    LocalServices local;
    ReadOnlyPreferencesStore readOnly{local.preferences()};
    AppSettings settings{readOnly};
    FileServices& files = local.files();
    std::optional<HistoryStore> history;
};

/// What a clean would find now; none when something stops every clean, which is said on
/// standard error.
std::optional<CleanPreview> examineDesktop(ReadingWorld& world) {
    UserLocale::refreshTimeZone();
    auto examined = DesktopCleaner(world.files).examine(world.settings.cleanOptions());
    if (const auto* problem = std::get_if<CleanError>(&examined)) {
        failWith(*problem);
        return std::nullopt;
    }
    return std::get<CleanPreview>(std::move(examined));
}

} // namespace

bool CommandLine::handles(int argc, char** argv) {
    return !QtArguments::startTheTrayApplication({argv + 1, argv + argc});
}

int CommandLine::run(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const Translations translations;
    const std::string command = argv[1];
    std::vector<std::string> arguments(argv + 2, argv + argc);
    return runCommand(command, arguments);
}

int CommandLine::runCommand(const std::string& command, const std::vector<std::string>& arguments) {
    const bool json = arguments == std::vector<std::string>{"--json"};
    if (command == "--help" || command == "-h") {
        print(tr("usage: sorvane [--background] [Qt's options: -platform, -style, ...]\n"
                 "       sorvane preview [--json]\n"
                 "       sorvane clean\n"
                 "       sorvane undo\n"
                 "       sorvane history [--json]\n"
                 "       sorvane status [--json]\n"
                 "       sorvane pin PATH...\n"
                 "       sorvane unpin PATH...\n"
                 "       sorvane --help | --version\n"));
        return 0;
    }
    if (command == "--version") {
        std::printf("Sorvane %s\n", SORVANE_VERSION);
        return 0;
    }
    if (command == "preview" || command == "history" || command == "status") {
        if (!arguments.empty() && !json)
            return usageError(tr("'%1' takes only --json").arg(QString::fromStdString(command)));
        if (command == "status")
            return status(json);
        return command == "preview" ? preview(json) : history(json);
    }
    if (command == "clean" || command == "undo") {
        if (!arguments.empty())
            return usageError(tr("'%1' takes no arguments").arg(QString::fromStdString(command)));
        return change(command, arguments);
    }
    if (command == "pin" || command == "unpin") {
        if (arguments.empty())
            return usageError(
                tr("'%1' needs at least one path").arg(QString::fromStdString(command)));
        return change(command, arguments);
    }
    return usageError(tr("unknown command '%1'").arg(QString::fromStdString(command)));
}

int CommandLine::preview(bool json) {
    ReadingWorld world;
    const auto found = examineDesktop(world);
    if (!found)
        return 1;
    const auto& preview = *found;
    if (json) {
        // An array has no room for a second key beside a name, so a name that is not UTF-8
        // keeps its bytes in an object of its own: {"path": …, "pathBytes": …}.
        QJsonArray eligible;
        for (const auto& item : preview.eligible) {
            if (Utf8::isValid(item.native())) {
                eligible.append(QString::fromStdString(item.native()));
                continue;
            }
            QJsonObject exact;
            addPath(exact, "path", item);
            eligible.append(exact);
        }
        printJson({{"version", jsonVersion},
                   {"eligible", eligible},
                   {"skipped", static_cast<qint64>(preview.skipped)},
                   {"tagged", static_cast<qint64>(preview.tagged)}});
        return 0;
    }
    print(DisplayTexts::headline(static_cast<qint64>(preview.eligible.size())) + "\n");
    for (const auto& item : preview.eligible)
        print(name(item) + "\n");
    if (preview.tagged > 0)
        print(DisplayTexts::taggedLine(preview.tagged) + "\n");
    world.mentionInterrupted();
    return 0;
}

int CommandLine::history(bool json) {
    ReadingWorld world(true);
    if (json) {
        std::fputs(CleanRecordJson::encode(world.history->records()).c_str(), stdout);
        std::fputs("\n", stdout);
        return 0;
    }
    for (const auto& record : world.history->runs())
        printLine(DisplayTexts::runDate(record.date) + "  " +
                  DisplayTexts::triggerWord(record.trigger) + " \u00B7 " +
                  DisplayTexts::summary(record) + (record.undone ? tr(" (Undone)") : QString()));
    return 0;
}

int CommandLine::status(bool json) {
    ReadingWorld world;
    const auto found = examineDesktop(world);
    if (!found)
        return 1;
    const auto& preview = *found;
    if (json) {
        const Scheduler scheduler(world.settings, systemClock, world.local.wakeMonitor());
        QJsonObject object{{"version", jsonVersion},
                           {"eligible", static_cast<qint64>(preview.eligible.size())},
                           {"skipped", static_cast<qint64>(preview.skipped)},
                           {"tagged", static_cast<qint64>(preview.tagged)},
                           {"automatic", world.settings.agentEnabled()},
                           {"schedule", world.settings.scheduleDescription()}};
        addPath(object, "archive", world.settings.resolvedDestination());
        const auto next = scheduler.nextRunDate(systemClock());
        object.insert("nextClean", next ? QJsonValue(QString::fromStdString(Iso8601::format(*next)))
                                        : QJsonValue());
        printJson(object);
        return 0;
    }
    print(DisplayTexts::headline(static_cast<qint64>(preview.eligible.size())) + "\n");
    if (preview.tagged > 0)
        print(DisplayTexts::taggedLine(preview.tagged) + "\n");
    printLine(DisplayTexts::archiveLine(world.settings.resolvedDestination()));
    print(scheduleLine(world.settings, world.local.wakeMonitor()));
    world.mentionInterrupted();
    return 0;
}

QString CommandLine::scheduleLine(AppSettings& settings, WakeMonitor& wakes) {
    if (!settings.agentEnabled())
        return settings.scheduleDescription() + "\n";
    // The running application's scheduler has counted since it started; without one, say
    // when the next clean would be if Sorvane ran from now on.
    if (!UserLock::tryAcquire()) {
        const auto socket = InstanceAddress::find();
        if (const auto reply =
                socket ? InstanceClient::send(*socket, {"status", {}}, 5000) : std::nullopt;
            reply && reply->exitCode == 0)
            return reply->output;
    }
    const Scheduler scheduler(settings, systemClock, wakes);
    return scheduler.statusText() + "\n";
}

int CommandLine::change(const std::string& command, const std::vector<std::string>& arguments) {
    InstanceRequest request{QString::fromStdString(command), {}};
    for (const auto& argument : arguments) {
        // Relative to where the command was typed, not to where the application runs.
        const auto path = std::filesystem::absolute(argument).lexically_normal();
        request.arguments.append(QString::fromStdString(Base64::encode(path.native())));
    }

    const auto lock = UserLock::tryAcquire();
    if (!lock) {
        // Ctrl+C here only stops the waiting: the running application carries on.
        const auto socket = InstanceAddress::find();
        const auto reply =
            socket ? InstanceClient::send(*socket, request, handOverTimeoutMs) : std::nullopt;
        if (!reply) {
            printError(tr("Another Sorvane is busy; try again in a moment.\n"));
            return 1;
        }
        print(reply->output);
        printError(reply->errorOutput);
        return reply->exitCode;
    }

    ApplicationParts parts;
    AppState& state = parts.state();
    state.setCountsShown(false);
    CommandRunner runner(state);
    const bool showProgress = isatty(STDERR_FILENO);
    if (showProgress)
        QObject::connect(&state, &AppState::progressChanged, [&state] {
            const auto [done, total] = state.progress();
            printError(QStringLiteral("\r") + tr("%1 of %2").arg(done).arg(total));
        });
    // The first Ctrl+C (or SIGTERM) lets the run finish its item and record itself; a second
    // one ends the program at once, and the journal covers what was under way.
    TerminationSignals termination;
    bool stopping = false;
    QObject::connect(&termination, &TerminationSignals::received, [&state, &stopping] {
        if (std::exchange(stopping, true))
            std::_Exit(130);
        state.finishWork([] {});
    });
    std::optional<int> exitCode;
    runner.run(request, [&](const InstanceReply& reply) {
        if (showProgress)
            std::fputs("\r\033[K", stderr);
        print(reply.output);
        printError(reply.errorOutput);
        exitCode = reply.exitCode;
        QCoreApplication::exit(0);
    });
    // The runner may have answered at once (nothing to undo, a pin).
    if (!exitCode)
        QCoreApplication::exec();
    return exitCode.value_or(1);
}

} // namespace sorvane
