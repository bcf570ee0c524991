// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace sorvane {

/// A button on a notification: its label, and what pressing it does.
struct NotificationAction {
    QString label;
    std::function<void()> run;
};

/// Shows the user a titled notification at once. Delivery is best effort: without a
/// notification server nothing is shown and nothing is reported. The actions are offered
/// where the server can show them; elsewhere the notification goes without.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void post(const QString& title, const QString& body,
                      std::vector<NotificationAction> actions) = 0;
    void post(const QString& title, const QString& body) { post(title, body, {}); }
};

} // namespace sorvane
