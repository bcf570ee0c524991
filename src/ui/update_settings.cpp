// SPDX-License-Identifier: MIT
#include "ui/update_settings.h"

#include "ui/form_section.h"
#include "ui/tone_label.h"
#include "updates/updater_view_model.h"

#include <QCheckBox>
#include <QPushButton>

namespace sorvane {

UpdateSettings::UpdateSettings(UpdaterViewModel& updater, const QString& siteHost, QWidget* parent)
    : FormPage(parent), m_updater(updater) {
    auto* version = addSection();
    m_version = new ToneLabel({}, ToneLabel::Tone::secondary, ToneLabel::Size::body);
    m_version->setObjectName(QStringLiteral("versionLabel"));
    version->addRow(tr("Installed"), m_version);
    if (!updater.isAvailable()) {
        refresh();
        return;
    }
    m_lastCheck = new ToneLabel({}, ToneLabel::Tone::secondary, ToneLabel::Size::body);
    m_lastCheck->setObjectName(QStringLiteral("lastCheckLabel"));
    version->addRow(tr("Updates"), m_lastCheck);
    m_checkNow = new QPushButton(tr("Check Now"));
    m_checkNow->setObjectName(QStringLiteral("checkNowButton"));
    connect(m_checkNow, &QPushButton::clicked, this, [this] { m_updater.checkForUpdates(); });
    version->addRow({}, m_checkNow);

    auto* automatic = addSection();
    m_automatic = new QCheckBox(tr("Check for updates automatically"));
    m_automatic->setObjectName(QStringLiteral("automaticBox"));
    connect(m_automatic, &QCheckBox::toggled, this,
            [this](bool on) { m_updater.setAutomaticallyChecks(on); });
    automatic->addWideRow(m_automatic);
    automatic->addHelp(tr("Sorvane checks %1 for new versions. It downloads nothing without "
                          "asking, and it sends no information about you.")
                           .arg(siteHost));

    connect(&updater, &UpdaterViewModel::canCheckForUpdatesChanged, this, &UpdateSettings::refresh);
    connect(&updater, &UpdaterViewModel::automaticallyChecksChanged, this,
            &UpdateSettings::refresh);
    refresh();
}

void UpdateSettings::showEvent(QShowEvent* event) {
    FormPage::showEvent(event);
    // "Last checked 3 hours ago" is relative to now.
    refresh();
}

void UpdateSettings::refresh() {
    m_version->setText(UpdaterViewModel::versionText());
    if (!m_lastCheck)
        return;
    m_lastCheck->setText(m_updater.lastCheckDescription());
    m_checkNow->setEnabled(m_updater.canCheckForUpdates());
    const QSignalBlocker blocker(m_automatic);
    m_automatic->setChecked(m_updater.automaticallyChecks());
}

} // namespace sorvane
