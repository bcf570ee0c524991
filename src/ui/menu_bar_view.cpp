// SPDX-License-Identifier: MIT
#include "ui/menu_bar_view.h"

#include "app/app_state.h"
#include "app/display_texts.h"
#include "history/history_store.h"
#include "scheduling/scheduler.h"
#include "settings/app_settings.h"
#include "ui/link_button.h"
#include "ui/menu_row_button.h"
#include "ui/prominent_button.h"
#include "ui/switch_button.h"
#include "ui/symbols.h"
#include "ui/tone_label.h"
#include "ui/ui_style.h"
#include "updates/updater_view_model.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace sorvane {
namespace {

QVBoxLayout* sectionLayout(QWidget* section, int horizontal, int vertical, int spacing) {
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(horizontal, vertical, horizontal, vertical);
    layout->setSpacing(spacing);
    return layout;
}

QLabel* symbolLabel(const QIcon& icon, int side, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(icon.pixmap(QSize(side, side), parent->devicePixelRatioF()));
    label->setFixedSize(side, side);
    return label;
}

} // namespace

MenuBarView::MenuBarView(AppState& state, PanelActions actions, QWidget* parent)
    : QWidget(parent), m_state(state), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("menuBarView"));
    setFixedWidth(panelWidth);
    // Takes the focus itself when nothing should answer Return, so Tab leads into the rows.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Sorvane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeHeader());
    layout->addWidget(UiStyle::divider(this));
    layout->addWidget(makeStatusSection());
    layout->addWidget(UiStyle::divider(this));
    layout->addWidget(makeScheduleSection());
    layout->addWidget(UiStyle::divider(this));
    layout->addWidget(makeActionsSection());

    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(progressDelayMs);
    connect(&m_progressDelay, &QTimer::timeout, this, &MenuBarView::refreshProgress);

    connect(&state, &AppState::countsChanged, this, &MenuBarView::refresh);
    connect(&state, &AppState::statusMessageChanged, this, &MenuBarView::refresh);
    connect(&state, &AppState::changed, this, &MenuBarView::refresh);
    connect(&state, &AppState::isWorkingChanged, this, &MenuBarView::workingChanged);
    connect(&state, &AppState::progressChanged, this, &MenuBarView::refreshProgress);
    connect(&state.updater(), &UpdaterViewModel::canCheckForUpdatesChanged, this,
            &MenuBarView::refresh);
    workingChanged();
}

QWidget* MenuBarView::makeHeader() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(8);
    row->addWidget(
        symbolLabel(Symbols::icon(Symbols::Symbol::appSymbol, QPalette::Highlight), 18, header));
    auto* title = new QLabel(tr("Sorvane"), header);
    title->setFont(UiStyle::scaled(font(), 1.0, QFont::Bold));
    row->addWidget(title);
    row->addStretch(1);
    return header;
}

