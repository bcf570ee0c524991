// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <vector>

namespace sorvane {

class AppSettings;
class WakeMonitor;

/// The program's commands for terminals and scripts: preview, clean, undo, history, status,
/// pin, unpin. They need no display, session bus or tray. Commands that change something
/// are handed to the running application when there is one, so that only one process ever
/// writes the history and the preferences.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    /// True when the arguments name a command rather than the tray application.
    static bool handles(int argc, char** argv);
    /// Runs the command and gives the exit status.
    static int run(int argc, char** argv);

private:
    static int runCommand(const std::string& command, const std::vector<std::string>& arguments);
    static int preview(bool json);
    static int history(bool json);
    static int status(bool json);
    static QString scheduleLine(AppSettings& settings, WakeMonitor& wakes);
    static int change(const std::string& command, const std::vector<std::string>& arguments);
};

} // namespace sorvane
