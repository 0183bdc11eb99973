#include "shell/Configuration.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"
#include "triggers/TriggerFile.h"
#include "triggers/TriggerList.h"
#include "triggers/frmAddModify.h"
#include "triggers/frmImport.h"
#include "triggers/frmTriggers.h"

#include <QAction>
#include <QApplication>
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

// Acts on the modal dialog that the next command opens, once its event loop runs.
void onNextModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog opened";
            return;
        }
        act(*dialog);
        if (dialog->isVisible())
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

std::string text(const Prompter::Message& message) {
    return message.text;
}

class TriggerWindowTest : public testing::Test {
protected:
    TestPlatform fakes;
    Configuration configuration;
    TempDir dir;
};

// The manager, shown, over a list.
class TriggerManagerTest : public TriggerWindowTest {
protected:
    void open(TriggerList initial) {
        triggers = std::move(initial);
        window = std::make_unique<frmTriggers>(fakes.platform, configuration, triggers);
        window->show();
        list = child<QTreeWidget>(*window, "lstTriggers");
    }
    QPushButton* button(const char* name) { return child<QPushButton>(*window, name); }
    std::optional<int> selectedRow() const {
        QTreeWidgetItem* item = list->currentItem();
        if (!item || !item->isSelected())
            return std::nullopt;
        return list->indexOfTopLevelItem(item) + 1;
    }
    void select(int row) { list->setCurrentItem(list->topLevelItem(row - 1)); }
    std::vector<std::string> rowNames() const {
        std::vector<std::string> names;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            names.push_back(list->topLevelItem(row)->text(0).toStdString());
        return names;
    }
    void menu(int index) {
        child<QAction>(*window, ("mnuTrigger_" + std::to_string(index)).c_str())->trigger();
    }

    TriggerList triggers;
    std::unique_ptr<frmTriggers> window;
    QTreeWidget* list = nullptr;
};

TEST_F(TriggerManagerTest, ShowsEveryPositionInReportOrListMode) {
    TriggerList initial = listOf({"A", "B"});
    initial.resize(3);
    open(std::move(initial));

    EXPECT_EQ(window->objectName(), QStringLiteral("frmTriggers"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Yelpcue -Trigger Manager"));
    EXPECT_TRUE(child<QLabel>(*window, "Label1")
                    ->text()
                    .startsWith(QStringLiteral(
                        "Use this dialogue to add and change triggers, dont forget")));
    EXPECT_FALSE(child<QProgressBar>(*window, "barProgress")->isVisible());
    const QTreeWidgetItem* header = list->headerItem();
    EXPECT_EQ(header->text(0), QStringLiteral("Trigger"));
    EXPECT_EQ(header->text(1), QStringLiteral("Keyword"));
    EXPECT_EQ(header->text(2), QStringLiteral("File Location"));
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("KEY B"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("B.wav"));
    EXPECT_EQ(list->topLevelItem(2)->text(0), QString()) << "an empty position is an empty row";
    EXPECT_FALSE(selectedRow());

    button("cmdList")->click();
    EXPECT_FALSE(list->header()->isVisible());
    EXPECT_TRUE(list->isColumnHidden(1));
    EXPECT_TRUE(list->isColumnHidden(2));
    button("cmdReport")->click();
    EXPECT_TRUE(list->header()->isVisible());
    EXPECT_FALSE(list->isColumnHidden(1));
    EXPECT_FALSE(list->isColumnHidden(2));

    auto* popup = child<QMenu>(*window, "mnuTriggers");
    QStringList items;
    for (const QAction* item : popup->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items, (QStringList{QStringLiteral("Play Wav"), QStringLiteral("Modify Trigger"),
                                  QStringLiteral("-"), QStringLiteral("Delete")}));
}

TEST_F(TriggerManagerTest, DeleteWithOneRowChangesNothing) {
    open(listOf({"A"}));
    select(1);
    button("cmdDelete")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 1u);
    const auto& message = fakes.prompter.shown[0];
    EXPECT_EQ(message.text, "You must always have at least one trigger!");
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(message.icon, Prompter::Icon::None);
    EXPECT_EQ(triggers.TriggerCount(), 1);
    EXPECT_EQ(list->topLevelItemCount(), 1);
}

TEST_F(TriggerManagerTest, DeleteSelectsTheFollowingRowOrTheNewLastRow) {
    open(listOf({"A", "B", "C", "D"}));
    button("cmdDelete")->click();
    EXPECT_EQ(fakes.prompter.shown.back().text, "You need to select a trigger to delete first");

    select(2);
    button("cmdDelete")->click();
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(triggers.at(2).name, "C");
    EXPECT_EQ(selectedRow(), 2);

    select(3);
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(selectedRow(), 2);

    menu(3);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(triggers.TriggerCount(), 1);
    EXPECT_EQ(fakes.prompter.shown.size(), 1u);
}

TEST_F(TriggerManagerTest, ModifyNeedsASelectionAndKeepsTheModifiedRowSelected) {
    open(listOf({"A", "B", "C"}));
    button("cmdModify")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 1u);
    EXPECT_EQ(fakes.prompter.shown[0].text, "You need to select a trigger to modify first");
    EXPECT_EQ(fakes.prompter.shown[0].title, "Error");

    select(3);
    onNextModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("frmAddModify"));
        EXPECT_EQ(child<QLineEdit>(dialog, "txtName")->text(), QStringLiteral("C"));
        child<QLineEdit>(dialog, "txtKeyword")->setText(QStringLiteral("QUAD"));
        child<QPushButton>(dialog, "cmdOK")->click();
    });
    menu(1);
    EXPECT_EQ(triggers.at(3), (Trigger{"C", "QUAD", "C.wav"}));
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("QUAD"));
    EXPECT_EQ(selectedRow(), 3);
}