QWidget* MenuBarView::makeStatusSection() {
    auto* section = new QWidget(this);
    auto* layout = sectionLayout(section, 14, 12, 10);
    // The archive link's label, not its focus ring, lines up with the other lines: the
    // section's leading margin makes room for the ring and everything else is indented by it.
    constexpr int ring = LinkButton::padding;
    layout->setContentsMargins(14 - ring, 12, 14, 12);
    const auto addIndented = [layout](QWidget* widget) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(ring, 0, 0, 0);
        row->addWidget(widget);
        layout->addLayout(row);
    };

    m_headline = new ToneLabel({}, ToneLabel::Tone::primary, ToneLabel::Size::body, section);
    m_headline->setObjectName(QStringLiteral("headline"));
    m_headline->setFont(UiStyle::scaled(font(), 1.08, QFont::Medium));
    // What stops a clean can take more than one line.
    m_headline->setWordWrap(true);
    addIndented(m_headline);

    m_cleanButton = new ProminentButton(section);
    m_cleanButton->setObjectName(QStringLiteral("cleanButton"));
    connect(m_cleanButton, &ProminentButton::clicked, this,
            [this] { m_state.cleanNow(CleanTrigger::manual); });
    addIndented(m_cleanButton);

    m_archiveLink = new LinkButton(section);
    m_archiveLink->setObjectName(QStringLiteral("archiveLink"));
    m_archiveLink->setFont(UiStyle::caption(font()));
    m_archiveLink->setIcon(Symbols::icon(Symbols::Symbol::folder, QPalette::Highlight));
    connect(m_archiveLink, &LinkButton::clicked, this, [this] {
        m_state.revealArchive();
        emit dismissRequested();
    });
    layout->addWidget(m_archiveLink, 0, Qt::AlignLeft);

    m_taggedRow = new QWidget(section);
    auto* tagged = new QHBoxLayout(m_taggedRow);
    tagged->setContentsMargins(ring, 0, 0, 0);
    tagged->setSpacing(5);
    m_taggedText = new ToneLabel({}, ToneLabel::Tone::secondary, ToneLabel::Size::caption);
    m_taggedText->setObjectName(QStringLiteral("taggedLine"));
    tagged->addWidget(symbolLabel(Symbols::icon(Symbols::Symbol::tag),
                                  m_taggedText->fontMetrics().height(), m_taggedRow));
    tagged->addWidget(m_taggedText);
    tagged->addStretch(1);
    layout->addWidget(m_taggedRow);

    m_status = new ToneLabel({}, ToneLabel::Tone::secondary, ToneLabel::Size::caption, section);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addIndented(m_status);

    m_progress = new QProgressBar(section);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(4);
    m_progress->setAccessibleName(tr("Progress"));
    addIndented(m_progress);
    return section;
}

QWidget* MenuBarView::makeScheduleSection() {
    auto* section = new QWidget(this);
    auto* layout = sectionLayout(section, 14, 12, 6);
    m_automatic = new SwitchButton(tr("Clean automatically"), SwitchButton::Size::small, section);
    m_automatic->setObjectName(QStringLiteral("automaticSwitch"));
    m_automatic->setAccessibleName(tr("Clean automatically"));
    connect(m_automatic, &SwitchButton::toggled, this,
            [this](bool on) { m_state.settings().setAgentEnabled(on); });
    layout->addWidget(m_automatic);
    m_scheduleLine = new ToneLabel({}, ToneLabel::Tone::secondary, ToneLabel::Size::caption);
    m_scheduleLine->setObjectName(QStringLiteral("scheduleLine"));
    layout->addWidget(m_scheduleLine);
    return section;
}

MenuRowButton* MenuBarView::addRow(QWidget* section, const QString& title, const QIcon& icon,
                                   std::function<void()> action, bool dismisses) {
    auto* row = new MenuRowButton(title, icon, section);
    connect(row, &MenuRowButton::clicked, this, [this, action = std::move(action), dismisses] {
        if (dismisses)
            emit dismissRequested();
        if (action)
            action();
    });
    section->layout()->addWidget(row);
    return row;
}

QWidget* MenuBarView::makeActionsSection() {
    using S = Symbols::Symbol;
    auto* section = new QWidget(this);
    sectionLayout(section, 8, 8, 2);
    m_undoRow = addRow(
        section, tr("Undo last clean"), Symbols::icon(S::undo), [this] { m_state.undoLastClean(); },
        false);
    m_undoRow->setObjectName(QStringLiteral("undoRow"));
    m_updateRow = addRow(
        section, tr("Check for Updates\u2026"), Symbols::icon(S::update),
        [this] { m_state.updater().checkForUpdates(); }, true);
    m_updateRow->setVisible(m_state.updater().isAvailable());
    m_tipRow = addRow(
        section, tr("Leave a Tip\u2026"), Symbols::icon(S::tip), [this] { m_state.openTip(); },
        true);
    m_settingsRow = addRow(section, tr("Settings\u2026"), Symbols::icon(S::settings),
                           m_actions.openSettings, true);
    m_quitRow = addRow(section, tr("Quit Sorvane"), Symbols::icon(S::quit), m_actions.quit, true);
    m_updateRow->setObjectName(QStringLiteral("updateRow"));
    m_tipRow->setObjectName(QStringLiteral("tipRow"));
    m_settingsRow->setObjectName(QStringLiteral("settingsRow"));
    m_quitRow->setObjectName(QStringLiteral("quitRow"));
    return section;
}

void MenuBarView::refreshCounts() {
    m_state.refreshCounts();
}

