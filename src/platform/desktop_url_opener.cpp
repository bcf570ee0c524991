// SPDX-License-Identifier: MIT
#include "platform/desktop_url_opener.h"

#include <QDesktopServices>

namespace sorvane {

void DesktopUrlOpener::open(const QUrl& url) {
    // Qt hands the address to xdg-open or the desktop portal and does not wait for the
    // browser; a failure has nothing to offer the user beyond what the desktop shows.
    QDesktopServices::openUrl(url);
}

} // namespace sorvane
