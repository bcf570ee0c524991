// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace sorvane {

/// The tabs of the settings window, in their order; which one shows is kept in memory only.
enum class SettingsTab { general, schedule, updates, history };
inline constexpr std::array allSettingsTabs{SettingsTab::general, SettingsTab::schedule,
                                            SettingsTab::updates, SettingsTab::history};

std::string_view rawValue(SettingsTab tab);
std::optional<SettingsTab> settingsTabFromRaw(std::string_view raw);

} // namespace sorvane