TEST_F(TriggerManagerTest, AddClosedByItsFrameLeavesAnEmptyTriggerThatIsSaved) {
    open(listOf({"A"}));
    onNextModal([](QDialog& dialog) { dialog.close(); });
    button("cmdAdd")->click();
    ASSERT_EQ(triggers.TriggerCount(), 2);
    EXPECT_TRUE(triggers.at(2).isEmpty());
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_FALSE(selectedRow());

    onNextModal([](QDialog& dialog) {
        child<QLineEdit>(dialog, "txtName")->setText(QStringLiteral("Quad"));
        child<QLineEdit>(dialog, "txtKeyword")->setText(QStringLiteral("GET QUAD"));
        child<QLineEdit>(dialog, "txtFile")->setText(QStringLiteral("quad.wav"));
        child<QPushButton>(dialog, "cmdOK")->click();
    });
    button("cmdAdd")->click();
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"A", "", "Quad"}));

    button("cmdQuit")->click();
    const auto& store = fakes.settings;
    EXPECT_EQ(store.get("Application_params", "RecordCount"), "3");
    EXPECT_TRUE(store.has("2", "t_name"));
    EXPECT_EQ(store.get("2", "t_name", "missing"), "");
    EXPECT_EQ(store.get("2", "t_file", "missing"), "");
    EXPECT_EQ(store.get("3", "t_keyword"), "GET QUAD");
}

TEST_F(TriggerManagerTest, PlayWavTakesABareNameFromTheSoundDirectory) {
    const fs::path soundDir = dir / "sound";
    fs::create_directory(soundDir);
    writeFile(soundDir / "Bitch.wav", "RIFF");
    configuration.Quake_Id1_sound = soundDir.string();
    TriggerList initial;
    initial.append({"Bare", "B", "Bitch.wav"});
    initial.append({"Path", "P", (dir / "mine" / "quad.wav").string()});
    open(std::move(initial));

    menu(0);
    EXPECT_TRUE(fakes.soundPlayer.played.empty()) << "no row selected";
    select(1);
    menu(0);
    select(2);
    menu(0);
    EXPECT_EQ(
        fakes.soundPlayer.played,
        (std::vector<std::string>{
            soundDir.string() + static_cast<char>(fs::path::preferred_separator) + "Bitch.wav",
            (dir / "mine" / "quad.wav").string()}));
}

