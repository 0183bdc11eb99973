// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Configuration.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class Prompter;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

// Shows the config scripts the player chose and appends the bind of the pushed key to the
// one selected.
class frmConfigMgr final : public QDialog {
    Q_OBJECT

public:
    frmConfigMgr(Prompter& prompter, const std::vector<std::string>& ChosenConfigFiles,
                 const std::string& keyName, GameFamily family, QWidget* parent = nullptr);

private:
    void Form_Load(const std::vector<std::string>& ChosenConfigFiles);
    void cboFiles_Click();
    void cmdApply_Click();
    // The path of the script selected in the list; the list shows the paths as text, which
    // need not give back the same bytes.
    std::string selectedScript() const;
    // Shows the selected script; the problem when it could not be read.
    std::optional<std::string> showSelectedScript();

    Prompter& m_prompter;
    const std::string m_keyName;
    const GameFamily m_family;
    std::vector<std::string> m_scripts;

    QComboBox* cboFiles;
    QPlainTextEdit* txtFile;
    QPushButton* cmdApply;
};
