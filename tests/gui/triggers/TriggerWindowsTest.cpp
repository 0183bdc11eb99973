#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/triggers/frmAddModify.h"
#include "gui/triggers/frmImport.h"
#include "gui/triggers/frmTriggers.h"
#include "gui/widgets/UnloadOtherForms.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const Trigger kDefault{"Test Trigger", "SHOTGUN", "Bitch.wav"};

TriggerList listOf(std::initializer_list<const char*> names) {
    TriggerList list;
    for (const char* name : names)
        list.append({name, std::string("KEY ") + name, std::string(name) + ".wav"});
    return list;
}

class TriggerWindowTest : public testing::Test {
protected:
    TestPlatform fakes;
    Configuration configuration;
    TempDir dir;
};

class TriggerManagerTest : public TriggerWindowTest {
protected:
    void open(TriggerList initial) {
        triggers = std::move(initial);
        window = std::make_unique<frmTriggers>(fakes.platform, configuration, triggers, calls);
        window->show();
        list = child<QTreeWidget>(*window, "lstTriggers");
    }
    std::optional<int> selectedRow() const {
        QTreeWidgetItem* item = list->currentItem();
        if (!item || !item->isSelected())
            return std::nullopt;
        return list->indexOfTopLevelItem(item) + 1;
    }
    void select(int row) { list->setCurrentItem(list->topLevelItem(row - 1)); }
    std::string rowNames() const {
        std::string names;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            names += list->topLevelItem(row)->text(0).toStdString() + "|";
        return names;
    }
    void menu(int index) {
        child<QAction>(*window, ("mnuTrigger_" + std::to_string(index)).c_str())->trigger();
    }

    TriggerList triggers;
    TriggerCalls calls{triggers, fakes.clock};
    std::unique_ptr<frmTriggers> window;
    QTreeWidget* list = nullptr;
};

TEST_F(TriggerManagerTest, DeleteByButtonKeyOrMenuKeepsOneTriggerAndSelectsTheNextRow) {
    open(listOf({"A", "B", "C", "D"}));
    click(*window, "cmdDelete");
    select(2);
    click(*window, "cmdDelete");
    EXPECT_EQ(rowNames(), "A|C|D|");
    EXPECT_EQ(triggers.at(2).name, "C");
    EXPECT_EQ(selectedRow(), 2);
    select(3);
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(rowNames(), "A|C|");
    EXPECT_EQ(selectedRow(), 2) << "the new last row";
    menu(3);
    menu(3);
    EXPECT_EQ(rowNames(), "A|");
    EXPECT_EQ(triggers.TriggerCount(), 1);
    EXPECT_EQ(shownTexts(fakes.prompter),
              (std::vector<std::string>{"You need to select a trigger to delete first",
                                        "You must always have at least one trigger!"}));
}

TEST_F(TriggerManagerTest, ModifyEditsTheSelectedRowAndAddAppendsOne) {
    open(listOf({"A", "B", "C"}));
    click(*window, "cmdModify");
    EXPECT_EQ(shownTexts(fakes.prompter),
              std::vector<std::string>{"You need to select a trigger to modify first"});

    select(3);
    onNextModal([](QDialog& dialog) {
        EXPECT_EQ(child<QLineEdit>(dialog, "txtName")->text(), QStringLiteral("C"));
        child<QLineEdit>(dialog, "txtKeyword")->setText(QStringLiteral("QUAD"));
        click(dialog, "cmdOK");
    });
    menu(1);
    EXPECT_EQ(triggers.at(3), (Trigger{"C", "QUAD", "C.wav"}));
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("QUAD"));
    EXPECT_EQ(selectedRow(), 3);

    onNextModal([](QDialog&) {});
    click(*window, "cmdAdd");
    EXPECT_EQ(rowNames(), "A|B|C||") << "Add closed by its frame leaves an empty trigger";
}

TEST_F(TriggerManagerTest, PlayWavAndTheTesterPlayTheSoundOfTheirTrigger) {
    configuration.Quake_Id1_sound = dir.path().string();
    writeFile(dir / "Quad.wav", "RIFF");
    open(listOf({"A", "Quad"}));
    menu(0);
    EXPECT_TRUE(fakes.soundPlayer.played.empty()) << "no row selected";
    select(2);
    menu(0);

    auto* line = child<QLineEdit>(*window, "txtTest");
    const auto result = [this] {
        return child<QLabel>(*window, "lblTestResult")->text().toStdString();
    };
    auto* play = child<QPushButton>(*window, "cmdTestPlay");
    line->setText(QStringLiteral("(Bob): nothing"));
    EXPECT_FALSE(play->isEnabled());
    line->setText(QStringLiteral("^1(Bob)^7: key quad"));
    EXPECT_THAT(result(), testing::HasSubstr("Trigger 2, \"Quad\""));
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible()) << "Enter in the line does not close the manager";
    play->click();
    const std::string quad = (dir / "Quad.wav").string();
    EXPECT_EQ(fakes.soundPlayer.played, (std::vector<std::string>{quad, quad}));

    select(1);
    click(*window, "cmdDelete"); // the line is tested again against the list as it is now
    EXPECT_THAT(result(), testing::HasSubstr("Trigger 1, \"Quad\""));
}

