// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class Launcher;
class Prompter;

// The about box: the program's name and version, and the system information program.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    frmAbout(Launcher& launcher, Prompter& prompter, QWidget* parent = nullptr);

    // "Version " and the program's major, minor and revision numbers.
    static QString versionText();

private:
    void cmdSysInfo_Click();

    Launcher& m_launcher;
    Prompter& m_prompter;
};
