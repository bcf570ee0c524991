// SPDX-License-Identifier: MIT
#pragma once

#include "platform/login_item.h"

namespace sorvane::test {

/// A login item held in memory. Told to fail, the next change returns the given text and
/// leaves the status the test chose, as a system that refused (or half-did) the change would.
class FakeLoginItem : public LoginItem {
public:
    explicit FakeLoginItem(bool enabled = false) : m_enabled(enabled) {}

    bool isEnabled() const override { return m_enabled; }

    std::optional<QString> setEnabled(bool enabled) override {
        ++m_changes;
        if (m_failure) {
            m_enabled = m_statusAfterFailure;
            return m_failure;
        }
        m_enabled = enabled;
        return std::nullopt;
    }

    /// Every later change fails with `text` and leaves the item `statusAfter`.
    void failWith(const QString& text, bool statusAfter) {
        m_failure = text;
        m_statusAfterFailure = statusAfter;
    }
    void succeed() { m_failure.reset(); }

    int changes() const { return m_changes; }

private:
    bool m_enabled;
    std::optional<QString> m_failure;
    bool m_statusAfterFailure = false;
    int m_changes = 0;
};

} // namespace sorvane::test
