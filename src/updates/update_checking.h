// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <functional>
#include <memory>

namespace sorvane {

class PreferencesStore;
class UpdaterViewModel;
class UrlOpener;

/// The update checker as this build has it: the updater with its dialogs behind the view
/// model, or, built with -DSORVANE_UPDATE_CHECK=OFF, the view model alone, which shows only
/// the installed version. The updater's keys in the store are read and written only by the
/// updater, so a build without it leaves them as they are.
class UpdateChecking {
public:
    UpdateChecking(PreferencesStore& store, UrlOpener& urlOpener, Clock clock);
    ~UpdateChecking();
    UpdateChecking(const UpdateChecking&) = delete;
    UpdateChecking& operator=(const UpdateChecking&) = delete;

    UpdaterViewModel& model();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace sorvane
