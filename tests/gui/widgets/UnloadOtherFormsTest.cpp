#include "gui/widgets/UnloadOtherForms.h"

#include <QCloseEvent>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

class Form final : public QWidget {
public:
    explicit Form(const char* name) { setObjectName(QString::fromLatin1(name)); }
    int closeEvents = 0;
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeEvents;
        if (onClose)
            onClose();
        event->accept();
    }
};

TEST(UnloadOtherFormsTest, ClosesEveryWindowButTheOneNamedHiddenOnesToo) {
    Form main("frmSoundProcessor");
    Form triggers("frmTriggers");
    Form tray("frmStart"); // the tray form is never shown
    main.show();
    triggers.show();

    UnloadOtherForms(QStringLiteral("frmSoundProcessor"));
    EXPECT_EQ(main.closeEvents, 0);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(triggers.closeEvents, 1);
    EXPECT_FALSE(triggers.isVisible());
    EXPECT_EQ(tray.closeEvents, 1);

    UnloadOtherForms(QStringLiteral("frmsoundprocessor"));
    EXPECT_EQ(main.closeEvents, 1) << "names are compared exactly";
}

TEST(UnloadOtherFormsTest, WindowDeletedWhileAnotherClosesIsSkipped) {
    Form main("frmSoundProcessor");
    QPointer<Form> about = new Form("frmAbout");
    QPointer<Form> tray = new Form("frmStart");
    int closed = 0;
    // Whichever closes first deletes the other, as a closing window may.
    about->onClose = [&] {
        ++closed;
        delete tray;
    };
    tray->onClose = [&] {
        ++closed;
        delete about;
    };

    UnloadOtherForms(QStringLiteral("frmSoundProcessor"));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(about.isNull() + tray.isNull(), 1);
    EXPECT_EQ(main.closeEvents, 0);
    delete about;
    delete tray;
}

} // namespace
