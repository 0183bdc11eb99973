// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/frmMatchStats.h"

#include "core/session/MonitoringSession.h"
#include "core/session/TriggerCalls.h"
#include "core/settings/WindowSettings.h"
#include "gui/widgets/NamedWidget.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindowGeometry.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Sorts by its sort key where it has one (a time of day as seconds), else by what it shows,
// numbers as numbers.
class StatsItem final : public QTableWidgetItem {
public:
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant key = data(Qt::UserRole);
        if (key.isValid())
            return key.toInt() < other.data(Qt::UserRole).toInt();
        return QTableWidgetItem::operator<(other);
    }
};

} // namespace

frmMatchStats::frmMatchStats(SettingsStore& settings, const MatchStats& stats, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_stats(stats) {
    buildControls();
    QtWindowGeometry geometry(*this);
    restoreWindowGeometry(m_settings, kWindowName, geometry, kPositionAndSizeEdges);
    refresh();
    m_refresh.setInterval(kRefreshInterval);
    connect(&m_refresh, &QTimer::timeout, this, &frmMatchStats::refresh);
    m_refresh.start();
}

void frmMatchStats::buildControls() {
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QStringLiteral("Yelpcue - Match Stats"));

    lstStats = namedWidget<QTableWidget>("lstStats", 0, ColumnCount, this);
    lstStats->setHorizontalHeaderLabels(
        {QStringLiteral("Trigger"), QStringLiteral("Keyword"), QStringLiteral("Calls"),
         QStringLiteral("Skipped (quiet time)"), QStringLiteral("Not allowed to call"),
         QStringLiteral("Last call")});
    lstStats->horizontalHeaderItem(RefusedColumn)
        ->setToolTip(QStringLiteral("Lines that held the keyword but were not allowed to call "
                                    "the trigger (see Answers in the trigger manager)."));
    lstStats->verticalHeader()->hide();
    lstStats->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstStats->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstStats->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstStats->setAlternatingRowColors(true);
    lstStats->setWordWrap(false);
    QHeaderView* header = lstStats->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(KeywordColumn, QHeaderView::Stretch);
    // First calls first, until the player sorts by a column.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    lstStats->setSortingEnabled(true);

    lblSummary = namedWidget<QLabel>("lblSummary", this);
    lblSummary->setTextFormat(Qt::PlainText);
    auto* cmdClose = namedWidget<QPushButton>("cmdClose", QStringLiteral("Close"), this);
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblSummary, 1);
    bottom->addWidget(cmdClose);
    auto* window = new QVBoxLayout(this);
    window->addWidget(lstStats, 1);
    window->addLayout(bottom);
    resize(660, 300);
}

void frmMatchStats::refresh() {
    if (m_shownRevision == m_stats.revision)
        return;
    lblSummary->setText(toQString(matchStatsSummary(m_stats)));
    if (m_shownSession != m_stats.sessionsStarted) {
        lstStats->setRowCount(0);
        m_items.clear();
        m_shownSession = m_stats.sessionsStarted;
    }
    // Rows keep their place while they are filled; sorting again afterwards puts them in order.
    lstStats->setSortingEnabled(false);
    for (std::size_t index = 0; index < m_stats.rows.size(); ++index) {
        if (index == m_items.size()) {
            const int row = lstStats->rowCount();
            lstStats->insertRow(row);
            auto& items = m_items.emplace_back();
            for (int column = 0; column < static_cast<int>(items.size()); ++column) {
                items[column] = new StatsItem;
                lstStats->setItem(row, column, items[column]);
            }
            for (const int column : {CallsColumn, SkippedColumn, RefusedColumn})
                items[column]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        const MatchStats::Row& counts = m_stats.rows[index];
        auto& items = m_items[index];
        items[TriggerColumn]->setText(toDisplayText(counts.name));
        items[KeywordColumn]->setText(toDisplayText(counts.keyword));
        items[CallsColumn]->setData(Qt::DisplayRole, static_cast<qlonglong>(counts.calls));
        items[SkippedColumn]->setData(Qt::DisplayRole, static_cast<qlonglong>(counts.skipped));
        items[RefusedColumn]->setData(Qt::DisplayRole, static_cast<qlonglong>(counts.refused));
        // A trigger only held back has no last call; it sorts before every time.
        const bool called = counts.calls > 0;
        items[LastCallColumn]->setText(called ? toQString(timeOfDayText(counts.lastCall, ':'))
                                              : QString());
        items[LastCallColumn]->setData(Qt::UserRole, called ? counts.lastCall.hour * 3600 +
                                                                  counts.lastCall.minute * 60 +
                                                                  counts.lastCall.second
                                                            : -1);
    }
    lstStats->setSortingEnabled(true);
    m_shownRevision = m_stats.revision;
}

void frmMatchStats::done(int result) {
    QtWindowGeometry geometry(*this);
    saveWindowGeometry(m_settings, kWindowName, geometry, kPositionAndSizeEdges);
    QDialog::done(result);
}
