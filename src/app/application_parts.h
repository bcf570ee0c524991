// SPDX-License-Identifier: MIT
#pragma once

#include "app/app_state.h"

#include <memory>

namespace sorvane {

class AppSettings;
class HistoryStore;
class UpdateChecking;

/// Everything the running program is made of on Linux, built once and wired together: the
/// `LocalServices`, the desktop services, the stores, the updater and the application state.
/// With `LocalServices`, the one place that picks the real implementations; everything else
/// receives its collaborators.
///
/// The program's entry makes one, after the Qt application object and inside its lifetime,
/// so that background work has ended and every D-Bus object is gone before Qt shuts down.
class ApplicationParts {
public:
    ApplicationParts();
    ~ApplicationParts();
    ApplicationParts(const ApplicationParts&) = delete;
    ApplicationParts& operator=(const ApplicationParts&) = delete;

    AppState& state() { return *m_state; }
    FileServices& files();
    /// Brings the login entry up to date with this program; for the tray application's start.
    void refreshLoginItem();

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<UpdateChecking> m_updates;
    std::unique_ptr<AppState> m_state;
};

} // namespace sorvane
