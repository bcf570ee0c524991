// SPDX-License-Identifier: MIT
#pragma once

#include "platform/url_opener.h"

namespace sorvane {

/// Opens addresses with the desktop's default handler (the browser for web pages, the file
/// manager for folders).
class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QUrl& url) override;
};

} // namespace sorvane