// Records whether the progress bar shows while the list is written.
class WatchedStore final : public SettingsStore {
public:
    WatchedStore(SettingsStore& store, std::function<bool()> barVisible)
        : m_store(store)
        , m_barVisible(std::move(barVisible)) {}
    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue) const override {
        return m_store.get(section, key, defaultValue);
    }
    void save(std::string_view section, std::string_view key, std::string_view value) override {
        if (key == "t_name")
            barShownAtEachTrigger.push_back(m_barVisible());
        m_store.save(section, key, value);
    }
    void deleteSection(std::string_view section) override { m_store.deleteSection(section); }
    bool sync() override { return m_store.sync(); }

    std::vector<bool> barShownAtEachTrigger;

private:
    SettingsStore& m_store;
    std::function<bool()> m_barVisible;
};

TEST_F(TriggerManagerTest, EveryWayOfClosingSavesTheListAndThePosition) {
    const std::function<void(QWidget&)> closings[] = {
        [this](QWidget&) { button("cmdQuit")->click(); },
        [this](QWidget&) { QTest::keyClick(list, Qt::Key_Escape); },
        [this](QWidget&) { QTest::keyClick(list, Qt::Key_Return); },
        [](QWidget& window) { window.close(); },
    };
    for (const auto& close : closings) {
        FakeSettingsStore store;
        store.save("frmTriggers", "top", "1500");
        store.save("frmTriggers", "left", "3000");
        QProgressBar* bar = nullptr;
        WatchedStore watched(store, [&bar] { return bar->isVisible(); });
        Platform platform = fakes.platform;
        Platform withStore{watched,
                           platform.prompter,
                           platform.clock,
                           platform.keyOutput,
                           platform.keyboardLayout,
                           platform.fileChooser,
                           platform.soundPlayer,
                           platform.launcher};
        triggers = listOf({"A", "B"});
        window = std::make_unique<frmTriggers>(withStore, configuration, triggers);
        bar = child<QProgressBar>(*window, "barProgress");
        list = child<QTreeWidget>(*window, "lstTriggers");
        const double pixelsPerTwip = window->logicalDpiY() / 1440.0;
        EXPECT_EQ(window->pos(), QPoint(qRound(3000 * window->logicalDpiX() / 1440.0),
                                        qRound(1500 * pixelsPerTwip)));
        window->show();
        list->setFocus();
        select(1);
        triggers.set(2, {"B2", "K", "b.wav"});

        close(*window);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(store.get("Application_params", "RecordCount"), "2");
        EXPECT_EQ(store.get("2", "t_name"), "B2");
        EXPECT_EQ(watched.barShownAtEachTrigger, (std::vector<bool>{true, true}));
        EXPECT_FALSE(bar->isVisible());
        EXPECT_EQ(store.get("frmTriggers", "top"), "1500");
        EXPECT_EQ(store.get("frmTriggers", "left"), "3000");
        window.reset();
        EXPECT_EQ(watched.barShownAtEachTrigger.size(), 2u) << "saved once";
    }
}

TEST_F(TriggerManagerTest, ExportWritesEveryTriggerAndSaysWhere) {
    open(listOf({}));
    triggers.append(kDefault);
    const std::string path = (dir / "mine.txt").string();
    fakes.fileChooser.results = {path, std::nullopt, (dir / "no" / "such.txt").string()};

    button("cmdExport")->click();
    EXPECT_EQ(fakes.fileChooser.shown.at(0).filter, "Trigger File (*.txt)|*.txt");
    EXPECT_EQ(readFile(path), "\"Test Trigger\",\"SHOTGUN\",\"Bitch.wav\"\r\n");
    ASSERT_EQ(fakes.prompter.shown.size(), 1u);
    const auto& message = fakes.prompter.shown[0];
    EXPECT_EQ(message.text, "Wrote : 1 triggers to file : " + path);
    EXPECT_EQ(message.title, "File Saved as");
    EXPECT_EQ(message.buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(message.icon, Prompter::Icon::Information);

    button("cmdExport")->click();
    EXPECT_EQ(fakes.prompter.shown.size(), 1u) << "a cancelled dialog says nothing";

    button("cmdExport")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 2u);
    EXPECT_EQ(fakes.prompter.shown[1].text,
              "Could not write the trigger file : " + (dir / "no" / "such.txt").string());
    EXPECT_FALSE(fs::exists(dir / "no"));
}

