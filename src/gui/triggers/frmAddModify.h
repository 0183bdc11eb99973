// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/triggers/TriggerEdit.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
struct Configuration;
struct Platform;

// The edit dialog: edits the trigger at the position it is given, CurrentTrigger (an empty
// new position for Add, the selected one for Modify). "Ok" stores the three boxes, the quiet
// time and who may call;
// any other way of closing leaves the list unchanged. "..." picks a wave file and, with
// AutoCopy on, copies it into the game's sound directory; "Speak..." makes it from text.
class frmAddModify final : public QDialog {
    Q_OBJECT

public:
    frmAddModify(Platform& platform, const Configuration& configuration, TriggerList& triggers,
                 int currentTrigger, QWidget* parent = nullptr);

    void done(int result) override;

public slots:
    void cmdOK_Click();
    void cmdPlay_Click();
    void cmdSearch_Click();
    void cmdSpeak_Click();

private:
    void buildControls();
    void Form_Load();
    void Form_Unload();
    // The chosen or spoken file into the file box and, with AutoCopy on, its copy into the game.
    void placeSound(const std::string& file);

    Platform& m_platform;
    const Configuration& m_configuration;
    TriggerList& m_triggers;
    const int m_currentTrigger;
    // The text the sound was made from, when it was.
    std::optional<triggeredit::SpokenSound> m_spoken;

    QLineEdit* txtName = nullptr;
    QLineEdit* txtKeyword = nullptr;
    QLineEdit* txtFile = nullptr;
    QDoubleSpinBox* txtQuiet = nullptr;
    QComboBox* cboCallers = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdSpeak = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdOK = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblRunningGame = nullptr;
};
