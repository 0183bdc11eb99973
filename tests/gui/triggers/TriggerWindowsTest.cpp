// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/triggers/frmAddModify.h"
#include "gui/triggers/frmImport.h"
#include "gui/triggers/frmTriggers.h"
#include "gui/widgets/UnloadOtherForms.h"
#include "support/Controls.h"
#include "support/Patience.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
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

// The manager, the import and the edit window over one list, which starts as the default
// trigger alone.
class TriggerWindowsTest : public testing::Test {
protected:
    TriggerWindowsTest() {
        triggers.append(kDefault);
        fs::create_directory(sounds);
        configuration.Quake_Id1_sound = sounds.string();
    }
    // The manager over triggers of these names, each with keyword "KEY name" and sound
    // "name.wav".
    void open(std::initializer_list<const char*> names) {
        triggers.resize(0);
        for (const char* name : names)
            triggers.append({name, std::string("KEY ") + name, std::string(name) + ".wav"});
        manager = std::make_unique<frmTriggers>(fakes.platform, configuration, triggers, calls);
        manager->show();
        list = child<QTreeWidget>(*manager, "lstTriggers");
    }
    void select(int row) { list->setCurrentItem(list->topLevelItem(row - 1)); }
    // The names of the rows shown, a selected one marked "*".
    std::string rowNames() const {
        std::string names;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            names += (item->isSelected() ? "*" : "") + item->text(0).toStdString() + "|";
        }
        return names;
    }
    void menu(int index) {
        child<QAction>(*manager, ("mnuTrigger_" + std::to_string(index)).c_str())->trigger();
    }
    // The edit window over position 1.
    std::unique_ptr<frmAddModify> edit() {
        auto window = std::make_unique<frmAddModify>(fakes.platform, configuration, triggers, 1);
        window->show();
        return window;
    }
    static QLineEdit* box(const QWidget& window, const char* name) {
        return child<QLineEdit>(window, name);
    }

    TestPlatform fakes;
    Configuration configuration;
    TempDir dir;
    const fs::path sounds = dir / "sound";
    TriggerList triggers;
    TriggerCalls calls{triggers, fakes.clock};
    std::unique_ptr<frmTriggers> manager;
    QTreeWidget* list = nullptr;
};

// Each row: what the player does over a list of two triggers, and the one message shown; the
// list stays as it was.
TEST_F(TriggerWindowsTest, WhatThePlayerDoesAndTheMessageShown) {
    const fs::path chosen = dir / "Quad.wav";
    writeFile(chosen, squareWave(100, 0, 255));
    const std::string exported = (dir / "mine.txt").string();
    const std::string unwritable = (dir / "no" / "such.txt").string();
    const std::string missing = (dir / "missing.txt").string();
    const auto exportTo = [&](const std::string& path) {
        fakes.fileChooser.results = {path};
        click(*manager, "cmdExport");
    };
    const auto okWith = [&](const char* name, const char* text) {
        const auto window = edit();
        box(*window, name)->setText(QString::fromLatin1(text));
        click(*window, "cmdOK");
        EXPECT_TRUE(window->isVisible());
    };
    // Placing the copy has tests of its own; here, what the window fills in and plays.
    const auto searchSound = [&](bool autoCopy) {
        fs::remove(sounds / "Quad.wav");
        fakes.soundPlayer.played.clear();
        configuration.AutoCopy = autoCopy;
        fakes.fileChooser.results = {chosen.string()};
        const auto window = edit();
        click(*window, "cmdSearch");
        EXPECT_EQ(fs::exists(sounds / "Quad.wav"), autoCopy);
        EXPECT_EQ(textOf(*window, "txtFile"), chosen.string());
        click(*window, "cmdPlay");
        EXPECT_EQ(fakes.soundPlayer.played.size(), 1u);
    };
    const std::pair<std::function<void()>, std::string> rows[] = {
        {[&] { click(*manager, "cmdModify"); }, "You need to select a trigger to modify first"},
        {[&] { click(*manager, "cmdDelete"); }, "You need to select a trigger to delete first"},
        {[&] { exportTo(exported); }, "Wrote : 2 triggers to file : " + exported},
        {[&] { exportTo(unwritable); }, "Could not write the trigger file : " + unwritable},
        {[&] {
             fakes.fileChooser.results = {missing};
             click(frmImport(fakes.platform, triggers), "cmdImport");
         },
         "Could not read the trigger file : " + missing},
        // A box of spaces counts as empty: such a trigger would be dropped when loaded.
        {[&] { okWith("txtKeyword", "  "); }, "You must enter something in each box!"},
        {[&] { okWith("txtFile", "say;quit.wav"); },
         "The game cannot play this sound file: it holds \";\", which would start another "
         "game command."},
        {[&] { searchSound(true); }, "File copied to the correct\r\nQuake sound directory"},
        {[&] { searchSound(false); },
         "This sound file will need to be placed\r\nin the quake directory, if you want "
         "configure hornwise\r\nto do this automatically."}};
    for (const auto& [act, message] : rows) {
        fakes.prompter.shown.clear();
        open({"A", "B"});
        const Trigger before = triggers.at(1);
        act();
        EXPECT_EQ(shownTexts(fakes.prompter), std::vector<std::string>{message});
        EXPECT_EQ(triggers.TriggerCount(), 2) << message;
        EXPECT_EQ(triggers.at(1), before) << message;
    }
    EXPECT_THAT(readFile(exported), testing::StartsWith("\"A\",\"KEY A\",\"A.wav\"\r\n\"B\""));
}

