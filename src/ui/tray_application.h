// SPDX-License-Identifier: MIT
#pragma once

namespace sorvane {

/// The program as the user knows it: the tray icon, its panel and the settings window, over
/// the running application. A second start hands over to the first and ends.
class TrayApplication {
public:
    /// Runs until the user quits; gives the exit status. `--background` (the login start)
    /// shows nothing until asked.
    static int run(int argc, char** argv);
};

} // namespace sorvane
