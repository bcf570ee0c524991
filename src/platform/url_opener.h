// SPDX-License-Identifier: MIT
#pragma once

#include <QUrl>

namespace sorvane {

/// Opens a web page in the user's browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl& url) = 0;
};

} // namespace sorvane
