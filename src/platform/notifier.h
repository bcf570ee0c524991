#pragma once

#include <QString>

namespace sorvane {

/// Shows the user a titled notification at once. Delivery is best effort: without a
/// notification server nothing is shown and nothing is reported.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void post(const QString& title, const QString& body) = 0;
};

} // namespace sorvane
