// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>
#include <string>

struct Configuration;
class MonitoringSession;
class FileChooser;
class Prompter;
class SettingsStore;
class QCheckBox;
class QComboBox;
class QLabel;

// The configure window: the pushed key, the console log from which every game directory
// follows, the bind in the player's config scripts, and the two options. Changes take
// effect in memory at once, so a running session sees them; only "Ok" stores them.
class frmConfigure final : public QDialog {
    Q_OBJECT

public:
    // "Find Qconsole.log" points the monitoring session at the log found.
    frmConfigure(SettingsStore& settings, Prompter& prompter, FileChooser& fileChooser,
                 Configuration& configuration, MonitoringSession& session,
                 QWidget* parent = nullptr);

private:
    void Form_Load();
    void cboKeylist_Click(int position);
    void chkAutoCopy_Click(bool checked);
    void chkAutoDel_Click(bool checked);
    void cmdFindQuake_Click();
    void cmdConfig_Click();
    void cmdApply_Click();
    void showValues();

    SettingsStore& m_settings;
    Prompter& m_prompter;
    FileChooser& m_fileChooser;
    Configuration& m_configuration;
    MonitoringSession& m_session;

    QComboBox* cboKeylist;
    QCheckBox* chkAutoCopy;
    QCheckBox* chkAutoDel;
    std::array<QLabel*, 6> Label1{};
};
