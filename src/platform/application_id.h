// SPDX-License-Identifier: MIT
#pragma once

namespace sorvane {

/// The name the desktop knows the program by: its desktop entry, its autostart file, its
/// icon and the hint that ties a notification to it.
inline constexpr char applicationId[] = "app.sorvane.Sorvane";

} // namespace sorvane
