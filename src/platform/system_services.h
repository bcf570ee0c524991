// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_viewer.h"
#include "platform/folder_chooser.h"
#include "platform/login_item.h"
#include "platform/notifier.h"
#include "platform/url_opener.h"

namespace sorvane {

class WakeMonitor;

/// The desktop services the application state reaches outside the file system, handed to
/// it together so that tests can give it fakes.
struct SystemServices {
    Notifier& notifier;
    LoginItem& loginItem;
    FileViewer& fileViewer;
    UrlOpener& urlOpener;
    FolderChooser& folderChooser;
    /// Told to the scheduler, which starts and stops it.
    WakeMonitor& wakeMonitor;
};

} // namespace sorvane
