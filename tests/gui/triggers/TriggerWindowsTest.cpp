#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/triggers/frmAddModify.h"
#include "gui/triggers/frmImport.h"
#include "gui/triggers/frmTriggers.h"
#include "gui/widgets/UnloadOtherForms.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace fs = std::filesystem;

const Trigger kDefault{"Test Trigger", "SHOTGUN", "Bitch.wav"};

template <class T> T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no control " << name;
    return found;
}

void click(QWidget& window, const char* button) {
    child<QAbstractButton>(window, button)->click();
}

// Acts on the modal dialog that the next command opens, once its event loop runs.
void onNextModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog) << "no modal dialog opened";
        act(*dialog);
        dialog->close();
    });
}

TriggerList listOf(std::initializer_list<const char*> names) {
    TriggerList list;
    for (const char* name : names)
        list.append({name, std::string("KEY ") + name, std::string(name) + ".wav"});
    return list;
}

std::vector<Trigger> contentsOf(const TriggerList& list) {
    std::vector<Trigger> triggers;
    for (int position = 1; position <= list.TriggerCount(); ++position)
        triggers.push_back(list.at(position));
    return triggers;
}

class TriggerWindowTest : public testing::Test {
protected:
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : fakes.prompter.shown)
            texts.push_back(message.text);
        return texts;
    }

    TestPlatform fakes;
    Configuration configuration;
    TempDir dir;
};

class TriggerManagerTest : public TriggerWindowTest {
protected:
    void open(TriggerList initial, Platform* platform = nullptr) {
        triggers = std::move(initial);
        window = std::make_unique<frmTriggers>(platform ? *platform : fakes.platform, configuration,
                                               triggers, calls);
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

TEST_F(TriggerManagerTest, ShowsEveryPositionInReportOrListMode) {
    TriggerList initial = listOf({"A", "B"});
    initial.resize(3);
    open(std::move(initial));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Yelpcue -Trigger Manager"));
    EXPECT_FALSE(child<QProgressBar>(*window, "barProgress")->isVisible());
    const QTreeWidgetItem* header = list->headerItem();
    EXPECT_EQ(QStringList({header->text(0), header->text(1), header->text(2)}),
              QStringList({QStringLiteral("Trigger"), QStringLiteral("Keyword"),
                           QStringLiteral("File Location")}));
    EXPECT_EQ(rowNames(), "A|B||");
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("B.wav"));

    click(*window, "cmdList");
    EXPECT_FALSE(list->header()->isVisible());
    EXPECT_TRUE(list->isColumnHidden(1) && list->isColumnHidden(2));
    click(*window, "cmdReport");
    EXPECT_TRUE(list->header()->isVisible());
    EXPECT_FALSE(list->isColumnHidden(1) || list->isColumnHidden(2));

    QStringList items;
    for (const QAction* item : child<QMenu>(*window, "mnuTriggers")->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items, QStringList({QStringLiteral("Play Wav"), QStringLiteral("Modify Trigger"),
                                  QStringLiteral("-"), QStringLiteral("Delete")}));
}

TEST_F(TriggerManagerTest, DeleteKeepsOneTriggerAndSelectsTheNextRow) {
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
    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"You need to select a trigger to delete first",
                                        "You must always have at least one trigger!"}));
    EXPECT_EQ(fakes.prompter.shown[1].title, "Error");
}

