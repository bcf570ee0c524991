// SPDX-License-Identifier: MIT
#pragma once

#include "platform/notifier.h"

#include <vector>

namespace sorvane::test {

/// Keeps every notification instead of showing it.
class FakeNotifier : public Notifier {
public:
    struct Post {
        QString title;
        QString body;
        std::vector<NotificationAction> actions;
    };

    using Notifier::post;
    void post(const QString& title, const QString& body,
              std::vector<NotificationAction> actions) override {
        m_posts.push_back({title, body, std::move(actions)});
    }

    const std::vector<Post>& posts() const { return m_posts; }

private:
    std::vector<Post> m_posts;
};

} // namespace sorvane::test