void MenuBarView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The scheduler's relative time goes stale while the panel is closed.
    refreshSchedule();
    // Size hints of children hidden before the panel was first shown are only right now.
    fitHeight();
}

void MenuBarView::focusFirstControl() {
    if (m_cleanButton->isEnabled())
        m_cleanButton->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

QString MenuBarView::headlineText() const {
    return m_headline->text();
}

void MenuBarView::workingChanged() {
    if (m_state.isWorking())
        m_progressDelay.start();
    else
        m_progressDelay.stop();
    refreshProgress();
    refresh();
}

void MenuBarView::refresh() {
    const qint64 pending = m_state.pendingCount();
    const bool working = m_state.isWorking();
    const QString& problem = m_state.countsProblem();
    m_headline->setText(problem.isEmpty() ? DisplayTexts::headline(pending) : problem);
    m_headline->setTone(!problem.isEmpty() ? ToneLabel::Tone::error
                        : pending == 0     ? ToneLabel::Tone::secondary
                                           : ToneLabel::Tone::primary);

    m_cleanButton->setText(working ? tr("Working\u2026") : tr("Clean Now"));
    m_cleanButton->setAccessibleName(m_cleanButton->text());
    m_cleanButton->setEnabled(!working && pending != 0);
    // The counts often arrive just after the panel opened; Return should then clean. The
    // window may not be active yet (a Wayland compositor grants the focus later), so what
    // counts is where the focus goes once it is.
    if (window()->focusWidget() == this && m_cleanButton->isEnabled())
        m_cleanButton->setFocus(Qt::OtherFocusReason);

    m_archiveLink->setText(DisplayTexts::archiveLine(m_state.settings().resolvedDestination()));
    m_archiveLink->setAccessibleName(m_archiveLink->text());
    m_archiveLink->setToolTip(
        DisplayTexts::fileName(m_state.settings().resolvedDestination().parent_path()) +
        QLatin1Char('/') + DisplayTexts::fileName(m_state.settings().resolvedDestination()));

    const qint64 pinned = m_state.pinnedCount();
    m_taggedRow->setVisible(pinned >= 1);
    m_taggedText->setText(pinned >= 1 ? DisplayTexts::taggedLine(pinned) : QString());

    m_status->setText(m_state.statusMessage());
    m_status->setVisible(!m_state.statusMessage().isEmpty());

    refreshSchedule();

    const auto undoable = m_state.history().lastUndoable();
    m_undoRow->setVisible(undoable.has_value());
    if (undoable)
        m_undoRow->setSubtitle(DisplayTexts::items(undoable->movedCount));
    m_undoRow->setEnabled(!working);
    m_updateRow->setEnabled(m_state.updater().canCheckForUpdates());
    fitHeight();
}

void MenuBarView::refreshSchedule() {
    auto& settings = m_state.settings();
    {
        const QSignalBlocker blocker(m_automatic);
        m_automatic->setChecked(settings.agentEnabled());
    }
    m_scheduleLine->setText(settings.agentEnabled() ? m_state.scheduler().statusText()
                                                    : settings.scheduleDescription());
}

void MenuBarView::refreshProgress() {
    const auto [done, total] = m_state.progress();
    const bool show = m_state.isWorking() && !m_progressDelay.isActive();
    if (total == 0) {
        m_progress->setRange(0, 0);
    } else {
        m_progress->setRange(0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
        m_progress->setValue(static_cast<int>(std::min(done, total)));
    }
    // Set even when unchanged: a child not yet explicitly hidden would appear with the panel.
    m_progress->setVisible(show);
    fitHeight();
}

void MenuBarView::fitHeight() {
    // A wrapped status line needs its height for the panel's fixed width; a layout alone
    // would size a top-level window by the unwrapped line. Hiding a child of a panel that is
    // not on screen leaves the layouts' cached heights stale, so they are dropped first.
    for (auto* nested : findChildren<QLayout*>())
        nested->invalidate();
    layout()->invalidate();
    const int height = layout()->hasHeightForWidth() ? layout()->heightForWidth(panelWidth)
                                                     : layout()->sizeHint().height();
    if (height != this->height() || minimumHeight() != height) {
        setFixedHeight(height);
        emit resized();
    }
}

} // namespace sorvane