TEST_F(TriggerManagerTest, ModifyNeedsASelectionAndKeepsTheModifiedRowSelected) {
    open(listOf({"A", "B", "C"}));
    click(*window, "cmdModify");
    EXPECT_EQ(shownTexts(),
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
}

TEST_F(TriggerManagerTest, AddClosedByItsFrameLeavesAnEmptyTriggerThatIsSaved) {
    open(listOf({"A"}));
    onNextModal([](QDialog&) {});
    click(*window, "cmdAdd");
    EXPECT_EQ(rowNames(), "A||");
    click(*window, "cmdQuit");
    EXPECT_EQ(fakes.settings.get("Application_params", "RecordCount"), "2");
    EXPECT_EQ(fakes.settings.get("2", "t_name", "missing"), "");
    EXPECT_EQ(fakes.settings.get("2", "t_file", "missing"), "");
}

TEST_F(TriggerManagerTest, PlayWavTakesABareNameFromTheSoundDirectory) {
    writeFile(dir / "Bitch.wav", "RIFF");
    configuration.Quake_Id1_sound = dir.path().string();
    TriggerList initial = listOf({"Bitch"});
    initial.append({"Path", "P", "/home/me/quad.wav"});
    open(std::move(initial));
    menu(0);
    EXPECT_TRUE(fakes.soundPlayer.played.empty()) << "no row selected";
    select(1);
    menu(0);
    select(2);
    menu(0);
    const char separator = static_cast<char>(fs::path::preferred_separator);
    EXPECT_EQ(fakes.soundPlayer.played,
              (std::vector<std::string>{dir.path().string() + separator + "Bitch.wav",
                                        "/home/me/quad.wav"}));
}

TEST_F(TriggerManagerTest, TheTesterSaysWhichTriggerAnswersALineAndPlaysItsSound) {
    configuration.Quake_Id1_sound = dir.path().string();
    writeFile(dir / "Quad.wav", "RIFF");
    open(listOf({"A", "Quad"}));
    auto* line = child<QLineEdit>(*window, "txtTest");
    const auto result = [this] { return child<QLabel>(*window, "lblTestResult")->text(); };
    auto* play = child<QPushButton>(*window, "cmdTestPlay");

    line->setText(QStringLiteral("(Bob): nothing"));
    EXPECT_EQ(result(), QStringLiteral("No trigger answers this line."));
    EXPECT_FALSE(play->isEnabled());
    // What a player copies from a DarkPlaces console log.
    line->setText(QStringLiteral("^1(Bob)^7: key ^xF00quad<b>"));
    EXPECT_EQ(result(),
              QStringLiteral("Reads as : (Bob): key quad<b>\nTrigger 2, \"Quad\" (keyword "
                             "KEY Quad), answers: the game plays Quad.wav."));
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible()) << "Enter in the line does not close the manager";
    play->click();
    EXPECT_EQ(fakes.soundPlayer.played, std::vector<std::string>{(dir / "Quad.wav").string()});

    triggers.set(2, {"Quad", "KEY Quad", "q;quit.wav"});
    select(1);
    click(*window, "cmdDelete"); // the line is tested again against the list as it is now
    EXPECT_TRUE(result().contains(QStringLiteral("Trigger 1, \"Quad\"")));
    EXPECT_TRUE(result().contains(QStringLiteral("its sound is refused")));
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
        std::vector<bool> barShown;
        QObject::connect(bar, &QProgressBar::valueChanged,
                         [&] { barShown.push_back(bar->isVisible()); });
        list->setFocus();
        select(1);
        triggers.set(2, {"B2", "K", "b.wav"});

        close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(fakes.settings.get("2", "t_name"), "B2");
        EXPECT_EQ(fakes.settings.get("frmTriggers", "top"), "1500");
        EXPECT_TRUE(!barShown.empty() && barShown.back()) << "the bar moves while saving";
        EXPECT_FALSE(bar->isVisible());
        fakes.settings.save("2", "t_name", "changed since");
        window.reset();
        EXPECT_EQ(fakes.settings.get("2", "t_name"), "changed since") << "saved once";
    }
}

TEST_F(TriggerManagerTest, ExportWritesEveryTriggerAndSaysWhere) {
    open({});
    triggers.append(kDefault);
    const std::string path = (dir / "mine.txt").string();
    const std::string unwritable = (dir / "no" / "such.txt").string();
    fakes.fileChooser.results = {path, std::nullopt, unwritable};
    for (int i = 0; i < 3; ++i)
        click(*window, "cmdExport");

    EXPECT_EQ(fakes.fileChooser.shown.at(0).filter, "Trigger File (*.txt)|*.txt");
    EXPECT_EQ(readFile(path), "\"Test Trigger\",\"SHOTGUN\",\"Bitch.wav\"\r\n");
    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"Wrote : 1 triggers to file : " + path,
                                        "Could not write the trigger file : " + unwritable}));
    EXPECT_EQ(fakes.prompter.shown[0].title, "File Saved as");
    EXPECT_EQ(fakes.prompter.shown[0].icon, Prompter::Icon::Information);
}

