// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/triggers/TriggerManager.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QLabel;
struct Configuration;
struct Platform;
class TriggerCalls;
class TriggerList;

// The trigger manager: shows every trigger and adds, modifies, deletes, previews, imports
// and exports them, and checks that the game plays their sounds. It changes the list in place and
// saves the whole list, with its own position, whenever it is closed, by any means. Its tester
// shows which trigger answers a console line, through the session's own `calls`.
class frmTriggers final : public QDialog {
    Q_OBJECT

public:
    frmTriggers(Platform& platform, const Configuration& configuration, TriggerList& triggers,
                TriggerCalls& calls, QWidget* parent = nullptr);
    ~frmTriggers() override;

    void done(int result) override;

public slots:
    void cmdAdd_Click();
    void cmdModify_Click();
    void cmdDelete_Click();
    void cmdImport_Click();
    void cmdExport_Click();
    void cmdCheckSounds_Click();
    void cmdList_Click();
    void cmdReport_Click();
    void cmdQuit_Click();
    void mnuTrigger_Click(int index);
    void txtTest_Change();
    void cmdTestPlay_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Form_Unload();
    void Refill_Trigger_List();
    void lstTriggers_MouseDown(const QPoint& position);
    // The selected row (counted from 1): the current item, when it is marked selected.
    std::optional<int> selectedRow() const;
    void selectRow(int row);
    void setReportMode(bool report);

    Platform& m_platform;
    const Configuration& m_configuration;
    TriggerList& m_triggers;
    TriggerCalls& m_calls;
    TriggerManager m_manager;
    std::optional<int> m_testedTrigger;
    bool m_unloaded = false;

    QTreeWidget* lstTriggers = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdModify = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCheckSounds = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdList = nullptr;
    QPushButton* cmdReport = nullptr;
    QProgressBar* barProgress = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtTest = nullptr;
    QLabel* lblTestResult = nullptr;
    QPushButton* cmdTestPlay = nullptr;
    QMenu* mnuTriggers = nullptr;
};
