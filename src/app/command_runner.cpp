// SPDX-License-Identifier: MIT
#include "app/command_runner.h"

#include "app/app_state.h"
#include "app/terminal_text.h"
#include "history/history_store.h"
#include "platform/tag_editor.h"
#include "record/base64.h"

#include <memory>

namespace sorvane {
namespace {

// Status lines and errors name files, and a name may hold anything but "/" and NUL.
QString terminalLine(const QString& text) {
    return QString::fromStdString(TerminalText::line(text.toStdString())) + "\n";
}

// One line per error, for standard error.
QString errorLines(const std::vector<std::string>& errors) {
    QString lines;
    for (const auto& error : errors)
        lines += terminalLine(QString::fromStdString(error));
    return lines;
}

// Calls `handler` on the first emission of `signal` only.
template <class Signal, class Handler> void once(AppState* state, Signal signal, Handler handler) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(state, signal, state, [connection, handler](const auto& value) {
        QObject::disconnect(*connection);
        handler(value);
    });
}

} // namespace

CommandRunner::CommandRunner(AppState& state, QObject* parent) : QObject(parent), m_state(state) {}

bool CommandRunner::handles(const QString& command) {
    return command == "clean" || command == "undo" || command == "pin" || command == "unpin";
}

void CommandRunner::run(const InstanceRequest& request, Reply reply) {
    if (request.command == "clean")
        clean(std::move(reply));
    else if (request.command == "undo")
        undo(std::move(reply));
    else if (request.command == "pin" || request.command == "unpin")
        tag(request.arguments, request.command == "pin", std::move(reply));
    else
        reply({2, {}, tr("sorvane: unknown command '%1'\n").arg(request.command)});
}

void CommandRunner::clean(Reply reply) {
    if (m_state.isWorking())
        return reply({1, {}, tr("Another Sorvane is busy; try again in a moment.\n")});
    once(&m_state, &AppState::cleanFinished, [this, reply](const CleanOutcome& outcome) {
        // The summary is the result; a clean that made no record failed as a whole.
        const QString message = terminalLine(m_state.statusMessage());
        if (!outcome.record)
            return reply({1, {}, message});
        const auto& errors = outcome.record->errors;
        const bool clean = errors.empty() && !m_state.history().saveError();
        reply({clean ? 0 : 1, message, errorLines(errors)});
    });
    m_state.cleanNow(CleanTrigger::manual);
}

void CommandRunner::undo(Reply reply) {
    if (m_state.isWorking())
        return reply({1, {}, tr("Another Sorvane is busy; try again in a moment.\n")});
    m_state.recoverInterrupted();
    if (!m_state.history().lastUndoable())
        return reply({1, {}, tr("Nothing to undo") + "\n"});
    once(&m_state, &AppState::undoFinished, [this, reply](const UndoResult& result) {
        const bool allBack =
            result.remaining.empty() && result.errors.empty() && !m_state.history().saveError();
        reply({allBack ? 0 : 1, terminalLine(m_state.statusMessage()), errorLines(result.errors)});
    });
    m_state.undoLastClean();
}

void CommandRunner::tag(const QStringList& paths, bool pin, Reply reply) {
    InstanceReply answer;
    for (const auto& path : paths) {
        // Paths travel as base64 of their bytes: a name need not be UTF-8.
        const auto bytes = Base64::decode(path.toStdString());
        if (!bytes) {
            answer.exitCode = 1;
            answer.errorOutput += tr("A path arrived garbled; nothing was changed for it.\n");
            continue;
        }
        const std::filesystem::path item = *bytes;
        const auto done =
            pin ? TagEditor::addTag(item, "pinned") : TagEditor::removeTag(item, "pinned");
        if (!done) {
            answer.exitCode = 1;
            answer.errorOutput += terminalLine(QString::fromStdString(done.error().description()));
        }
    }
    if (answer.exitCode == 0 && !paths.isEmpty())
        m_state.refreshCounts();
    reply(answer);
}

} // namespace sorvane
