// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

namespace sorvane {

/// Whether the program starts when the user logs in.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual bool isEnabled() const = 0;
    /// Registers or unregisters the program; the text of the error when that failed.
    virtual std::optional<QString> setEnabled(bool enabled) = 0;
};

} // namespace sorvane
