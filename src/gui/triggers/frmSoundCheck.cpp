// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/triggers/frmSoundCheck.h"

#include "core/platform/Platform.h"
#include "core/platform/Prompter.h"
#include "core/triggers/TriggerList.h"
#include "gui/widgets/NamedWidget.h"
#include "platform/qt/QtProgressBar.h"
#include "platform/qt/QtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmSoundCheck::frmSoundCheck(Platform& platform, const Configuration& configuration,
                             const TriggerList& triggers, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_configuration(configuration)
    , m_triggers(triggers) {
    buildControls();
    refill();
}

void frmSoundCheck::buildControls() {
    setObjectName(QStringLiteral("frmSoundCheck"));
    setWindowTitle(QStringLiteral("Yelpcue - Sound Check"));

    lblSummary = namedWidget<QLabel>("lblSummary", this);
    lblSummary->setWordWrap(true);
    lstSounds = namedWidget<QTreeWidget>("lstSounds", this);
    lstSounds->setRootIsDecorated(false);
    lstSounds->setUniformRowHeights(true);
    lstSounds->setAlternatingRowColors(true);
    lstSounds->setHeaderLabels(
        {QStringLiteral("Trigger"), QStringLiteral("Sound"), QStringLiteral("In the game")});
    lstSounds->header()->setStretchLastSection(true);
    barProgress = namedWidget<QProgressBar>("barProgress", this);
    QSizePolicy barPolicy = barProgress->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    barProgress->setSizePolicy(barPolicy);
    barProgress->hide();
    cmdMakeCopies =
        namedWidget<QPushButton>("cmdMakeCopies", QStringLiteral("&Make Game-Ready Copies"), this);
    cmdMakeCopies->setToolTip(QStringLiteral(
        "Makes a copy the game plays from each trigger's chosen file. A file that stands "
        "where a copy goes is kept in the folder yelpcue-originals beside it."));
    cmdMakeCopies->setAutoDefault(false);
    cmdClose = namedWidget<QPushButton>("cmdClose", QStringLiteral("Close"), this);
    cmdClose->setDefault(true);
    connect(cmdMakeCopies, &QPushButton::clicked, this, &frmSoundCheck::cmdMakeCopies_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(barProgress, 1);
    buttons->addWidget(cmdMakeCopies);
    buttons->addWidget(cmdClose);
    auto* window = new QVBoxLayout(this);
    window->addWidget(lblSummary);
    window->addWidget(lstSounds, 1);
    window->addLayout(buttons);
    resize(720, 360);
    lstSounds->setColumnWidth(0, 160);
    lstSounds->setColumnWidth(1, 160);
}

void frmSoundCheck::refill() {
    m_findings = soundcheck::check(m_triggers, m_configuration);
    lstSounds->clear();
    for (const soundcheck::Finding& finding : m_findings) {
        auto* row = new QTreeWidgetItem(QStringList{
            toQString(m_triggers.at(finding.position).name), toQString(finding.soundName),
            finding.ready() ? QStringLiteral("Plays") : toQString(finding.problem)});
        row->setToolTip(2, row->text(2));
        lstSounds->addTopLevelItem(row);
    }
    lblSummary->setText(toQString(soundcheck::summary(m_findings)));
    cmdMakeCopies->setEnabled(soundcheck::anyToMake(m_findings));
}

void frmSoundCheck::cmdMakeCopies_Click() {
    QtProgressBar progress(*barProgress);
    const soundcheck::Repair repair =
        soundcheck::makeCopies(m_findings, m_configuration, m_platform.speech, progress);
    refill();
    m_platform.prompter.inform(
        soundcheck::report(repair, m_configuration.Game_Family), toSystemText(windowTitle()),
        repair.failures.empty() ? Prompter::Icon::Information : Prompter::Icon::Warning);
}
