// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/triggers/frmImport.h"

#include "core/platform/FileChooser.h"
#include "core/platform/Platform.h"
#include "core/platform/Prompter.h"
#include "core/triggers/TriggerFile.h"
#include "gui/widgets/NamedWidget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmImport::frmImport(Platform& platform, TriggerList& triggers, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_triggers(triggers) {
    buildControls();
}

void frmImport::buildControls() {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import Triggers"));

    struct Option {
        const char* name;
        QString caption;
        QString help;
    };
    const Option options[] = {
        {"optAdd", QStringLiteral("Add"),
         QStringLiteral("This import option will add any imported triggers to the end of your "
                        "current trigger list. It will in no way effect the exisiting triggers "
                        "(SAFE)")},
        {"optMerge", QStringLiteral("Merge"),
         QStringLiteral("This import option will only add triggers who's name does not already "
                        "exist in you list. Duplicates will be ignored. (SAFE)")},
        {"optReplace", QStringLiteral("Replace"),
         QStringLiteral("This import option will REMOVE all existing triggers and replace them "
                        "with the imported triggers. (BEWARE). I would recomend you export your "
                        "triggers before using this option as a backup.")},
    };
    auto* group = new QButtonGroup(this);
    auto* choices = new QGridLayout;
    QRadioButton* buttons[3] = {};
    for (int row = 0; row < 3; ++row) {
        buttons[row] = new QRadioButton(options[row].caption, this);
        buttons[row]->setObjectName(QLatin1String(options[row].name));
        group->addButton(buttons[row]);
        auto* help = new QLabel(options[row].help, this);
        help->setWordWrap(true);
        help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        choices->addWidget(buttons[row], row, 0, Qt::AlignTop);
        choices->addWidget(help, row, 1);
    }
    choices->setColumnStretch(1, 1);
    choices->setVerticalSpacing(12);
    optAdd = buttons[0];
    optMerge = buttons[1];
    optReplace = buttons[2];
    optAdd->setChecked(true);

    cmdImport = namedWidget<QPushButton>("cmdImport", QStringLiteral("Import"), this);
    cmdImport->setDefault(true);
    cmdQuit = namedWidget<QPushButton>("cmdQuit", QStringLiteral("Quit"), this);
    connect(cmdImport, &QPushButton::clicked, this, &frmImport::cmdImport_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmImport::cmdQuit_Click);

    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(cmdImport);
    commands->addWidget(cmdQuit);

    auto* window = new QVBoxLayout(this);
    window->addLayout(choices);
    window->addSpacing(8);
    window->addStretch(1);
    window->addLayout(commands);

    setTabOrder(optAdd, optMerge);
    setTabOrder(optMerge, optReplace);
    setTabOrder(optReplace, cmdImport);
    setTabOrder(cmdImport, cmdQuit);
    optAdd->setFocus();
    resize(520, window->totalHeightForWidth(520));
}

triggerimport::ImportMode frmImport::selectedMode() const {
    using triggerimport::ImportMode;
    if (optMerge->isChecked())
        return ImportMode::Merge;
    if (optReplace->isChecked())
        return ImportMode::Replace;
    return ImportMode::Add;
}

void frmImport::cmdImport_Click() {
    const auto path = m_platform.fileChooser.openFile(triggerfile::dialogOptions());
    if (!path)
        return;
    const auto outcome = triggerimport::importFile(*path, selectedMode(), m_triggers);
    if (outcome.message)
        m_platform.prompter.ask(*outcome.message);
    if (outcome.finished)
        accept();
}

void frmImport::cmdQuit_Click() {
    reject();
}
