// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/frmSoundProcessor.h"

#include "core/keys/ModPushKeys.h"
#include "core/platform/Platform.h"
#include "gui/about/frmAbout.h"
#include "gui/configure/frmConfigure.h"
#include "gui/main/frmMatchStats.h"
#include "gui/tray/frmStart.h"
#include "gui/triggers/frmTriggers.h"
#include "gui/widgets/NamedWidget.h"
#include "gui/widgets/UnloadOtherForms.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

namespace {
const QString kName = QStringLiteral("frmSoundProcessor");
} // namespace

frmSoundProcessor::frmSoundProcessor(Platform& platform, Configuration& configuration,
                                     TriggerList& triggers, ModPushKeys& keys, frmStart& tray,
                                     QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_configuration(configuration)
    , m_triggers(triggers)
    , m_tray(tray)
    , m_session(configuration, triggers, *this, *this, platform.clock, platform.prompter,
                [&keys](const std::string& keyString) { keys.PushKeys(keyString); })
    , m_driver(m_session, this)
    , m_rules({platform.settings, platform.prompter, platform.launcher, platform.keyOutput},
              configuration, triggers, m_session, *this, m_geometry,
              readmeLocation(toSystemText(QCoreApplication::applicationDirPath())),
              {[this](GameMode mode) {
                   // The group reports the change itself; blocking the button alone would
                   // run the handler once here and once more by the caller.
                   const QSignalBlocker quiet(m_modes);
                   m_optMod[static_cast<std::size_t>(mode)]->setChecked(true);
               },
               [this] { Command1_Click(); }, [this] { m_driver.start(); },
               [this] { m_driver.stop(); }}) {
    setObjectName(kName);
    setWindowTitle(QStringLiteral("Yelpcue"));
    buildControls();
    m_scrollList.setSingleShot(true);
    m_scrollList.setInterval(0);
    connect(&m_scrollList, &QTimer::timeout, this, &frmSoundProcessor::scrollListToEnd);

    connect(&tray, &frmStart::showMainWindowRequested, this, &frmSoundProcessor::comeForward);
    connect(&tray, &frmStart::startRequested, this, &frmSoundProcessor::cmdStart_Click);
    connect(&tray, &frmStart::stopRequested, this, &frmSoundProcessor::cmdStop_Click);
    connect(&tray, &frmStart::exitRequested, this, &frmSoundProcessor::endProgram);
}

frmSoundProcessor::~frmSoundProcessor() {
    // It shows the session's counts, which go with this window.
    delete m_stats;
}

void frmSoundProcessor::buildControls() {
    const auto button = [this](const char* name, const char* caption, QStyle::StandardPixmap icon) {
        auto* b = namedWidget<QPushButton>(name, style()->standardIcon(icon),
                                           QString::fromLatin1(caption), this);
        b->setMinimumHeight(36);
        return b;
    };

    m_modes = new QButtonGroup(this);
    auto* left = new QVBoxLayout;
    const char* captions[] = {"TF", "DM", "CTF"};
    for (int index = 0; index < 3; ++index) {
        auto* option = new QRadioButton(QString::fromLatin1(captions[index]), this);
        option->setObjectName(QStringLiteral("optMod_%1").arg(index));
        m_modes->addButton(option, index);
        left->addWidget(option);
        m_optMod[static_cast<std::size_t>(index)] = option;
    }
    m_optMod[0]->setChecked(true);
    connect(m_modes, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            optMod_Click(index);
    });

    auto* sizeCaption = new QLabel(QStringLiteral("Logfile size is :"), this);
    sizeCaption->setObjectName(QStringLiteral("Label1_2"));
    m_lblLength = new QLabel(QStringLiteral("0k"), this);
    m_lblLength->setObjectName(QStringLiteral("lblLength"));
    QFont sizeFont = m_lblLength->font();
    sizeFont.setBold(true);
    m_lblLength->setFont(sizeFont);
    auto* cmdStats = button("cmdStats", "Match Stats", QStyle::SP_FileDialogInfoView);
    connect(cmdStats, &QPushButton::clicked, this, &frmSoundProcessor::cmdStats_Click);
    left->addSpacing(8);
    left->addWidget(sizeCaption);
    left->addWidget(m_lblLength);
    left->addStretch();
    left->addWidget(cmdStats);

    auto* listCaption =
        new QLabel(QStringLiteral("This log shows the commands currently being processed"), this);
    listCaption->setObjectName(QStringLiteral("Label1_3"));
    m_List1 = new QListWidget(this);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->setMinimumSize(400, 160);
    listCaption->setBuddy(m_List1);
    auto* right = new QVBoxLayout;
    right->addWidget(listCaption);
    right->addWidget(m_List1, 1);

    m_cmdStart = button("cmdStart", "Start", QStyle::SP_MediaPlay);
    m_cmdStop = button("cmdStop", "Stop", QStyle::SP_MediaStop);
    m_cmdStop->setEnabled(false);
    auto* cmdTrigger = button("cmdTrigger", "Triggers", QStyle::SP_FileDialogDetailedView);
    auto* Command1 = button("Command1", "Configure Hornwise", QStyle::SP_FileDialogContentsView);
    auto* cmdAbout = button("cmdAbout", "About", QStyle::SP_MessageBoxInformation);
    auto* Quit = button("Quit", "Quit", QStyle::SP_DialogCloseButton);
    connect(m_cmdStart, &QPushButton::clicked, this, &frmSoundProcessor::cmdStart_Click);
    connect(m_cmdStop, &QPushButton::clicked, this, &frmSoundProcessor::cmdStop_Click);
    connect(cmdTrigger, &QPushButton::clicked, this, &frmSoundProcessor::cmdTrigger_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSoundProcessor::Command1_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmSoundProcessor::cmdAbout_Click);
    connect(Quit, &QPushButton::clicked, this, &frmSoundProcessor::endProgram);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_cmdStart, m_cmdStop, cmdTrigger, Command1, cmdAbout, Quit})
        buttons->addWidget(b);

    auto* layout = new QGridLayout(this);
    layout->addLayout(left, 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    // Start is what the player comes for: Space presses it at once.
    m_cmdStart->setFocus();
}

