// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace sorvane {

/// What the panel asks of the program around it, so that it knows neither the settings
/// window nor the running application.
struct PanelActions {
    std::function<void()> openSettings;
    std::function<void()> quit;
};

} // namespace sorvane
