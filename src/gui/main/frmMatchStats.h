// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QTableWidget;
class QTableWidgetItem;
class SettingsStore;
struct MatchStats;

// Match Stats: for the session since the last Start, every trigger that answered or held back,
// with its calls, the calls its quiet time skipped, the lines that held its keyword but were
// not allowed to call it, and the time of its last call, and the lines read and keys pushed. It
// follows the session while it is open; a click on a column's header sorts by that column. It keeps
// its position and size.
class frmMatchStats final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kWindowName = "frmMatchStats";
    static constexpr int kRefreshInterval = 500;
    enum Column {
        TriggerColumn,
        KeywordColumn,
        CallsColumn,
        SkippedColumn,
        RefusedColumn,
        LastCallColumn,
        ColumnCount
    };

    frmMatchStats(SettingsStore& settings, const MatchStats& stats, QWidget* parent = nullptr);

    // Shows the record as it is now, when it has changed since it was last shown.
    void refresh();
    void done(int result) override;

private:
    void buildControls();

    SettingsStore& m_settings;
    const MatchStats& m_stats;
    std::optional<std::uint64_t> m_shownRevision;
    int m_shownSession = -1;
    // The items of each row of the record, wherever sorting has put them.
    std::vector<std::array<QTableWidgetItem*, ColumnCount>> m_items;
    QTimer m_refresh;

    QTableWidget* lstStats = nullptr;
    QLabel* lblSummary = nullptr;
};
