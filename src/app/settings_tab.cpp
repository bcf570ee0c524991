// SPDX-License-Identifier: MIT
#include "app/settings_tab.h"

namespace sorvane {

std::string_view rawValue(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::general:
        return "general";
    case SettingsTab::schedule:
        return "schedule";
    case SettingsTab::updates:
        return "updates";
    case SettingsTab::history:
        return "history";
    }
    return {};
}

std::optional<SettingsTab> settingsTabFromRaw(std::string_view raw) {
    for (auto tab : allSettingsTabs)
        if (rawValue(tab) == raw)
            return tab;
    return std::nullopt;
}

} // namespace sorvane
