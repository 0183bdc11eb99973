// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/configure/frmConfigure.h"

#include "core/game/ConfigScript.h"
#include "core/game/GameDirectories.h"
#include "core/game/KeyList.h"
#include "core/platform/FileChooser.h"
#include "core/platform/Prompter.h"
#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "gui/configure/frmConfigMgr.h"
#include "gui/widgets/NamedWidget.h"
#include "platform/qt/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmConfigure::frmConfigure(SettingsStore& settings, Prompter& prompter, FileChooser& fileChooser,
                           Configuration& configuration, MonitoringSession& session,
                           QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_fileChooser(fileChooser)
    , m_configuration(configuration)
    , m_session(session) {
    setObjectName(QStringLiteral("frmConfigure"));
    setWindowTitle(QStringLiteral("Conifgure - Yelpcue"));

    // Step 1: the key.
    auto* step1 = new QGroupBox(QStringLiteral("Step 1"), this);
    auto* lblKey = new QLabel(QStringLiteral("Select an unbound key for Hornwise to use"), step1);
    lblKey->setObjectName(QStringLiteral("lblKey"));
    cboKeylist = new QComboBox(step1);
    cboKeylist->setObjectName(QStringLiteral("cboKeylist"));
    cboKeylist->setMaxVisibleItems(16);
    lblKey->setBuddy(cboKeylist);
    auto* step1Layout = new QHBoxLayout(step1);
    step1Layout->addWidget(lblKey, 1);
    step1Layout->addWidget(cboKeylist);

    // Steps 2 and 3: the console log and the config scripts.
    auto* step2 = new QGroupBox(QStringLiteral("Step 2"), this);
    auto* cmdFindQuake =
        namedWidget<QPushButton>("cmdFindQuake", style()->standardIcon(QStyle::SP_DialogOpenButton),
                                 QStringLiteral("Find Qconsole.log"), step2);
    (new QVBoxLayout(step2))->addWidget(cmdFindQuake);
    auto* step3 = new QGroupBox(QStringLiteral("Step 3"), this);
    auto* cmdConfig =
        namedWidget<QPushButton>("cmdConfig", style()->standardIcon(QStyle::SP_FileIcon),
                                 QStringLiteral("Config Files"), step3);
    (new QVBoxLayout(step3))->addWidget(cmdConfig);
    auto* steps23 = new QHBoxLayout;
    steps23->addWidget(step2);
    steps23->addWidget(step3);
    // Some games list their files once, at their start, and never see a play script made
    // later.
    auto* lblRestartGame = new QLabel(
        QStringLiteral("Start the game after Yelpcue has been configured once, or restart it, "
                       "so that the game finds Yelpcue's play script."),
        this);
    lblRestartGame->setObjectName(QStringLiteral("lblRestartGame"));
    lblRestartGame->setWordWrap(true);

    // What the game's directories are now.
    auto* values = new QFrame(this);
    values->setFrameShape(QFrame::StyledPanel);
    auto* valuesLayout = new QVBoxLayout(values);
    const std::array<const char*, 6> captions{"Quake directory",
                                              "CTF game directory",
                                              "TF game directory",
                                              "DM game directory",
                                              "Find the quake sound directory",
                                              "Current Qconsole.log being monitored"};
    for (std::size_t index = 0; index < captions.size(); ++index) {
        auto* lblName = new QLabel(QString::fromLatin1(captions[index]), values);
        lblName->setObjectName(QStringLiteral("lblName_%1").arg(index));
        QFont bold = lblName->font();
        bold.setBold(true);
        lblName->setFont(bold);
        Label1[index] = new QLabel(QStringLiteral("Unknown"), values);
        Label1[index]->setObjectName(QStringLiteral("Label1_%1").arg(index));
        Label1[index]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Label1[index]->setContentsMargins(12, 0, 0, 4);
        valuesLayout->addWidget(lblName);
        valuesLayout->addWidget(Label1[index]);
    }

    // Step 4: the options and "Ok".
    auto* step4 = new QGroupBox(QStringLiteral("Step 4"), this);
    chkAutoCopy = namedWidget<QCheckBox>(
        "chkAutoCopy",
        QStringLiteral("Auto copy selected trigger sounds to the correct directory?"), step4);
    chkAutoDel = namedWidget<QCheckBox>(
        "chkAutoDel", QStringLiteral("Clear Qconsole.log after each session?"), step4);
    auto* chkBuiltIn =
        namedWidget<QCheckBox>("chkBuiltIn", QStringLiteral("Use built in sound checker?"), step4);
    // Shown for what it once was; nothing reads it.
    chkBuiltIn->setTristate(true);
    chkBuiltIn->setCheckState(Qt::PartiallyChecked);
    chkBuiltIn->setEnabled(false);
    auto* cmdApply = namedWidget<QPushButton>(
        "cmdApply", style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Ok"), step4);
    cmdApply->setDefault(true);
    auto* options = new QVBoxLayout;
    options->addWidget(chkAutoCopy);
    options->addWidget(chkAutoDel);
    options->addWidget(chkBuiltIn);
    auto* step4Layout = new QHBoxLayout(step4);
    step4Layout->addLayout(options, 1);
    step4Layout->addWidget(cmdApply, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(step1);
    layout->addLayout(steps23);
    layout->addWidget(lblRestartGame);
    layout->addWidget(values);
    layout->addWidget(step4);
    setMinimumWidth(460);

    setTabOrder(cboKeylist, cmdFindQuake);
    setTabOrder(cmdFindQuake, cmdConfig);
    setTabOrder(cmdConfig, chkAutoCopy);
    setTabOrder(chkAutoCopy, chkAutoDel);
    setTabOrder(chkAutoDel, cmdApply);

    Form_Load();

    connect(cboKeylist, &QComboBox::currentIndexChanged, this, &frmConfigure::cboKeylist_Click);
    connect(chkAutoCopy, &QCheckBox::toggled, this, &frmConfigure::chkAutoCopy_Click);
    connect(chkAutoDel, &QCheckBox::toggled, this, &frmConfigure::chkAutoDel_Click);
    connect(cmdFindQuake, &QPushButton::clicked, this, &frmConfigure::cmdFindQuake_Click);
    connect(cmdConfig, &QPushButton::clicked, this, &frmConfigure::cmdConfig_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmConfigure::cmdApply_Click);
}

void frmConfigure::Form_Load() {
    for (const std::string& key : keylist::entries())
        cboKeylist->addItem(toQString(key));
    // Adding to an empty list selects its first entry; only the stored position counts.
    cboKeylist->setCurrentIndex(-1);
    if (const auto position = keylist::positionFromSetting(m_configuration.Trigger_Cfg)) {
        cboKeylist->setCurrentIndex(*position);
        cboKeylist_Click(*position);
    }
    chkAutoDel->setChecked(m_configuration.QconsoleDel);
    chkAutoCopy->setChecked(m_configuration.AutoCopy);
    showValues();
}

void frmConfigure::showValues() {
    const std::array<const std::string*, 6> shown{
        &m_configuration.Quake_Dir, &m_configuration.CTF_Dir,         &m_configuration.TF_Dir,
        &m_configuration.DM_Dir,    &m_configuration.Quake_Id1_sound, &m_session.ConsoleLogPath()};
    for (std::size_t index = 0; index < shown.size(); ++index) {
        Label1[index]->setText(shown[index]->empty() ? QStringLiteral("Unknown")
                                                     : toQString(*shown[index]));
    }
}

void frmConfigure::cboKeylist_Click(int position) {
    if (position >= 0)
        keylist::choose(m_configuration, position);
}

void frmConfigure::chkAutoCopy_Click(bool checked) {
    m_configuration.AutoCopy = checked;
}

void frmConfigure::chkAutoDel_Click(bool checked) {
    m_configuration.QconsoleDel = checked;
}

void frmConfigure::cmdFindQuake_Click() {
    const auto chosen = m_fileChooser.openFile(
        {"Find QConsole.Log", "Qconsole.log (*.log)|Qconsole.log|", std::string()});
    if (!chosen || chosen->empty())
        return;
    std::string consoleLogPath = m_session.ConsoleLogPath();
    const auto problem = adoptConsoleLog(*chosen, m_configuration, consoleLogPath);
    m_session.setConsoleLogPath(consoleLogPath);
    showValues();
    if (problem)
        m_prompter.inform(*problem, {}, Prompter::Icon::Warning);
}

void frmConfigure::cmdConfig_Click() {
    const auto chosen = m_fileChooser.openFiles(
        {"Find the config files you use",
         "Config Files.cfg (*.cfg)|*.cfg|Config Files.cfg (*.rc)|*.rc", m_configuration.Quake_Dir});
    if (chosen.empty())
        return;
    const std::vector<std::string> ChosenConfigFiles = chosenConfigFiles(chosen);
    frmConfigMgr configMgr(m_prompter, ChosenConfigFiles, m_configuration.Selected_Key,
                           m_configuration.Game_Family, this);
    configMgr.exec();
}

void frmConfigure::cmdApply_Click() {
    m_configuration.Trigger_Cfg = std::to_string(cboKeylist->currentIndex());
    m_configuration.QconsoleDel = chkAutoDel->isChecked();
    m_configuration.AutoCopy = chkAutoCopy->isChecked();
    if (!m_configuration.save(m_settings)) {
        m_prompter.inform("The configuration could not be saved. The changes stay in effect "
                          "only until Yelpcue ends.",
                          {}, Prompter::Icon::Warning);
        return;
    }
    accept();
}