SoundProcessor::LoadResult frmSoundProcessor::Form_Load() {
    const auto result = m_rules.load();
    m_loaded = result == SoundProcessor::LoadResult::Loaded;
    return result;
}

void frmSoundProcessor::optMod_Click(int index) {
    m_rules.selectGameMode(static_cast<GameMode>(index));
}

void frmSoundProcessor::cmdStart_Click() {
    m_rules.start();
}

void frmSoundProcessor::cmdStop_Click() {
    m_driver.stop();
}

void frmSoundProcessor::cmdTrigger_Click() {
    frmTriggers triggers(m_platform, m_configuration, m_triggers, m_session.calls(), this);
    triggers.exec();
}

void frmSoundProcessor::Command1_Click() {
    frmConfigure configure(m_platform.settings, m_platform.prompter, m_platform.fileChooser,
                           m_configuration, m_session, this);
    configure.exec();
}

void frmSoundProcessor::cmdAbout_Click() {
    frmAbout about(m_platform.launcher, m_platform.prompter, this);
    about.exec();
}

void frmSoundProcessor::cmdStats_Click() {
    if (!m_stats) {
        m_stats = new frmMatchStats(m_platform.settings, m_session.calls().stats());
        m_stats->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_stats->show();
    m_stats->raise();
    m_stats->activateWindow();
}

void frmSoundProcessor::comeForward() {
    if (!m_loaded) {
        // Loading waits on a box or the configure window, which is what the player needs.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->raise();
            modal->activateWindow();
        }
        return;
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void frmSoundProcessor::endProgram() {
    if (m_ending)
        return;
    m_ending = true;
    m_rules.saveWindowPosition();
    UnloadOtherForms(kName);
    m_rules.stopRunningSession();
    m_tray.ItemDelete();
    hide();
    QApplication::quit();
}

void frmSoundProcessor::closeEvent(QCloseEvent* event) {
    endProgram();
    event->accept();
}

void frmSoundProcessor::showLogSize(const std::string& text) {
    m_lblLength->setText(toQString(text));
}

void frmSoundProcessor::showRunning(bool running) {
    m_cmdStart->setEnabled(!running);
    m_cmdStop->setEnabled(running);
}

void frmSoundProcessor::hideMainWindow() {
    // Without a notification area nothing could bring a hidden window back.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else if (!isMinimized())
        showMinimized();
}

void frmSoundProcessor::animateTray(bool on) {
    m_tray.setAnimating(on);
}

void frmSoundProcessor::add(const std::string& entry) {
    // Console lines hold any bytes: each entry stays one readable row.
    auto* item = new QListWidgetItem(toDisplayText(entry));
    // The list lays itself out whenever entries come, and would measure the text of every
    // entry each time; measured once here, a flood of matches costs time in the list's
    // length, not in its square.
    item->setSizeHint(entrySize(item->text()));
    m_List1->addItem(item);
    if (!m_scrollList.isActive())
        m_scrollList.start();
}

QSize frmSoundProcessor::entrySize(const QString& text) const {
    // What the list's own delegate asks the style for a plain text entry.
    QStyleOptionViewItem option;
    option.initFrom(m_List1);
    option.widget = m_List1;
    option.font = m_List1->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    return m_List1->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_List1);
}

void frmSoundProcessor::scrollListToEnd() {
    // A hidden list is scrolled when the window shows again.
    if (m_List1->isVisible())
        m_List1->scrollToBottom();
}

void frmSoundProcessor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_List1->scrollToBottom();
}
