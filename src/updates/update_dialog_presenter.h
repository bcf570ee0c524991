// SPDX-License-Identifier: MIT
#pragma once

#include "updates/update_presenter.h"

#include <QPointer>

#include <QCoreApplication>
#include <QMessageBox>

namespace sorvane {

class UrlOpener;

/// The updater's small dialogs: "You're up to date.", a new version with a button to its
/// release page, or why the check failed. Never modal: a tray application has no window to
/// block, and a dialog left open must not stop the schedule.
class UpdateDialogPresenter : public UpdatePresenter {
    Q_DECLARE_TR_FUNCTIONS(UpdateDialogPresenter)

public:
    explicit UpdateDialogPresenter(UrlOpener& urlOpener);
    ~UpdateDialogPresenter() override;

    void present(const UpdateCheckResult& result) override;

    /// The dialog on screen, if any; the newest outcome replaces an older one.
    QMessageBox* dialog() const { return m_dialog; }

private:
    UrlOpener& m_urlOpener;
    QPointer<QMessageBox> m_dialog;
};

} // namespace sorvane
