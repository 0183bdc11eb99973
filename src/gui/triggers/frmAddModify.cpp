// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/triggers/frmAddModify.h"

#include "core/platform/FileChooser.h"
#include "core/platform/Platform.h"
#include "core/platform/SoundPlayer.h"
#include "core/settings/WindowSettings.h"
#include "core/text/ChatLine.h"
#include "core/text/PathText.h"
#include "core/triggers/GameSoundCopy.h"
#include "core/triggers/TriggerEdit.h"
#include "core/triggers/TriggerList.h"
#include "gui/triggers/frmSpeech.h"
#include "gui/widgets/NamedWidget.h"
#include "platform/qt/QtProgressBar.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindowGeometry.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmAddModify::frmAddModify(Platform& platform, const Configuration& configuration,
                           TriggerList& triggers, int currentTrigger, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_configuration(configuration)
    , m_triggers(triggers)
    , m_currentTrigger(currentTrigger) {
    buildControls();
    Form_Load();
}

void frmAddModify::buildControls() {
    setObjectName(QLatin1String(triggeredit::kWindowName));
    setWindowTitle(QStringLiteral("Add or Modify an Existing Trigger"));

    txtName = namedWidget<QLineEdit>("txtName", this);
    txtKeyword = namedWidget<QLineEdit>("txtKeyword", this);
    txtFile = namedWidget<QLineEdit>("txtFile", this);
    txtFile->setMinimumWidth(320);
    txtQuiet = namedWidget<QDoubleSpinBox>("txtQuiet", this);
    txtQuiet->setRange(0, Trigger::kMaxQuietMs / 1000.0);
    txtQuiet->setDecimals(1);
    txtQuiet->setSuffix(QStringLiteral(" s"));
    txtQuiet->setToolTip(QStringLiteral("After the trigger plays, its calls within this time "
                                        "are skipped. 0 lets every call play."));
    cboCallers = namedWidget<QComboBox>("cboCallers", this);
    for (const auto callers :
         {text::Callers::TeamTalk, text::Callers::AllChat, text::Callers::AnyLine})
        cboCallers->addItem(QLatin1String(text::callersName(callers)), static_cast<int>(callers));
    cboCallers->setToolTip(QStringLiteral(
        "Who may call the trigger. Team talk: your team's calls. All chat: any player's chat "
        "too. Any line: every console line, the game's and the server's own included."));
    cmdSearch = namedWidget<QPushButton>("cmdSearch", QStringLiteral("..."), this);
    cmdSearch->setAutoDefault(false);
    cmdSearch->setMaximumWidth(cmdSearch->fontMetrics().horizontalAdvance(QStringLiteral("...")) *
                               4);
    cmdSpeak = namedWidget<QPushButton>("cmdSpeak", QStringLiteral("Sp&eak..."), this);
    cmdSpeak->setAutoDefault(false);
    cmdSpeak->setToolTip(QStringLiteral("Makes the sound from text that a voice says"));
    cmdPlay = namedWidget<QPushButton>("cmdPlay", QStringLiteral("Play"), this);
    cmdPlay->setAutoDefault(false);
    cmdPlay->setEnabled(false);
    cmdOK = namedWidget<QPushButton>("cmdOK", QStringLiteral("Ok"), this);
    cmdOK->setDefault(true);
    connect(cmdSearch, &QPushButton::clicked, this, &frmAddModify::cmdSearch_Click);
    connect(cmdSpeak, &QPushButton::clicked, this, &frmAddModify::cmdSpeak_Click);
    connect(cmdPlay, &QPushButton::clicked, this, &frmAddModify::cmdPlay_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAddModify::cmdOK_Click);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    auto* fields = new QGridLayout;
    fields->addWidget(namedWidget<QLabel>("lblName", QStringLiteral("Tirgger Name"), this), 0, 0);
    fields->addWidget(txtName, 0, 1, 1, 3);
    fields->addWidget(namedWidget<QLabel>("lblKeyword", QStringLiteral("Keyword"), this), 1, 0);
    fields->addWidget(txtKeyword, 1, 1, 1, 3);
    fields->addWidget(namedWidget<QLabel>("Label1", QStringLiteral("Wave file to play"), this), 2,
                      0);
    fields->addWidget(txtFile, 2, 1);
    auto* soundButtons = new QHBoxLayout;
    soundButtons->addWidget(cmdSearch);
    soundButtons->addWidget(cmdSpeak);
    fields->addLayout(soundButtons, 2, 2);
    fields->addWidget(cmdPlay, 2, 3);
    fields->addWidget(namedWidget<QLabel>("lblQuiet", QStringLiteral("Quiet time"), this), 3, 0);
    auto* quietAndCallers = new QHBoxLayout;
    quietAndCallers->addWidget(txtQuiet);
    quietAndCallers->addSpacing(12);
    auto* lblCallers = namedWidget<QLabel>("lblCallers", QStringLiteral("&Answers"), this);
    lblCallers->setBuddy(cboCallers);
    quietAndCallers->addWidget(lblCallers);
    quietAndCallers->addWidget(cboCallers);
    quietAndCallers->addStretch(1);
    fields->addLayout(quietAndCallers, 3, 1, 1, 3);
    fields->addWidget(
        namedWidget<QLabel>("Label1", QStringLiteral("Progress of file transfer"), this), 4, 0);
    fields->addWidget(ProgressBar1, 4, 1, 1, 3);
    lblRunningGame = namedWidget<QLabel>("lblRunningGame", this);
    lblRunningGame->setWordWrap(true);
    lblRunningGame->hide();
    fields->addWidget(lblRunningGame, 5, 1, 1, 3);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto* window = new QVBoxLayout(this);
    window->addLayout(fields);
    window->addSpacing(8);
    window->addLayout(buttons);
    window->setSizeConstraint(QLayout::SetMinimumSize);

    setTabOrder(txtName, txtKeyword);
    setTabOrder(txtKeyword, txtFile);
    setTabOrder(txtFile, cmdSearch);
    setTabOrder(cmdSearch, cmdSpeak);
    setTabOrder(cmdSpeak, cmdPlay);
    setTabOrder(cmdPlay, txtQuiet);
    setTabOrder(txtQuiet, cboCallers);
    setTabOrder(cboCallers, cmdOK);
    txtName->setFocus();
}

