// SPDX-License-Identifier: MIT
#pragma once

#include "ui/form_page.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace sorvane {

class AppState;
class ElidedLabel;
class SegmentedControl;

/// The General tab: where archived items go, how they are grouped and dated, and which
/// Desktop items stay in place. Every control writes its setting the moment it changes.
class GeneralSettings : public FormPage {
    Q_OBJECT
public:
    explicit GeneralSettings(AppState& state, QWidget* parent = nullptr);

    /// Where an item cleaned now would land, as the "Example" row shows it.
    QString examplePath() const;

private:
    void refresh();

    AppState& m_state;
    ElidedLabel* m_path;
    QPushButton* m_change;
    QPushButton* m_reveal;
    SegmentedControl* m_grouping;
    QComboBox* m_dateBasis;
    ElidedLabel* m_example;
    QComboBox* m_keepRecent;
    QCheckBox* m_moveFolders;
    QCheckBox* m_includeHidden;
    QCheckBox* m_keepTagged;
};

} // namespace sorvane
