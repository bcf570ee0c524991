// SPDX-License-Identifier: MIT
#include "updates/update_checking.h"

#include "updates/updater_view_model.h"
#if SORVANE_UPDATE_CHECK
#include "updates/update_dialog_presenter.h"
#include "updates/updater.h"

#include <QVersionNumber>
#endif

namespace sorvane {

#if SORVANE_UPDATE_CHECK

struct UpdateChecking::Parts {
    Parts(PreferencesStore& store, UrlOpener& urlOpener, const Clock& clock)
        : presenter(urlOpener),
          updater(store, presenter, QVersionNumber::fromString(SORVANE_VERSION), clock,
                  Updater::defaultOptions()),
          model(&updater, clock) {}

    UpdateDialogPresenter presenter;
    Updater updater;
    UpdaterViewModel model;
};

#else

struct UpdateChecking::Parts {
    Parts(PreferencesStore&, UrlOpener&, const Clock& clock) : model(nullptr, clock) {}

    UpdaterViewModel model;
};

#endif

UpdateChecking::UpdateChecking(PreferencesStore& store, UrlOpener& urlOpener, Clock clock)
    : m_parts(std::make_unique<Parts>(store, urlOpener, clock)) {}

UpdateChecking::~UpdateChecking() = default;

UpdaterViewModel& UpdateChecking::model() {
    return m_parts->model;
}

} // namespace sorvane