struct RoundTripCase {
    const char* option;
    std::vector<std::string> names;
};

class TriggerRoundTripTest : public TriggerManagerTest,
                             public testing::WithParamInterface<RoundTripCase> {};

TEST_P(TriggerRoundTripTest, ImportsAFileJustExported) {
    open(listOf({"A", "B"}));
    const std::string path = (dir / "out.txt").string();
    fakes.fileChooser.results = {path};
    button("cmdExport")->click();
    triggers.set(1, {"Z", "KEY Z", "Z.wav"});

    fakes.fileChooser.results = {path};
    const char* option = GetParam().option;
    onNextModal([option](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("frmImport"));
        EXPECT_TRUE(child<QRadioButton>(dialog, "optAdd")->isChecked());
        child<QRadioButton>(dialog, option)->click();
        child<QPushButton>(dialog, "cmdImport")->click();
        EXPECT_FALSE(dialog.isVisible()) << "a finished import closes the window";
    });
    button("cmdImport")->click();
    EXPECT_EQ(rowNames(), GetParam().names);
    EXPECT_EQ(fakes.prompter.shown.size(), 1u) << "only the export's message";
}

INSTANTIATE_TEST_SUITE_P(Modes, TriggerRoundTripTest,
                         testing::Values(RoundTripCase{"optAdd", {"Z", "B", "A", "B"}},
                                         RoundTripCase{"optMerge", {"Z", "B", "A"}},
                                         RoundTripCase{"optReplace", {"A", "B"}}));

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
    child<QRadioButton>(window, GetParam().option)->click();
    child<QPushButton>(window, "cmdImport")->click();
    EXPECT_EQ(contentsOf(triggers), GetParam().expected) << GetParam().what;
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(fakes.prompter.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, TriggerImportWindowTest,
    testing::Values(
        ImportCase{"hand-written line",
                   "optAdd",
                   "NAME, KEYWORD, SOUNDFILE\r\n",
                   {kOld, {"NAME", "KEYWORD", "SOUNDFILE"}}},
        ImportCase{"quoted comma",
                   "optAdd",
                   "\"Quad, now\",\"QUAD\",\"q.wav\"\r\n",
                   {kOld, {"Quad, now", "QUAD", "q.wav"}}},
        ImportCase{"empty position line",
                   "optAdd",
                   ",,\"\"\r\n\"N\",\"K\",\"n.wav\"\r\n",
                   {kOld, {"N", "K", "n.wav"}}},
        ImportCase{"Merge takes a repeated new name once",
                   "optMerge",
                   "New,A,a.wav\r\nNew,B,b.wav\r\nOld,C,c.wav\r\n",
                   {kOld, {"New", "A", "a.wav"}}},
        ImportCase{"Merge compares names case-sensitively",
                   "optMerge",
                   "old,X,x.wav\r\n",
                   {kOld, {"old", "X", "x.wav"}}},
        ImportCase{
            "Replace with no valid record", "optReplace", ",,\"\"\r\nA, ,a.wav\r\n\r\n", {kOld}},
        ImportCase{
            "Replace with one valid record", "optReplace", "A,B,c.wav", {{"A", "B", "c.wav"}}},
        ImportCase{"two-field line shifts nothing",
                   "optAdd",
                   "A,B\r\nC,D,e.wav\r\nF,G,h.wav\r\n",
                   {kOld, {"C", "D", "e.wav"}, {"F", "G", "h.wav"}}}));

