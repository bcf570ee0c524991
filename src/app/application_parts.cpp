// SPDX-License-Identifier: MIT
#include "app/application_parts.h"

#include "app/local_services.h"
#include "history/history_store.h"
#include "platform/dbus_file_viewer.h"
#include "platform/dbus_notifier.h"
#include "platform/desktop_url_opener.h"
#include "platform/qt_folder_chooser.h"
#include "platform/xdg_autostart_login_item.h"
#include "settings/app_settings.h"
#include "updates/update_checking.h"

namespace sorvane {

struct ApplicationParts::Services {
    LocalServices local;
    DesktopUrlOpener urlOpener;
    DbusNotifier notifier;
    XdgAutostartLoginItem loginItem;
    DbusFileViewer fileViewer{urlOpener};
    QtFolderChooser folderChooser;
    AppSettings settings{local.preferences()};
    HistoryStore history;
};

ApplicationParts::ApplicationParts() : m_services(std::make_unique<Services>()) {
    Services& services = *m_services;
    m_updates = std::make_unique<UpdateChecking>(services.local.preferences(), services.urlOpener,
                                                 systemClock);
    m_state = std::make_unique<AppState>(
        services.settings, services.history, m_updates->model(), services.local.files(),
        SystemServices{services.notifier, services.loginItem, services.fileViewer,
                       services.urlOpener, services.folderChooser, services.local.wakeMonitor()},
        systemClock);
}

ApplicationParts::~ApplicationParts() {
    // The state first: it waits for its background work, which uses the services.
    m_state.reset();
}

void ApplicationParts::refreshLoginItem() {
    m_services->loginItem.refresh();
}

FileServices& ApplicationParts::files() {
    return m_services->local.files();
}

} // namespace sorvane