TEST_F(TriggerManagerTest, ImportsAFileJustExportedInEachMode) {
    for (const auto& [option, names] :
         {std::pair{"optAdd", "Z|B|A|B|"}, {"optMerge", "Z|B|A|"}, {"optReplace", "A|B|"}}) {
        open(listOf({"A", "B"}));
        fakes.fileChooser.results = {(dir / "out.txt").string(), (dir / "out.txt").string()};
        click(*window, "cmdExport");
        triggers.set(1, {"Z", "KEY Z", "Z.wav"});
        onNextModal([option](QDialog& dialog) {
            EXPECT_TRUE(child<QRadioButton>(dialog, "optAdd")->isChecked());
            click(dialog, option);
            click(dialog, "cmdImport");
            EXPECT_FALSE(dialog.isVisible()) << "a finished import closes the window";
        });
        click(*window, "cmdImport");
        EXPECT_EQ(rowNames(), names) << option;
    }
}

struct ImportCase {
    const char* what;
    const char* option;
    std::string_view file;
    std::vector<Trigger> expected;
};

class TriggerImportWindowTest : public TriggerWindowTest,
                                public testing::WithParamInterface<ImportCase> {};

const Trigger kOld{"Old", "OLD", "old.wav"};

TEST_P(TriggerImportWindowTest, TakesTheValidTriggersOfTheFile) {
    TriggerList triggers;
    triggers.append(kOld);
    frmImport window(fakes.platform, triggers);
    window.show();
    writeFile(dir / "in.txt", GetParam().file);
    fakes.fileChooser.results = {(dir / "in.txt").string()};
    click(window, GetParam().option);
    click(window, "cmdImport");
    EXPECT_EQ(contentsOf(triggers), GetParam().expected) << GetParam().what;
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(fakes.prompter.shown.empty());
}

// The reading of trigger files has tests of its own; these rows are the faults that
// once reached the window.
INSTANTIATE_TEST_SUITE_P(Files, TriggerImportWindowTest,
                         testing::Values(ImportCase{"Merge takes a repeated new name once",
                                                    "optMerge",
                                                    "New,A,a.wav\r\nNew,B,b.wav\r\nOld,C,c.wav\r\n",
                                                    {kOld, {"New", "A", "a.wav"}}},
                                         ImportCase{"Replace with no valid record keeps the list",
                                                    "optReplace",
                                                    ",,\"\"\r\nA, ,a.wav\r\n\r\n",
                                                    {kOld}},
                                         ImportCase{
                                             "two-field line shifts nothing",
                                             "optAdd",
                                             "A,B\r\nC,D,e.wav\r\nF,G,h.wav\r\n",
                                             {kOld, {"C", "D", "e.wav"}, {"F", "G", "h.wav"}}}));