void frmAddModify::Form_Load() {
    QtWindowGeometry geometry(*this);
    restoreWindowGeometry(m_platform.settings, triggeredit::kWindowName, geometry, kPositionEdges);
    const Trigger& trigger = m_triggers.at(m_currentTrigger);
    txtName->setText(toQString(trigger.name));
    txtKeyword->setText(toQString(trigger.keyword));
    txtFile->setText(toQString(trigger.soundFile));
    txtQuiet->setValue(triggeredit::quietSecondsShown(trigger.quietMs));
    cboCallers->setCurrentIndex(cboCallers->findData(static_cast<int>(trigger.callers)));
    if (trigger.spoken)
        m_spoken = triggeredit::SpokenSound{*trigger.spoken, trigger.soundFile};
}

void frmAddModify::Form_Unload() {
    QtWindowGeometry geometry(*this);
    saveWindowGeometry(m_platform.settings, triggeredit::kWindowName, geometry, kPositionEdges);
}

void frmAddModify::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmAddModify::cmdOK_Click() {
    Trigger typed{
        toSystemText(txtName->text()), toSystemText(txtKeyword->text()),
        toSystemText(txtFile->text()),
        triggeredit::quietMsTyped(m_triggers.at(m_currentTrigger).quietMs, txtQuiet->value()),
        static_cast<text::Callers>(cboCallers->currentData().toInt())};
    typed.spoken = triggeredit::spokenTextOf(typed.soundFile, m_spoken);
    if (const auto refusal = triggeredit::okRefusal(typed)) {
        m_platform.prompter.ask(*refusal);
        return;
    }
    m_triggers.set(m_currentTrigger, std::move(typed));
    accept();
}

void frmAddModify::cmdPlay_Click() {
    m_platform.soundPlayer.play(
        triggeredit::soundToPlay(toSystemText(txtFile->text()), m_configuration));
}

void frmAddModify::cmdSearch_Click() {
    ProgressBar1->setValue(1);
    const auto chosen = m_platform.fileChooser.openFile(triggeredit::soundFileDialog());
    if (!chosen)
        return;
    m_spoken.reset();
    placeSound(*chosen);
}

void frmAddModify::cmdSpeak_Click() {
    frmSpeech dialog(m_platform, m_configuration,
                     triggeredit::cueToEdit(m_spoken, toSystemText(txtKeyword->text())), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string rendered = text::fromPath(dialog.renderedFile());
    m_spoken = triggeredit::SpokenSound{dialog.cue(), rendered};
    ProgressBar1->setValue(1);
    placeSound(rendered);
}

void frmAddModify::placeSound(const std::string& file) {
    txtFile->setText(toQString(file));
    QtProgressBar progress(*ProgressBar1);
    const bool placed =
        triggeredit::placeChosenSound(file, m_configuration, m_platform.prompter, progress);
    lblRunningGame->setText(
        placed ? toQString(gamesound::runningGameAdvice(m_configuration.Game_Family)) : QString());
    lblRunningGame->setVisible(placed);
    cmdPlay->setEnabled(true);
}
