// SPDX-License-Identifier: MIT
#pragma once

#include "platform/url_opener.h"

#include <vector>

namespace sorvane::test {

/// Keeps the addresses it was asked to open.
class FakeUrlOpener : public UrlOpener {
public:
    void open(const QUrl& url) override { m_opened.push_back(url); }

    const std::vector<QUrl>& opened() const { return m_opened; }

private:
    std::vector<QUrl> m_opened;
};

} // namespace sorvane::test