TEST_F(TriggerWindowsTest, ModifyEditsTheSelectedRowAddAppendsOneAndDeleteSelectsTheNextRow) {
    open({"A", "B", "C", "D"});
    select(3);
    onNextModal([](QDialog& dialog) {
        EXPECT_EQ(box(dialog, "txtName")->text(), QStringLiteral("C"));
        box(dialog, "txtKeyword")->setText(QStringLiteral("QUAD"));
        click(dialog, "cmdOK");
    });
    menu(1);
    EXPECT_EQ(triggers.at(3), (Trigger{"C", "QUAD", "C.wav"}));
    EXPECT_EQ(rowTexts(*list).at(2), QStringLiteral("C|QUAD|C.wav|Team talk"));
    onNextModal([](QDialog&) {});
    click(*manager, "cmdAdd");
    EXPECT_EQ(rowNames(), "A|B|C|D||") << "Add closed by its frame leaves an empty trigger";

    // By button, key and menu.
    select(2);
    click(*manager, "cmdDelete");
    EXPECT_EQ(rowNames(), "A|*C|D||");
    EXPECT_EQ(triggers.at(2).name, "C");
    select(4);
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(rowNames(), "A|C|*D|") << "the new last row";
    for (int times = 0; times < 3; ++times)
        menu(3);
    EXPECT_EQ(rowNames(), "*A|");
    EXPECT_THAT(shownTexts(fakes.prompter),
                testing::ElementsAre("You must always have at least one trigger!"));
}