TEST_F(TriggerWindowTest, ImportStaysOpenWhenCancelledOrTheFileCannotBeRead) {
    TriggerList triggers;
    triggers.append(kOld);
    frmImport window(fakes.platform, triggers);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Import Triggers"));
    child<QRadioButton>(window, "optReplace")->click();
    const std::string missing = (dir / "missing.txt").string();
    fakes.fileChooser.results = {std::nullopt, missing};

    child<QPushButton>(window, "cmdImport")->click();
    EXPECT_TRUE(fakes.prompter.shown.empty());
    EXPECT_TRUE(window.isVisible());

    child<QPushButton>(window, "cmdImport")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 1u);
    EXPECT_EQ(fakes.prompter.shown[0].text, "Could not read the trigger file : " + missing);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(child<QRadioButton>(window, "optReplace")->isChecked());
    EXPECT_EQ(contentsOf(triggers), std::vector<Trigger>{kOld});

    child<QPushButton>(window, "cmdQuit")->click();
    EXPECT_FALSE(window.isVisible());
}

// The edit dialog over position 1.
class TriggerEditTest : public TriggerWindowTest {
protected:
    TriggerEditTest() {
        triggers.append(kDefault);
        triggers.CurrentTrigger = 1;
        soundDir = dir / "sound";
        fs::create_directory(soundDir);
        fs::create_directory(dir / "mine");
        configuration.Quake_Id1_sound = soundDir.string();
        window = std::make_unique<frmAddModify>(fakes.platform, configuration, triggers);
        window->show();
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(*window, name); }
    QPushButton* button(const char* name) { return child<QPushButton>(*window, name); }
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        std::transform(fakes.prompter.shown.begin(), fakes.prompter.shown.end(),
                       std::back_inserter(texts), text);
        return texts;
    }

    TriggerList triggers;
    fs::path soundDir;
    std::unique_ptr<frmAddModify> window;
};

TEST_F(TriggerEditTest, ShowsTheTriggerWithItsCaptions) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Add or Modify an Existing Trigger"));
    EXPECT_EQ(child<QLabel>(*window, "lblName")->text(), QStringLiteral("Tirgger Name"));
    EXPECT_EQ(box("txtName")->text(), QStringLiteral("Test Trigger"));
    EXPECT_EQ(box("txtKeyword")->text(), QStringLiteral("SHOTGUN"));
    EXPECT_EQ(box("txtFile")->text(), QStringLiteral("Bitch.wav"));
    EXPECT_FALSE(button("cmdPlay")->isEnabled());
    QStringList labels;
    for (const QLabel* label : window->findChildren<QLabel*>(QStringLiteral("Label1")))
        labels << label->text();
    EXPECT_EQ(labels, (QStringList{QStringLiteral("Wave file to play"),
                                   QStringLiteral("Progress of file transfer")}));
}

TEST_F(TriggerEditTest, OkWithAnEmptyBoxStaysOpenAndOneSpaceIsEnough) {
    box("txtKeyword")->clear();
    button("cmdOK")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 1u);
    const auto& message = fakes.prompter.shown[0];
    EXPECT_EQ(message.text, "You must enter something in each box!");
    EXPECT_EQ(message.title, "Please enter data!");
    EXPECT_EQ(message.icon, Prompter::Icon::Critical);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(triggers.at(1), kDefault);

    box("txtFile")->setText(QStringLiteral("say;quit.wav"));
    box("txtKeyword")->setText(QStringLiteral(" "));
    button("cmdOK")->click();
    EXPECT_EQ(fakes.prompter.shown.size(), 2u) << "a name the play script refuses";
    EXPECT_TRUE(window->isVisible());

    box("txtFile")->setText(QStringLiteral("Bitch.wav"));
    button("cmdOK")->click();
    EXPECT_EQ(fakes.prompter.shown.size(), 2u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(triggers.at(1), (Trigger{"Test Trigger", " ", "Bitch.wav"}));
}

