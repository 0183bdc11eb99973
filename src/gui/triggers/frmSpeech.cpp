// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/triggers/frmSpeech.h"

#include "core/platform/Platform.h"
#include "core/platform/Prompter.h"
#include "core/platform/SoundPlayer.h"
#include "core/text/PathText.h"
#include "core/triggers/SpokenCue.h"
#include "gui/widgets/NamedWidget.h"
#include "platform/qt/QtText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

frmSpeech::frmSpeech(Platform& platform, const Configuration& configuration, const SpokenText& cue,
                     QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_configuration(configuration)
    , m_cue(cue) {
    buildControls(cue);
}

void frmSpeech::buildControls(const SpokenText& cue) {
    setObjectName(QStringLiteral("frmSpeech"));
    setWindowTitle(QStringLiteral("Yelpcue - Spoken Cue"));

    txtSpeech = namedWidget<QLineEdit>("txtSpeech", toQString(cue.text), this);
    txtSpeech->setMinimumWidth(280);
    cboVoice = namedWidget<QComboBox>("cboVoice", this);
    for (const auto& voice :
         spoken::orderedVoices(m_platform.speech.voices(), QLocale::system().name().toStdString()))
        cboVoice->addItem(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(voice.name),
                                                        QString::fromUtf8(voice.language)),
                          QString::fromUtf8(voice.name));
    if (const int stored = cboVoice->findData(QString::fromUtf8(cue.voice)); stored >= 0)
        cboVoice->setCurrentIndex(stored);
    txtSpeed = namedWidget<QSpinBox>("txtSpeed", this);
    txtSpeed->setRange(SpokenText::kSlowest, SpokenText::kFastest);
    txtSpeed->setSingleStep(25);
    txtSpeed->setSuffix(QStringLiteral(" words a minute"));
    txtSpeed->setValue(cue.wordsPerMinute);

    lblUnavailable = namedWidget<QLabel>(
        "lblUnavailable",
        QStringLiteral("No voice can speak here: the speech synthesiser cannot start."), this);
    lblUnavailable->setVisible(cboVoice->count() == 0);

    cmdPreview = namedWidget<QPushButton>("cmdPreview", QStringLiteral("&Preview"), this);
    cmdPreview->setAutoDefault(false);
    cmdOK = namedWidget<QPushButton>("cmdOK", QStringLiteral("Ok"), this);
    cmdOK->setDefault(true);
    cmdCancel = namedWidget<QPushButton>("cmdCancel", QStringLiteral("Cancel"), this);
    cmdCancel->setAutoDefault(false);
    for (QPushButton* button : {cmdPreview, cmdOK})
        button->setEnabled(cboVoice->count() > 0);
    connect(cmdPreview, &QPushButton::clicked, this, &frmSpeech::cmdPreview_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSpeech::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Text"), txtSpeech);
    fields->addRow(QStringLiteral("&Voice"), cboVoice);
    fields->addRow(QStringLiteral("&Speed"), txtSpeed);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPreview);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* window = new QVBoxLayout(this);
    window->addLayout(fields);
    window->addWidget(lblUnavailable);
    window->addSpacing(8);
    window->addLayout(buttons);
    window->setSizeConstraint(QLayout::SetMinimumSize);
    txtSpeech->selectAll();
    txtSpeech->setFocus();
}

SpokenText frmSpeech::typed() const {
    return {toSystemText(txtSpeech->text()), cboVoice->currentData().toString().toStdString(),
            txtSpeed->value()};
}

bool frmSpeech::renderTyped() {
    const SpokenText cue = typed();
    const auto file = spoken::renderToFile(m_platform.speech, cue, m_configuration);
    if (!file.value) {
        m_platform.prompter.inform("The cue cannot be spoken: " + file.problem + ".",
                                   toSystemText(windowTitle()), Prompter::Icon::Warning);
        return false;
    }
    m_cue = cue;
    m_file = *file.value;
    return true;
}

void frmSpeech::cmdPreview_Click() {
    if (renderTyped())
        m_platform.soundPlayer.play(text::fromPath(m_file));
}

void frmSpeech::cmdOK_Click() {
    if (renderTyped())
        accept();
}