// The sound check lists every trigger's sound as the game finds it.
TEST_F(TriggerWindowsTest, PlayWavTheTesterAndTheSoundCheckFindTheSoundOfEachTrigger) {
    writeFile(sounds / "Quad.wav", squareWave(100, 0, 255));
    open({"A", "Quad"});
    onNextModal([](QDialog& check) {
        EXPECT_EQ(rowTexts(*child<QTreeWidget>(check, "lstSounds")),
                  (QStringList{QStringLiteral("A|A.wav|not in the game's sound folder"),
                               QStringLiteral("Quad|Quad.wav|Plays")}));
        EXPECT_EQ(textOf(check, "lblSummary"),
                  "The game will not play 1 of the 2 sounds as they lie in its sound folder.");
        EXPECT_FALSE(child<QPushButton>(check, "cmdMakeCopies")->isEnabled()) << "A.wav is gone";
    });
    click(*manager, "cmdCheckSounds");
    menu(0);
    EXPECT_TRUE(fakes.soundPlayer.played.empty()) << "no row selected";
    select(2);
    menu(0);

    auto* line = box(*manager, "txtTest");
    const auto result = [this] { return textOf(*manager, "lblTestResult"); };
    auto* play = child<QPushButton>(*manager, "cmdTestPlay");
    line->setText(QStringLiteral("(Bob): nothing"));
    EXPECT_FALSE(play->isEnabled());
    line->setText(QStringLiteral("Bob: key quad"));
    EXPECT_THAT(result(), testing::StartsWith("No trigger answers this line: not team talk.\n"
                                              "Trigger 2, \"Quad\""));
    line->setText(QStringLiteral("(key quad): hi"));
    EXPECT_THAT(result(), testing::HasSubstr("its keyword is not in the message"));
    line->setText(QStringLiteral("^1(Bob)^7: key quad"));
    EXPECT_THAT(result(), testing::HasSubstr("Trigger 2, \"Quad\""));
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_TRUE(manager->isVisible()) << "Enter in the line does not close the manager";
    play->click();
    const std::string quad = (sounds / "Quad.wav").string();
    EXPECT_EQ(fakes.soundPlayer.played, (std::vector<std::string>{quad, quad}));

    select(1);
    click(*manager, "cmdDelete"); // the line is tested again against the list as it is now
    EXPECT_THAT(result(), testing::HasSubstr("Trigger 1, \"Quad\""));
}

// A cue made from text: the text first asked again while it is empty, then its file in the
// file box, its copy in the game, and its text kept by Ok.
TEST_F(TriggerWindowsTest, SpeakMakesTheSoundFromTextAndOkKeepsTheText) {
    triggers.set(1, {"Quad", "QUAD", "quad.wav"});
    const auto window = edit();
    onNextModal([this](QDialog& speech) {
        EXPECT_EQ(textOf(speech, "txtSpeech"), "quad");
        box(speech, "txtSpeech")->setText(QStringLiteral(" "));
        click(speech, "cmdOK");
        EXPECT_TRUE(speech.isVisible());
        box(speech, "txtSpeech")->setText(QStringLiteral("quad in ten"));
        click(speech, "cmdOK");
    });
    click(*window, "cmdSpeak");
    const std::string file = textOf(*window, "txtFile");
    EXPECT_THAT(file, testing::StartsWith((sounds / "yelpcue-spoken" / "quad-in-ten-").string()));
    EXPECT_TRUE(fs::exists(sounds / fs::path(file).filename())) << "the game's copy";
    click(*window, "cmdOK");
    EXPECT_EQ(triggers.at(1).spoken, (SpokenText{"quad in ten", "English (America)", 175}));
    EXPECT_EQ(shownTexts(fakes.prompter),
              (std::vector<std::string>{"The cue cannot be spoken: there is no text to say.",
                                        "File copied to the correct\r\nQuake sound directory"}));
}

TEST_F(TriggerWindowsTest, EveryWayOfClosingTheManagerSavesTheListAndThePositionOnce) {
    const std::function<void()> closings[] = {
        [this] { click(*manager, "cmdQuit"); }, [this] { QTest::keyClick(list, Qt::Key_Escape); },
        [this] { QTest::keyClick(list, Qt::Key_Return); }, [this] { manager->close(); },
        [] { UnloadOtherForms(QStringLiteral("frmSoundProcessor")); }};
    for (const auto& close : closings) {
        fakes.settings = {};
        open({"A", "B"});
        auto* bar = child<QProgressBar>(*manager, "barProgress");
        bool barShown = false;
        QObject::connect(bar, &QProgressBar::valueChanged, [&] { barShown = bar->isVisible(); });
        list->setFocus();
        triggers.set(2, {"B2", "K", "b.wav"});

        close();
        EXPECT_FALSE(manager->isVisible());
        EXPECT_EQ(fakes.settings.get("2", "t_name"), "B2");
        EXPECT_TRUE(fakes.settings.has("frmTriggers", "top"));
        EXPECT_TRUE(barShown) << "the bar moves while saving";
        EXPECT_FALSE(bar->isVisible());
        fakes.settings.save("2", "t_name", "changed since");
        manager.reset();
        EXPECT_EQ(fakes.settings.get("2", "t_name"), "changed since") << "saved once";
    }
}

