// SPDX-License-Identifier: MIT
#include "updates/update_dialog_presenter.h"

#include "platform/url_opener.h"
#include "updates/release_feed.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace sorvane {

UpdateDialogPresenter::UpdateDialogPresenter(UrlOpener& urlOpener) : m_urlOpener(urlOpener) {}

UpdateDialogPresenter::~UpdateDialogPresenter() {
    delete m_dialog;
}

void UpdateDialogPresenter::present(const UpdateCheckResult& result) {
    delete m_dialog;
    auto* box = new QMessageBox();
    m_dialog = box;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(UpdateDialogPresenter::tr("Software Update"));

    using Outcome = UpdateCheckResult::Outcome;
    switch (result.outcome) {
    case Outcome::upToDate:
        box->setIcon(QMessageBox::Information);
        box->setText(UpdateDialogPresenter::tr("You're up to date."));
        box->setInformativeText(UpdateDialogPresenter::tr("Sorvane %1 is the newest version.")
                                    .arg(result.installedVersion));
        box->addButton(QMessageBox::Ok);
        break;
    case Outcome::updateAvailable: {
        box->setIcon(QMessageBox::Information);
        box->setText(
            UpdateDialogPresenter::tr("Sorvane %1 is available.").arg(result.newestVersion));
        QString details =
            UpdateDialogPresenter::tr("You have version %1.").arg(result.installedVersion);
        if (!result.notes.isEmpty())
            details += QStringLiteral("\n\n") + result.notes;
        box->setInformativeText(details);
        QPushButton* open =
            box->addButton(UpdateDialogPresenter::tr("Open Release Page"), QMessageBox::AcceptRole);
        box->addButton(UpdateDialogPresenter::tr("Later"), QMessageBox::RejectRole);
        box->setDefaultButton(open);
        const QUrl page = result.releasePage;
        QObject::connect(box, &QMessageBox::buttonClicked, box,
                         [this, open, page](QAbstractButton* clicked) {
                             if (clicked == static_cast<QAbstractButton*>(open) &&
                                 ReleaseFeed::isReleasePage(page))
                                 m_urlOpener.open(page);
                         });
        break;
    }
    case Outcome::failed:
        box->setIcon(QMessageBox::Warning);
        box->setText(UpdateDialogPresenter::tr("Sorvane could not check for updates."));
        box->setInformativeText(result.error);
        box->addButton(QMessageBox::Ok);
        break;
    }

    box->setModal(false);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace sorvane
