// SPDX-License-Identifier: MIT
#pragma once

#include "ui/form_page.h"

class QCheckBox;
class QPushButton;

namespace sorvane {

class ToneLabel;
class UpdaterViewModel;

/// The Updates tab: the installed version, the last check, a check now, and automatic checks;
/// only the version when the build has no update checker.
class UpdateSettings : public FormPage {
    Q_OBJECT
public:
    UpdateSettings(UpdaterViewModel& updater, const QString& siteHost, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    UpdaterViewModel& m_updater;
    ToneLabel* m_version;
    ToneLabel* m_lastCheck = nullptr;
    QPushButton* m_checkNow = nullptr;
    QCheckBox* m_automatic = nullptr;
};

} // namespace sorvane