// The first three rows are faults that once reached the list the player sees.
TEST_F(TriggerWindowsTest, ImportTakesTheValidTriggersOfTheFileInTheModeChosen) {
    using Row = std::tuple<const char*, std::string_view, const char*>;
    for (const auto& [option, file, names] :
         {Row{"optAdd", "A,B\r\nC,D,e.wav\r\n", "Old|C|"},
          Row{"optMerge", "New,A,a.wav\r\nNew,B,b.wav\r\nOld,C,c.wav\r\n", "Old|New|"},
          Row{"optReplace", ",,\"\"\r\nA, ,a.wav\r\n\r\n", "Old|"},
          Row{"optReplace", "X,Y,z.wav\r\n", "X|"}}) {
        open({"Old"});
        writeFile(dir / "in.txt", file);
        fakes.fileChooser.results = {(dir / "in.txt").string()};
        onNextModal([&](QDialog& dialog) {
            click(dialog, option);
            click(dialog, "cmdImport");
            EXPECT_FALSE(dialog.isVisible()) << "a finished import closes the window";
        });
        click(*manager, "cmdImport");
        EXPECT_EQ(rowNames(), names) << file;
        EXPECT_TRUE(fakes.prompter.shown.empty());
    }
}

TEST_F(TriggerWindowsTest, ImportStaysOpenWhenCancelledAndStopsAtAFullList) {
    frmImport window(fakes.platform, triggers);
    window.show();
    writeFile(dir / "two.txt", "A,B,c.wav\r\nD,E,f.wav\r\n");
    fakes.fileChooser.results = {std::nullopt, (dir / "two.txt").string()};
    click(window, "cmdImport");
    EXPECT_TRUE(window.isVisible());

    triggers.resize(TriggerList::kMaxCount - 1);
    click(window, "cmdImport");
    EXPECT_THAT(
        shownTexts(fakes.prompter),
        testing::ElementsAre("The trigger list is full: it holds at most 32767 triggers."
                             "\r\nImported : 1 triggers, the rest of the file was left out."));
    EXPECT_EQ(triggers.at(TriggerList::kMaxCount), (Trigger{"A", "B", "c.wav"}));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TriggerWindowsTest, EditQuietTimeIsKeptWhileLeftAsShownAndWhoMayCallIsChosenBesideIt) {
    for (const auto& [typed, quietMs] : {std::pair{1.3, 1250}, {2.5, 2500}, {0.0, 0}}) {
        triggers.set(1, {"Q", "QUAD", "q.wav", 1250, text::Callers::AllChat});
        const auto window = edit();
        auto* quiet = child<QDoubleSpinBox>(*window, "txtQuiet");
        auto* callers = child<QComboBox>(*window, "cboCallers");
        EXPECT_DOUBLE_EQ(quiet->value(), 1.3);
        EXPECT_EQ(callers->currentText(), QStringLiteral("All chat"));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatienceMs));
        quiet->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), callers);
        quiet->setValue(typed);
        callers->setCurrentText(QStringLiteral("Any line"));
        click(*window, "cmdOK");
        EXPECT_EQ(triggers.at(1).quietMs, quietMs) << typed;
        EXPECT_EQ(triggers.at(1).callers, text::Callers::AnyLine);
    }
}

TEST_F(TriggerWindowsTest, EditSearchCancelledOrClosedByItsFrameChangesNothing) {
    const auto window = edit();
    click(*window, "cmdSearch"); // cancelled
    EXPECT_EQ(textOf(*window, "txtFile"), kDefault.soundFile);
    box(*window, "txtName")->setText(QStringLiteral("Changed"));
    window->move(40, 60);
    window->close();
    EXPECT_EQ(triggers.at(1), kDefault);
    EXPECT_EQ(edit()->pos(), QPoint(40, 60));
}

} // namespace
