// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/triggers/TriggerList.h"

#include <QDialog>

#include <filesystem>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
struct Configuration;
struct Platform;

// Makes a cue's sound from text: what it says, the voice and the speed, with a preview.
// "Ok" renders it into its file in the game's sound directory's yelpcue-spoken folder; the
// dialog stays open, with what was typed, when it cannot.
class frmSpeech final : public QDialog {
    Q_OBJECT

public:
    frmSpeech(Platform& platform, const Configuration& configuration, const SpokenText& cue,
              QWidget* parent = nullptr);

    // After "Ok": the cue and the file it was rendered to.
    const SpokenText& cue() const { return m_cue; }
    const std::filesystem::path& renderedFile() const { return m_file; }

public slots:
    void cmdPreview_Click();
    void cmdOK_Click();

private:
    void buildControls(const SpokenText& cue);
    SpokenText typed() const;
    // Renders what is typed into its file; false, after telling the player why, when it cannot.
    bool renderTyped();

    Platform& m_platform;
    const Configuration& m_configuration;
    SpokenText m_cue;
    std::filesystem::path m_file;

    QLineEdit* txtSpeech = nullptr;
    QComboBox* cboVoice = nullptr;
    QSpinBox* txtSpeed = nullptr;
    QLabel* lblUnavailable = nullptr;
    QPushButton* cmdPreview = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