TEST_F(TriggerEditTest, ClosingByTheFrameChangesNothingAndStoresThePosition) {
    box("txtName")->setText(QStringLiteral("Changed"));
    window->move(40, 60);
    window->close();
    EXPECT_EQ(triggers.at(1), kDefault);
    const double twipsPerPixel = 1440.0 / window->logicalDpiY();
    EXPECT_EQ(std::stod(fakes.settings.get("frmAddModify", "top")), 60 * twipsPerPixel);

    frmAddModify again(fakes.platform, configuration, triggers);
    EXPECT_EQ(again.pos(), window->pos());
}

TEST_F(TriggerEditTest, PickingAFileCopiesItIntoTheSoundDirectory) {
    const fs::path chosen = dir / "mine" / "Quad.wav";
    writeFile(chosen, "RIFF quad");
    fakes.fileChooser.results = {chosen.string()};
    button("cmdSearch")->click();
    EXPECT_EQ(fakes.fileChooser.shown.at(0).filter, "Sound Files(*.wav)|*.wav");
    EXPECT_EQ(box("txtFile")->text().toStdString(), chosen.string());
    EXPECT_EQ(readFile(soundDir / "Quad.wav"), "RIFF quad");
    EXPECT_EQ(shown(),
              std::vector<std::string>{"File copied to the correct\r\nQuake sound directory"});
    EXPECT_EQ(child<QProgressBar>(*window, "ProgressBar1")->value(), 100);
    ASSERT_TRUE(button("cmdPlay")->isEnabled());

    button("cmdPlay")->click();
    EXPECT_EQ(fakes.soundPlayer.played, std::vector<std::string>{chosen.string()});
}

TEST_F(TriggerEditTest, DecliningTheOverwriteKeepsTheChosenPath) {
    const fs::path chosen = dir / "mine" / "Quad.wav";
    writeFile(chosen, "RIFF new");
    writeFile(soundDir / "Quad.wav", "RIFF old");
    fakes.fileChooser.results = {chosen.string()};
    fakes.prompter.answers = {Prompter::Answer::No};
    button("cmdSearch")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 2u);
    EXPECT_EQ(fakes.prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(fakes.prompter.shown[1].text, "There was a problem with\r\ncopying the wav file!");
    EXPECT_EQ(fakes.prompter.shown[1].title, "File transfer ststus (ERROR!)");
    EXPECT_EQ(fakes.prompter.shown[1].icon, Prompter::Icon::Information);
    EXPECT_EQ(box("txtFile")->text().toStdString(), chosen.string());
    EXPECT_EQ(readFile(soundDir / "Quad.wav"), "RIFF old");
    EXPECT_TRUE(button("cmdPlay")->isEnabled());
}

TEST_F(TriggerEditTest, WithAutoCopyOffNothingIsCopied) {
    configuration.AutoCopy = false;
    const fs::path chosen = dir / "mine" / "Quad.wav";
    writeFile(chosen, "RIFF quad");
    fakes.fileChooser.results = {chosen.string()};
    button("cmdSearch")->click();
    ASSERT_EQ(fakes.prompter.shown.size(), 1u);
    EXPECT_EQ(fakes.prompter.shown[0].text,
              "This sound file will need to be placed\r\n"
              "in the quake directory, if you want configure hornwise\r\n"
              "to do this automatically.");
    EXPECT_EQ(fakes.prompter.shown[0].title, "Sounds need copying");
    EXPECT_TRUE(fs::is_empty(soundDir));
    EXPECT_EQ(box("txtFile")->text().toStdString(), chosen.string());
}

TEST_F(TriggerEditTest, ACancelledFileDialogChangesNothing) {
    fakes.fileChooser.results = {std::nullopt};
    button("cmdSearch")->click();
    EXPECT_EQ(box("txtFile")->text(), QStringLiteral("Bitch.wav"));
    EXPECT_FALSE(button("cmdPlay")->isEnabled());
    EXPECT_TRUE(fakes.prompter.shown.empty());
    EXPECT_TRUE(fs::is_empty(soundDir));
}

} // namespace
