#include "app/application_parts.h"

#include "history/history_store.h"
#include "platform/dbus_file_viewer.h"
#include "platform/dbus_notifier.h"
#include "platform/desktop_url_opener.h"
#include "platform/posix_file_services.h"
#include "platform/qt_folder_chooser.h"
#include "platform/xdg_autostart_login_item.h"
#include "settings/app_settings.h"
#include "updates/update_checking.h"

namespace sorvane {

struct ApplicationParts::Services {
    PosixFileServices files;
    DesktopUrlOpener urlOpener;
    DbusNotifier notifier;
    XdgAutostartLoginItem loginItem;
    DbusFileViewer fileViewer{urlOpener};
    QtFolderChooser folderChooser;
};

ApplicationParts::ApplicationParts() : m_services(std::make_unique<Services>()) {
    auto now = [] {
        return std::chrono::system_clock::now();
    };
    auto& settings = AppSettings::shared();
    m_updates = std::make_unique<UpdateChecking>(settings.defaults(), m_services->urlOpener, now);
    m_state = std::make_unique<AppState>(
        settings, HistoryStore::shared(), m_updates->model(), m_services->files,
        SystemServices{m_services->notifier, m_services->loginItem, m_services->fileViewer,
                       m_services->urlOpener, m_services->folderChooser},
        now);
}

ApplicationParts::~ApplicationParts() {
    // The state first: it waits for its background work, which uses the services.
    m_state.reset();
}

void ApplicationParts::refreshLoginItem() {
    m_services->loginItem.refresh();
}

FileServices& ApplicationParts::files() {
    return m_services->files;
}

} // namespace sorvane