TEST_F(TriggerManagerTest, EveryWayOfClosingSavesTheListAndThePositionOnce) {
    const std::function<void()> closings[] = {
        [this] { click(*window, "cmdQuit"); },
        [this] { QTest::keyClick(list, Qt::Key_Escape); },
        [this] { QTest::keyClick(list, Qt::Key_Return); },
        [this] { window->close(); },
        [] { UnloadOtherForms(QStringLiteral("frmSoundProcessor")); },
    };
    for (const auto& close : closings) {
        fakes.settings = {};
        fakes.settings.save("frmTriggers", "top", "1500");
        fakes.settings.save("frmTriggers", "left", "3000");
        open(listOf({"A", "B"}));
        EXPECT_EQ(window->pos(), QPoint(qRound(3000 * window->logicalDpiX() / 1440.0),
                                        qRound(1500 * window->logicalDpiY() / 1440.0)));
        auto* bar = child<QProgressBar>(*window, "barProgress");
        bool barShown = false;
        QObject::connect(bar, &QProgressBar::valueChanged, [&] { barShown = bar->isVisible(); });
        list->setFocus();
        triggers.set(2, {"B2", "K", "b.wav"});

        close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(fakes.settings.get("2", "t_name"), "B2");
        EXPECT_EQ(fakes.settings.get("frmTriggers", "top"), "1500");
        EXPECT_TRUE(barShown) << "the bar moves while saving";
        EXPECT_FALSE(bar->isVisible());
        fakes.settings.save("2", "t_name", "changed since");
        window.reset();
        EXPECT_EQ(fakes.settings.get("2", "t_name"), "changed since") << "saved once";
    }
}

TEST_F(TriggerManagerTest, ExportSaysWhereItWroteOrThatItCouldNot) {
    open(listOf({"A"}));
    const std::string path = (dir / "mine.txt").string();
    const std::string unwritable = (dir / "no" / "such.txt").string();
    fakes.fileChooser.results = {path, std::nullopt, unwritable};
    for (int i = 0; i < 3; ++i)
        click(*window, "cmdExport");
    EXPECT_EQ(readFile(path), "\"A\",\"KEY A\",\"A.wav\"\r\n");
    EXPECT_EQ(shownTexts(fakes.prompter),
              (std::vector<std::string>{"Wrote : 1 triggers to file : " + path,
                                        "Could not write the trigger file : " + unwritable}));
}

// The first three rows are faults that once reached the list the player sees.
TEST_F(TriggerManagerTest, ImportTakesTheValidTriggersOfTheFileInTheModeChosen) {
    struct Row {
        const char* option;
        std::string_view file;
        const char* names;
    };
    for (const Row& row :
         {Row{"optAdd", "A,B\r\nC,D,e.wav\r\n", "Old|C|"},
          Row{"optMerge", "New,A,a.wav\r\nNew,B,b.wav\r\nOld,C,c.wav\r\n", "Old|New|"},
          Row{"optReplace", ",,\"\"\r\nA, ,a.wav\r\n\r\n", "Old|"},
          Row{"optReplace", "X,Y,z.wav\r\n", "X|"}}) {
        open(listOf({"Old"}));
        writeFile(dir / "in.txt", row.file);
        fakes.fileChooser.results = {(dir / "in.txt").string()};
        onNextModal([&row](QDialog& dialog) {
            click(dialog, row.option);
            click(dialog, "cmdImport");
            EXPECT_FALSE(dialog.isVisible()) << "a finished import closes the window";
        });
        click(*window, "cmdImport");
        EXPECT_EQ(rowNames(), row.names) << row.file;
        EXPECT_TRUE(fakes.prompter.shown.empty());
    }
}

TEST_F(TriggerWindowTest, ImportStaysOpenWhenCancelledOrUnreadableAndStopsAtAFullList) {
    TriggerList triggers;
    triggers.append(kDefault);
    frmImport window(fakes.platform, triggers);
    window.show();
    const std::string missing = (dir / "missing.txt").string();
    writeFile(dir / "two.txt", "A,B,c.wav\r\nD,E,f.wav\r\n");
    fakes.fileChooser.results = {std::nullopt, missing, (dir / "two.txt").string()};
    click(window, "cmdImport");
    click(window, "cmdImport");
    EXPECT_EQ(shownTexts(fakes.prompter),
              std::vector<std::string>{"Could not read the trigger file : " + missing});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(triggers.TriggerCount(), 1);

    triggers.resize(TriggerList::kMaxCount - 1);
    click(window, "cmdImport");
    ASSERT_EQ(fakes.prompter.shown.size(), 2u);
    EXPECT_EQ(fakes.prompter.shown[1].text,
              "The trigger list is full: it holds at most 32767 triggers."
              "\r\nImported : 1 triggers, the rest of the file was left out.");
    EXPECT_EQ(triggers.at(TriggerList::kMaxCount), (Trigger{"A", "B", "c.wav"}));
    EXPECT_FALSE(window.isVisible());
}

