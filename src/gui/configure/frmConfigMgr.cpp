// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/configure/frmConfigMgr.h"

#include "core/game/ConfigScript.h"
#include "core/platform/Prompter.h"
#include "core/text/PathText.h"
#include "platform/qt/QtText.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmConfigMgr::frmConfigMgr(Prompter& prompter, const std::vector<std::string>& ChosenConfigFiles,
                           const std::string& keyName, GameFamily family, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_keyName(keyName)
    , m_family(family) {
    setObjectName(QStringLiteral("frmConfigMgr"));
    setWindowTitle(QStringLiteral("Integrate Your Config Files!"));

    cboFiles = new QComboBox(this);
    cboFiles->setObjectName(QStringLiteral("cboFiles"));
    cboFiles->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboFiles->setMinimumContentsLength(40);

    txtFile = new QPlainTextEdit(this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setReadOnly(true);
    txtFile->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtFile->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* Label1 = new QLabel(
        QStringLiteral("Examine your config files then use apply to add the correct Hornwise "
                       "trigger bind to the file. ENSURE THAT THE CONFIG FILE MODIFIED IS ONE "
                       "USED BY ALL YOUR QUAKE TOTAL CONVERSIONS (TF,CTF,DM) (No other "
                       "modifications will be made)"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    auto* lblAdvice = new QLabel(toQString(bindScriptAdvice(family)), this);
    lblAdvice->setObjectName(QStringLiteral("lblAdvice"));
    lblAdvice->setWordWrap(true);
    lblAdvice->setVisible(!lblAdvice->text().isEmpty());

    cmdApply = new QPushButton(QStringLiteral("Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    // Only a deliberate press changes the player's script, never Enter in the list.
    cmdApply->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(cmdApply, 0, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cboFiles);
    layout->addWidget(txtFile, 1);
    layout->addWidget(lblAdvice);
    layout->addLayout(bottom);
    resize(640, 480);

    setTabOrder(cboFiles, txtFile);
    setTabOrder(txtFile, cmdApply);

    Form_Load(ChosenConfigFiles);

    connect(cboFiles, &QComboBox::currentIndexChanged, this, &frmConfigMgr::cboFiles_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmConfigMgr::cmdApply_Click);
}

void frmConfigMgr::Form_Load(const std::vector<std::string>& ChosenConfigFiles) {
    OfferedScripts offered = scriptsToOffer(ChosenConfigFiles);
    m_scripts = std::move(offered.paths);
    for (const std::string& path : m_scripts)
        cboFiles->addItem(toQString(path));
    cboFiles->setCurrentIndex(offered.selected);
    cmdApply->setEnabled(offered.selected >= 0);
    if (offered.selected < 0 || showSelectedScript())
        m_prompter.inform("Problem with files passed");
}

std::string frmConfigMgr::selectedScript() const {
    const int index = cboFiles->currentIndex();
    return index >= 0 ? m_scripts[static_cast<std::size_t>(index)] : std::string();
}

std::optional<std::string> frmConfigMgr::showSelectedScript() {
    txtFile->clear();
    const ScriptText script = readScriptForViewer(text::toPath(selectedScript()));
    if (!script.problem)
        txtFile->setPlainText(toQString(script.text));
    return script.problem;
}

void frmConfigMgr::cboFiles_Click() {
    if (const auto problem = showSelectedScript())
        m_prompter.inform(*problem, {}, Prompter::Icon::Warning);
}

void frmConfigMgr::cmdApply_Click() {
    if (const auto problem = AppendBindBlock(text::toPath(selectedScript()), m_keyName, m_family)) {
        m_prompter.inform(*problem, {}, Prompter::Icon::Warning);
        return;
    }
    m_prompter.inform(bindCommands(m_keyName, m_family) +
                          "\r\nWas added to the end of your chosen config script",
                      "Completed Update", Prompter::Icon::Information);
    accept();
}
