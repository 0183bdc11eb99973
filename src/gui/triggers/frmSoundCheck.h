// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/triggers/SoundCheck.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class TriggerList;
struct Configuration;
struct Platform;

// The sound check of the trigger manager: whether the game plays each trigger's sound as it
// lies in the game's sound folder, and why not, with one command that makes a game-ready
// copy from each trigger's chosen file.
class frmSoundCheck final : public QDialog {
    Q_OBJECT

public:
    frmSoundCheck(Platform& platform, const Configuration& configuration,
                  const TriggerList& triggers, QWidget* parent = nullptr);

public slots:
    void cmdMakeCopies_Click();

private:
    void buildControls();
    void refill();

    Platform& m_platform;
    const Configuration& m_configuration;
    const TriggerList& m_triggers;
    std::vector<soundcheck::Finding> m_findings;

    QLabel* lblSummary = nullptr;
    QTreeWidget* lstSounds = nullptr;
    QProgressBar* barProgress = nullptr;
    QPushButton* cmdMakeCopies = nullptr;
    QPushButton* cmdClose = nullptr;
};
