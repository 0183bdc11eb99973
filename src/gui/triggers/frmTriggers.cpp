// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/triggers/frmTriggers.h"

#include "core/platform/FileChooser.h"
#include "core/platform/Platform.h"
#include "core/platform/SoundPlayer.h"
#include "core/session/TriggerCalls.h"
#include "core/settings/WindowSettings.h"
#include "core/text/ChatLine.h"
#include "core/text/PathText.h"
#include "core/triggers/TriggerFile.h"
#include "core/triggers/TriggerList.h"
#include "gui/triggers/frmAddModify.h"
#include "gui/triggers/frmImport.h"
#include "gui/triggers/frmSoundCheck.h"
#include "gui/widgets/NamedWidget.h"
#include "platform/qt/QtProgressBar.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindowGeometry.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { TriggerColumn = 0, KeywordColumn = 1, FileColumn = 2, CallersColumn = 3 };

} // namespace

frmTriggers::frmTriggers(Platform& platform, const Configuration& configuration,
                         TriggerList& triggers, TriggerCalls& calls, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_configuration(configuration)
    , m_triggers(triggers)
    , m_calls(calls)
    , m_manager(triggers, configuration, platform.prompter) {
    buildControls();
    Form_Load();
}

frmTriggers::~frmTriggers() {
    // The program may end while the window is open; the list is saved then too.
    Form_Unload();
}

void frmTriggers::buildControls() {
    setObjectName(QLatin1String(TriggerManager::kWindowName));
    setWindowTitle(QStringLiteral("Yelpcue -Trigger Manager"));

    Label1 = new QLabel(
        QStringLiteral(
            "Use this dialogue to add and change triggers, dont forget you can import triggers "
            "from a text file if they are in the following format (NAME, KEYWORD, SOUNDFILE) "
            "normal ascii text file with a comma delimiting the words - no unecessary spaces "
            "please. Import will only add valid triggers (it will not affect existing "
            "triggers)"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    lstTriggers = new QTreeWidget(this);
    lstTriggers->setObjectName(QStringLiteral("lstTriggers"));
    lstTriggers->setRootIsDecorated(false);
    lstTriggers->setUniformRowHeights(true);
    lstTriggers->setAllColumnsShowFocus(true);
    lstTriggers->setAlternatingRowColors(true);
    lstTriggers->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTriggers->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstTriggers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTriggers->setContextMenuPolicy(Qt::CustomContextMenu);
    lstTriggers->installEventFilter(this);
    connect(lstTriggers, &QWidget::customContextMenuRequested, this,
            &frmTriggers::lstTriggers_MouseDown);

    cmdAdd = namedWidget<QPushButton>("cmdAdd", QStringLiteral("Add"), this);
    cmdModify = namedWidget<QPushButton>("cmdModify", QStringLiteral("Modify"), this);
    cmdDelete = namedWidget<QPushButton>("cmdDelete", QStringLiteral("Delete"), this);
    cmdImport = namedWidget<QPushButton>("cmdImport", QStringLiteral("Import"), this);
    cmdExport = namedWidget<QPushButton>("cmdExport", QStringLiteral("Export"), this);
    cmdCheckSounds =
        namedWidget<QPushButton>("cmdCheckSounds", QStringLiteral("Check &Sounds"), this);
    cmdCheckSounds->setToolTip(QStringLiteral(
        "Whether the game plays each trigger's sound, and game-ready copies where it will not"));
    cmdQuit = namedWidget<QPushButton>("cmdQuit", QStringLiteral("Quit"), this);
    cmdQuit->setDefault(true);
    cmdList = namedWidget<QPushButton>("cmdList", QString(), this);
    cmdList->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    cmdList->setToolTip(QStringLiteral("List"));
    cmdList->setAccessibleName(QStringLiteral("List"));
    cmdReport = namedWidget<QPushButton>("cmdReport", QString(), this);
    cmdReport->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    cmdReport->setToolTip(QStringLiteral("Report"));
    cmdReport->setAccessibleName(QStringLiteral("Report"));
    connect(cmdAdd, &QPushButton::clicked, this, &frmTriggers::cmdAdd_Click);
    connect(cmdModify, &QPushButton::clicked, this, &frmTriggers::cmdModify_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmTriggers::cmdDelete_Click);
    connect(cmdImport, &QPushButton::clicked, this, &frmTriggers::cmdImport_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmTriggers::cmdExport_Click);
    connect(cmdCheckSounds, &QPushButton::clicked, this, &frmTriggers::cmdCheckSounds_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmTriggers::cmdQuit_Click);
    connect(cmdList, &QPushButton::clicked, this, &frmTriggers::cmdList_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmTriggers::cmdReport_Click);

    barProgress = new QProgressBar(this);
    barProgress->setObjectName(QStringLiteral("barProgress"));
    QSizePolicy barPolicy = barProgress->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    barProgress->setSizePolicy(barPolicy);
    barProgress->hide();

    mnuTriggers = new QMenu(this);
    mnuTriggers->setObjectName(QStringLiteral("mnuTriggers"));
    const QString items[] = {QStringLiteral("Play Wav"), QStringLiteral("Modify Trigger"),
                             QStringLiteral("-"), QStringLiteral("Delete")};
    for (int index = 0; index < 4; ++index) {
        QAction* item = items[index] == QStringLiteral("-") ? mnuTriggers->addSeparator()
                                                            : mnuTriggers->addAction(items[index]);
        item->setObjectName(QStringLiteral("mnuTrigger_%1").arg(index));
        connect(item, &QAction::triggered, this, [this, index] { mnuTrigger_Click(index); });
    }

    auto* lblTest = namedWidget<QLabel>("lblTest", QStringLiteral("Test a console line :"), this);
    txtTest = namedWidget<QLineEdit>("txtTest", this);
    txtTest->setPlaceholderText(QStringLiteral("Paste or type a line of the game's console"));
    txtTest->setClearButtonEnabled(true);
    txtTest->installEventFilter(this);
    lblTest->setBuddy(txtTest);
    cmdTestPlay = namedWidget<QPushButton>("cmdTestPlay", QStringLiteral("Play"), this);
    cmdTestPlay->setAutoDefault(false);
    cmdTestPlay->setEnabled(false);
    lblTestResult = namedWidget<QLabel>("lblTestResult", this);
    lblTestResult->setWordWrap(true);
    lblTestResult->setTextFormat(Qt::PlainText);
    // Room for its three lines, so the list does not jump while the player types.
    lblTestResult->setMinimumHeight(lblTestResult->fontMetrics().lineSpacing() * 3);
    lblTestResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTestResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(txtTest, &QLineEdit::textChanged, this, &frmTriggers::txtTest_Change);
    connect(cmdTestPlay, &QPushButton::clicked, this, &frmTriggers::cmdTestPlay_Click);

    auto* commands = new QVBoxLayout;
    commands->addWidget(cmdAdd);
    commands->addWidget(cmdModify);
    commands->addWidget(cmdDelete);
    commands->addSpacing(12);
    commands->addWidget(cmdImport);
    commands->addWidget(cmdExport);
    commands->addSpacing(12);
    commands->addWidget(cmdCheckSounds);
    commands->addStretch(1);
    commands->addWidget(cmdQuit);

    auto* body = new QHBoxLayout;
    body->addWidget(lstTriggers, 1);
    body->addLayout(commands);

    auto* views = new QHBoxLayout;
    views->addWidget(cmdList);
    views->addWidget(cmdReport);
    views->addSpacing(12);
    views->addWidget(barProgress, 1);

    auto* tester = new QHBoxLayout;
    tester->addWidget(lblTest);
    tester->addWidget(txtTest, 1);
    tester->addWidget(cmdTestPlay);

    auto* window = new QVBoxLayout(this);
    window->addWidget(Label1);
    window->addLayout(body, 1);
    window->addLayout(tester);
    window->addWidget(lblTestResult);
    window->addLayout(views);

    setTabOrder(lstTriggers, cmdAdd);
    setTabOrder(cmdAdd, cmdModify);
    setTabOrder(cmdModify, cmdDelete);
    setTabOrder(cmdDelete, cmdImport);
    setTabOrder(cmdImport, cmdExport);
    setTabOrder(cmdExport, cmdCheckSounds);
    setTabOrder(cmdCheckSounds, cmdQuit);
    setTabOrder(cmdQuit, cmdList);
    setTabOrder(cmdList, cmdReport);
    setTabOrder(cmdReport, txtTest);
    setTabOrder(txtTest, cmdTestPlay);
    lstTriggers->setFocus();

    resize(660, 500);
}

void frmTriggers::Form_Load() {
    QtWindowGeometry geometry(*this);
    restoreWindowGeometry(m_platform.settings, TriggerManager::kWindowName, geometry,
                          kPositionEdges);

    lstTriggers->setHeaderLabels({QStringLiteral("Trigger"), QStringLiteral("Keyword"),
                                  QStringLiteral("File Location"), QStringLiteral("Answers")});
    lstTriggers->headerItem()->setTextAlignment(KeywordColumn, Qt::AlignCenter);
    // The view's viewport is sized only when the window shows; the laid-out view is not.
    layout()->activate();
    const int callersWidth =
        lstTriggers->fontMetrics().horizontalAdvance(QStringLiteral("Team talk")) * 3 / 2;
    const int third = (lstTriggers->contentsRect().width() -
                       lstTriggers->verticalScrollBar()->sizeHint().width() - callersWidth) /
                      3;
    for (const int column : {TriggerColumn, KeywordColumn, FileColumn})
        lstTriggers->setColumnWidth(column, third);
    lstTriggers->setColumnWidth(CallersColumn, callersWidth);

    setReportMode(true);
    Refill_Trigger_List();
}

void frmTriggers::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    QtWindowGeometry geometry(*this);
    saveWindowGeometry(m_platform.settings, TriggerManager::kWindowName, geometry, kPositionEdges);
    QtProgressBar progress(*barProgress);
    m_manager.saveList(m_platform.settings, progress);
}

void frmTriggers::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmTriggers::Refill_Trigger_List() {
    lstTriggers->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(m_triggers.TriggerCount());
    for (int position = 1; position <= m_triggers.TriggerCount(); ++position) {
        const Trigger& trigger = m_triggers.at(position);
        auto* row = new QTreeWidgetItem(QStringList{
            toQString(trigger.name), toQString(trigger.keyword), toQString(trigger.soundFile),
            trigger.isEmpty() ? QString() : QLatin1String(text::callersName(trigger.callers))});
        row->setTextAlignment(KeywordColumn, Qt::AlignCenter);
        rows.append(row);
    }
    lstTriggers->addTopLevelItems(rows);
    txtTest_Change();
}

std::optional<int> frmTriggers::selectedRow() const {
    QTreeWidgetItem* item = lstTriggers->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return lstTriggers->indexOfTopLevelItem(item) + 1;
}

void frmTriggers::selectRow(int row) {
    QTreeWidgetItem* item = lstTriggers->topLevelItem(row - 1);
    if (!item)
        return;
    lstTriggers->setCurrentItem(item);
    lstTriggers->scrollToItem(item);
}

void frmTriggers::setReportMode(bool report) {
    lstTriggers->header()->setVisible(report);
    lstTriggers->setColumnHidden(KeywordColumn, !report);
    lstTriggers->setColumnHidden(FileColumn, !report);
    lstTriggers->setColumnHidden(CallersColumn, !report);
}

void frmTriggers::cmdAdd_Click() {
    const auto position = m_manager.beginAdd();
    if (!position)
        return;
    frmAddModify dialog(m_platform, m_configuration, m_triggers, *position, this);
    dialog.exec();
    Refill_Trigger_List();
}

void frmTriggers::cmdModify_Click() {
    const auto position = m_manager.beginModify(selectedRow());
    if (!position)
        return;
    frmAddModify dialog(m_platform, m_configuration, m_triggers, *position, this);
    dialog.exec();
    Refill_Trigger_List();
    selectRow(*position);
}

void frmTriggers::cmdDelete_Click() {
    const auto deletion = m_manager.deleteSelected(lstTriggers->topLevelItemCount(), selectedRow());
    if (!deletion)
        return;
    delete lstTriggers->takeTopLevelItem(deletion->removedRow - 1);
    selectRow(deletion->rowToSelect);
    txtTest_Change();
}

void frmTriggers::cmdImport_Click() {
    frmImport dialog(m_platform, m_triggers, this);
    dialog.exec();
    Refill_Trigger_List();
}

void frmTriggers::cmdExport_Click() {
    const auto path = m_platform.fileChooser.saveFile(triggerfile::dialogOptions());
    if (!path)
        return;
    m_manager.reportExport(triggerfile::write(text::toPath(*path), m_triggers), *path);
}

void frmTriggers::cmdCheckSounds_Click() {
    frmSoundCheck dialog(m_platform, m_configuration, m_triggers, this);
    dialog.exec();
}

void frmTriggers::cmdList_Click() {
    setReportMode(false);
}

void frmTriggers::cmdReport_Click() {
    setReportMode(true);
}

void frmTriggers::cmdQuit_Click() {
    accept();
}

void frmTriggers::lstTriggers_MouseDown(const QPoint& position) {
    // Also reached by the keyboard's menu key.
    mnuTriggers->popup(lstTriggers->viewport()->mapToGlobal(position));
}

void frmTriggers::mnuTrigger_Click(int index) {
    switch (index) {
    case 0:
        if (const auto path = m_manager.playWavPath(selectedRow()))
            m_platform.soundPlayer.play(path->string());
        break;
    case 1:
        cmdModify_Click();
        break;
    case 3:
        cmdDelete_Click();
        break;
    default:
        break;
    }
}

void frmTriggers::txtTest_Change() {
    const TesterVerdict verdict = testConsoleLine(m_calls, toSystemText(txtTest->text()));
    // Its lines, each shown as console text is.
    QStringList lines;
    for (std::size_t start = 0; start < verdict.text.size();) {
        const std::size_t end = std::min(verdict.text.find('\n', start), verdict.text.size());
        lines << toDisplayText(std::string_view(verdict.text).substr(start, end - start));
        start = end + 1;
    }
    lblTestResult->setText(lines.join(QLatin1Char('\n')));
    m_testedTrigger = verdict.position;
    cmdTestPlay->setEnabled(m_manager.playWavPath(m_testedTrigger).has_value());
}

void frmTriggers::cmdTestPlay_Click() {
    if (const auto path = m_manager.playWavPath(m_testedTrigger))
        m_platform.soundPlayer.play(path->string());
}

bool frmTriggers::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the tester's line tests the line; it does not close the window.
    if (watched == txtTest && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    if (watched == lstTriggers && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
        cmdDelete_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