// The edit dialog over position 1.
class TriggerEditTest : public TriggerWindowTest {
protected:
    TriggerEditTest() {
        triggers.append(kDefault);
        fs::create_directory(soundDir);
        configuration.Quake_Id1_sound = soundDir.string();
        window = std::make_unique<frmAddModify>(fakes.platform, configuration, triggers, 1);
        window->show();
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(*window, name); }

    TriggerList triggers;
    fs::path soundDir = dir / "sound";
    std::unique_ptr<frmAddModify> window;
};

// A box of spaces counts as empty: such a trigger would be dropped when the list is loaded.
TEST_F(TriggerEditTest, OkWithABlankBoxOrAnUnplayableSoundSaysWhyAndStaysOpen) {
    box("txtKeyword")->setText(QStringLiteral("  "));
    click(*window, "cmdOK");
    EXPECT_EQ(shownTexts(fakes.prompter),
              std::vector<std::string>{"You must enter something in each box!"});
    box("txtFile")->setText(QStringLiteral("say;quit.wav"));
    box("txtKeyword")->setText(QStringLiteral("QUAD"));
    click(*window, "cmdOK");
    EXPECT_EQ(fakes.prompter.shown.size(), 2u) << "a name the play script refuses";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(triggers.at(1), kDefault);

    box("txtFile")->setText(QStringLiteral("Bitch.wav"));
    click(*window, "cmdOK");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(triggers.at(1), (Trigger{"Test Trigger", "QUAD", "Bitch.wav"}));
}

TEST_F(TriggerEditTest, QuietTimeIsTypedInSecondsAndKeptWhileLeftAsShown) {
    for (const auto& [typed, quietMs] : {std::pair{1.3, 1250}, {2.5, 2500}, {0.0, 0}}) {
        triggers.set(1, {"Q", "QUAD", "q.wav", 1250});
        frmAddModify dialog(fakes.platform, configuration, triggers, 1);
        auto* box = child<QDoubleSpinBox>(dialog, "txtQuiet");
        EXPECT_DOUBLE_EQ(box->value(), 1.3);
        box->setValue(typed);
        click(dialog, "cmdOK");
        EXPECT_EQ(triggers.at(1).quietMs, quietMs) << typed;
    }
}

TEST_F(TriggerEditTest, ClosingByTheFrameChangesNothingAndStoresThePosition) {
    box("txtName")->setText(QStringLiteral("Changed"));
    window->move(40, 60);
    window->close();
    EXPECT_EQ(triggers.at(1), kDefault);
    EXPECT_EQ(std::stod(fakes.settings.get("frmAddModify", "top")),
              60 * 1440.0 / window->logicalDpiY());
    EXPECT_EQ(frmAddModify(fakes.platform, configuration, triggers, 1).pos(), QPoint(40, 60));
}

// Placing a copy has tests of its own; here, what the window shows and plays.
TEST_F(TriggerEditTest, PickingAWaveFileCopiesItWhenAutoCopyIsOnAndLetsItPlay) {
    const fs::path chosen = dir / "Quad.wav";
    writeFile(chosen, "RIFF new");
    for (const auto& [autoCopy, cancelled, message] :
         {std::tuple{true, false, "File copied to the correct\r\nQuake sound directory"},
          {false, false,
           "This sound file will need to be placed\r\nin the quake directory, if "
           "you want configure hornwise\r\nto do this automatically."},
          {true, true, ""}}) {
        fs::remove(soundDir / "Quad.wav");
        fakes.prompter.shown.clear();
        fakes.soundPlayer.played.clear();
        configuration.AutoCopy = autoCopy;
        fakes.fileChooser.results = {cancelled ? std::nullopt : std::optional(chosen.string())};
        frmAddModify dialog(fakes.platform, configuration, triggers, 1);
        click(dialog, "cmdSearch");
        EXPECT_EQ(shownTexts(fakes.prompter),
                  cancelled ? std::vector<std::string>{} : std::vector<std::string>{message});
        EXPECT_EQ(fs::exists(soundDir / "Quad.wav"), autoCopy && !cancelled);
        EXPECT_EQ(child<QLineEdit>(dialog, "txtFile")->text().toStdString(),
                  cancelled ? "Bitch.wav" : chosen.string());
        click(dialog, "cmdPlay");
        EXPECT_EQ(fakes.soundPlayer.played.size(), cancelled ? 0u : 1u);
    }
}

} // namespace
