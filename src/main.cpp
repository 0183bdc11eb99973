#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtText.h"
#include "shell/Configuration.h"
#include "triggers/TriggerList.h"
#include "triggers/TriggerStore.h"

#include <QApplication>
#include <QListWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Yelpcue"));
    QApplication::setApplicationDisplayName(QStringLiteral("Yelpcue"));
    QApplication::setApplicationVersion(QStringLiteral(YELPCUE_VERSION));

    const auto store = QtSettingsStore::openForUser();
    Configuration configuration;
    configuration.load(*store);
    TriggerList triggers;
    triggerstore::loadTriggerList(*store, triggers);

    // Until the main window exists: the triggers that a session would listen for.
    QListWidget window;
    window.setWindowTitle(QStringLiteral("Yelpcue"));
    for (int position = 1; position <= triggers.TriggerCount(); ++position) {
        const Trigger& trigger = triggers.at(position);
        window.addItem(toQString(trigger.keyword) + QStringLiteral(" \u2192 ") +
                       toQString(trigger.soundFile));
    }
    window.resize(420, 240);
    window.show();
    return QApplication::exec();
}