TEST_F(TriggerWindowTest, ImportStaysOpenWhenCancelledOrUnreadableAndStopsAtAFullList) {
    TriggerList triggers;
    triggers.append(kOld);
    frmImport window(fakes.platform, triggers);
    window.show();
    click(window, "optReplace");
    const std::string missing = (dir / "missing.txt").string();
    writeFile(dir / "two.txt", "A,B,c.wav\r\nD,E,f.wav\r\n");
    fakes.fileChooser.results = {std::nullopt, missing, (dir / "two.txt").string()};

    click(window, "cmdImport");
    click(window, "cmdImport");
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{"Could not read the trigger file : " + missing});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(contentsOf(triggers), std::vector<Trigger>{kOld});

    click(window, "optAdd");
    triggers.resize(TriggerList::kMaxCount - 1);
    click(window, "cmdImport");
    EXPECT_EQ(shownTexts().back(), "The trigger list is full: it holds at most 32767 triggers."
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
TEST_F(TriggerEditTest, OkWithAnEmptyOrBlankBoxOrAnUnplayableSoundStaysOpen) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Add or Modify an Existing Trigger"));
    EXPECT_EQ(child<QLabel>(*window, "lblName")->text(), QStringLiteral("Tirgger Name"));
    EXPECT_EQ(box("txtName")->text(), QStringLiteral("Test Trigger"));
    box("txtKeyword")->clear();
    click(*window, "cmdOK");
    box("txtKeyword")->setText(QStringLiteral("  "));
    click(*window, "cmdOK");
    ASSERT_EQ(shownTexts(), std::vector<std::string>(2, "You must enter something in each box!"));
    EXPECT_EQ(fakes.prompter.shown[0].title, "Please enter data!");
    EXPECT_EQ(fakes.prompter.shown[0].icon, Prompter::Icon::Critical);
    EXPECT_TRUE(window->isVisible());

    box("txtFile")->setText(QStringLiteral("say;quit.wav"));
    box("txtKeyword")->setText(QStringLiteral("QUAD"));
    click(*window, "cmdOK");
    EXPECT_EQ(fakes.prompter.shown.size(), 3u) << "a name the play script refuses";
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

struct PickCase {
    const char* what;
    bool autoCopy;
    const char* existingCopy;
    std::optional<Prompter::Answer> overwrite;
    bool cancelled;
    std::vector<std::string> messages;
    const char* copyAfter;
};

class TriggerEditPickTest : public TriggerEditTest, public testing::WithParamInterface<PickCase> {};

TEST_P(TriggerEditPickTest, PickingAWaveFileCopiesItWhenAutoCopyIsOn) {
    const PickCase& c = GetParam();
    configuration.AutoCopy = c.autoCopy;
    const fs::path chosen = dir / "Quad.wav";
    writeFile(chosen, "RIFF new");
    if (c.existingCopy)
        writeFile(soundDir / "Quad.wav", c.existingCopy);
    if (c.overwrite)
        fakes.prompter.answers = {*c.overwrite};
    fakes.fileChooser.results = {c.cancelled ? std::nullopt : std::optional(chosen.string())};

    click(*window, "cmdSearch");
    EXPECT_EQ(fakes.fileChooser.shown.at(0).filter, "Sound Files(*.wav)|*.wav");
    std::vector<std::string> messages = shownTexts();
    if (c.overwrite)
        messages.erase(messages.begin());
    EXPECT_EQ(messages, c.messages) << c.what;
    EXPECT_EQ(box("txtFile")->text().toStdString(), c.cancelled ? "Bitch.wav" : chosen.string());
    EXPECT_EQ(fs::exists(soundDir / "Quad.wav") ? readFile(soundDir / "Quad.wav") : "none",
              c.copyAfter);
    EXPECT_EQ(child<QPushButton>(*window, "cmdPlay")->isEnabled(), !c.cancelled);
    click(*window, "cmdPlay");
    EXPECT_EQ(fakes.soundPlayer.played.size(), c.cancelled ? 0u : 1u);
}

const std::vector<std::string> kCopied{"File copied to the correct\r\nQuake sound directory"};
const std::vector<std::string> kNotCopied{"There was a problem with\r\ncopying the wav file!"};
const std::vector<std::string> kPlaceIt{
    "This sound file will need to be placed\r\nin the quake directory, if you want "
    "configure hornwise\r\nto do this automatically."};
const auto kNo = Prompter::Answer::No;

INSTANTIATE_TEST_SUITE_P(
    Picks, TriggerEditPickTest,
    testing::Values(PickCase{"copied", true, nullptr, {}, false, kCopied, "RIFF new"},
                    PickCase{"overwrite declined", true, "RIFF old", kNo, false, kNotCopied,
                             "RIFF old"},
                    PickCase{"AutoCopy off", false, nullptr, {}, false, kPlaceIt, "none"},
                    PickCase{"cancelled", true, nullptr, {}, true, {}, "none"}));

} // namespace
