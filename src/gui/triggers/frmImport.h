// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/triggers/TriggerImport.h"

#include <QDialog>

class QPushButton;
class QRadioButton;
struct Platform;
class TriggerList;

// The import window: reads a trigger file into the list in the chosen mode (Add, Merge or
// Replace) and closes; a cancelled file dialog or an unreadable file leaves it open.
class frmImport final : public QDialog {
    Q_OBJECT

public:
    frmImport(Platform& platform, TriggerList& triggers, QWidget* parent = nullptr);

public slots:
    void cmdImport_Click();
    void cmdQuit_Click();

private:
    void buildControls();
    triggerimport::ImportMode selectedMode() const;

    Platform& m_platform;
    TriggerList& m_triggers;

    QRadioButton* optAdd = nullptr;
    QRadioButton* optMerge = nullptr;
    QRadioButton* optReplace = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdQuit = nullptr;
};
