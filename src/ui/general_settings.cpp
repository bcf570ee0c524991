// SPDX-License-Identifier: MIT
#include "ui/general_settings.h"

#include "app/app_state.h"
#include "app/display_texts.h"
#include "engine/archive_folder_namer.h"
#include "platform/timestamp.h"
#include "settings/app_settings.h"
#include "ui/elided_label.h"
#include "ui/form_section.h"
#include "ui/segmented_control.h"
#include "ui/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>

namespace sorvane {
namespace {

constexpr std::array keepRecentChoices{0, 1, 3, 7};

QString pathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

} // namespace

GeneralSettings::GeneralSettings(AppState& state, QWidget* parent)
    : FormPage(parent), m_state(state) {
    auto& settings = state.settings();

    auto* archive = addSection();
    auto* value = new QWidget;
    auto* valueRow = new QHBoxLayout(value);
    valueRow->setContentsMargins(0, 0, 0, 0);
    valueRow->setSpacing(8);
    m_path = new ElidedLabel(Qt::ElideLeft, value);
    m_path->setObjectName(QStringLiteral("pathLabel"));
    m_path->setSecondary(true);
    valueRow->addWidget(m_path, 1);
    m_change = new QPushButton(tr("Change\u2026"), value);
    m_change->setObjectName(QStringLiteral("changeButton"));
    connect(m_change, &QPushButton::clicked, this, [this] { m_state.chooseDestination(); });
    valueRow->addWidget(m_change);
    m_reveal = new QPushButton(tr("Reveal"), value);
    m_reveal->setObjectName(QStringLiteral("revealButton"));
    connect(m_reveal, &QPushButton::clicked, this, [this] { m_state.revealArchive(); });
    valueRow->addWidget(m_reveal);
    value->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    value->setAccessibleName(tr("Archive folder"));
    archive->addRow(tr("Archive folder"), value);
    archive->addHelp(tr("Everything Sorvane moves ends up here. Nothing is ever deleted."));

    auto* layout = addSection();
    m_grouping = new SegmentedControl({tr("By month"), tr("By day")});
    m_grouping->setObjectName(QStringLiteral("groupControl"));
    connect(m_grouping, &SegmentedControl::activated, this, [&settings](int index) {
        settings.setGrouping(allGroupingStyles[static_cast<std::size_t>(index)]);
    });
    layout->addRow(tr("Group files"), m_grouping);
    m_dateBasis = new QComboBox;
    m_dateBasis->setObjectName(QStringLiteral("sortByBox"));
    m_dateBasis->addItems({tr("When the file was created"), tr("When the file was last changed"),
                           tr("When the desktop was cleaned")});
    connect(m_dateBasis, &QComboBox::activated, this, [&settings](int index) {
        settings.setDateBasis(allDateBases[static_cast<std::size_t>(index)]);
    });
    layout->addRow(tr("Sort by"), m_dateBasis);
    // Shortened in the middle like every value, so that a long archive name cannot widen
    // the page beyond the window.
    m_example = new ElidedLabel(Qt::ElideMiddle);
    m_example->setObjectName(QStringLiteral("exampleLabel"));
    m_example->setSecondary(true);
    m_example->setAlignment(Qt::AlignRight);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(UiStyle::caption(font()).pointSizeF());
    m_example->setFont(mono);
    layout->addRow(tr("Example"), m_example);

    auto* stays = addSection();
    m_keepRecent = new QComboBox;
    m_keepRecent->setObjectName(QStringLiteral("keepRecentBox"));
    m_keepRecent->addItem(tr("Move everything"), 0);
    m_keepRecent->addItem(tr("Keep the last day"), 1);
    m_keepRecent->addItem(tr("Keep the last 3 days"), 3);
    m_keepRecent->addItem(tr("Keep the last week"), 7);
    connect(m_keepRecent, &QComboBox::activated, this, [&settings](int index) {
        settings.setKeepRecentDays(keepRecentChoices[static_cast<std::size_t>(index)]);
    });
    stays->addRow(tr("Leave recent files"), m_keepRecent);
    m_moveFolders = new QCheckBox(tr("Move folders too"));
    m_moveFolders->setObjectName(QStringLiteral("moveFoldersBox"));
    connect(m_moveFolders, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.setMoveFolders(on); });
    stays->addWideRow(m_moveFolders);
    m_includeHidden = new QCheckBox(tr("Include hidden files"));
    m_includeHidden->setObjectName(QStringLiteral("includeHiddenBox"));
    connect(m_includeHidden, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.setIncludeHidden(on); });
    stays->addWideRow(m_includeHidden);

    auto* tags = addSection();
    m_keepTagged = new QCheckBox(tr("Keep tagged files on the desktop"));
    m_keepTagged->setObjectName(QStringLiteral("keepTaggedBox"));
    connect(m_keepTagged, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.setKeepTaggedFiles(on); });
    tags->addWideRow(m_keepTagged);
    tags->addHelp(tr("Give a file any tag and Sorvane will walk past it. Tag it in your file "
                     "manager, or run sorvane pin on it, to keep it on the desktop; remove the "
                     "tag when you are done with it."));

    connect(&settings, &AppSettings::changed, this, &GeneralSettings::refresh);
    connect(&state, &AppState::changed, this, &GeneralSettings::refresh);
    refresh();
}

QString GeneralSettings::examplePath() const {
    const auto& settings = m_state.settings();
    return DisplayTexts::fileName(settings.resolvedDestination()) + QLatin1Char('/') +
           QString::fromStdString(archiveFolderName(systemClock(), settings.grouping())) +
           QStringLiteral("/screenshot.png");
}

void GeneralSettings::refresh() {
    const auto& settings = m_state.settings();
    m_path->setText(pathText(settings.resolvedDestination()));
    m_grouping->setCurrentIndex(settings.grouping() == GroupingStyle::day ? 1 : 0);
    {
        const QSignalBlocker blocker(m_dateBasis);
        const auto basis =
            std::find(allDateBases.begin(), allDateBases.end(), settings.dateBasis());
        m_dateBasis->setCurrentIndex(static_cast<int>(basis - allDateBases.begin()));
    }
    m_example->setText(examplePath());
    {
        // A number none of the items stands for (an edited preferences file) shows no item
        // and stays stored until the user picks one.
        const QSignalBlocker blocker(m_keepRecent);
        m_keepRecent->setCurrentIndex(
            m_keepRecent->findData(static_cast<int>(settings.keepRecentDays())));
    }
    for (auto [box, on] : {std::pair{m_moveFolders, settings.moveFolders()},
                           std::pair{m_includeHidden, settings.includeHidden()},
                           std::pair{m_keepTagged, settings.keepTaggedFiles()}}) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
}

} // namespace sorvane
