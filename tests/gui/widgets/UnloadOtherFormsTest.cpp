// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(UnloadOtherFormsTest, ClosesEveryWindowButTheOneNamedAndSkipsWindowsAlreadyGone) {
    Form main("frmSoundProcessor"), triggers("frmTriggers");
    main.show();
    triggers.show();
    // Two hidden windows, and whichever closes first deletes the other, as a closing window
    // may.
    QPointer<Form> about = new Form("frmAbout"), tray = new Form("frmStart");
    about->onClose = [&] { delete tray; };
    tray->onClose = [&] { delete about; };

    UnloadOtherForms(QStringLiteral("frmSoundProcessor"));
    EXPECT_EQ(
        std::tuple(main.closeEvents, main.isVisible(), triggers.closeEvents, triggers.isVisible()),
        std::tuple(0, true, 1, false));
    ASSERT_EQ(about.isNull() + tray.isNull(), 1);
    EXPECT_EQ((about ? about : tray)->closeEvents, 1) << "the hidden one closed too";
    delete about;
    delete tray;

    UnloadOtherForms(QStringLiteral("frmsoundprocessor"));
    EXPECT_EQ(main.closeEvents, 1) << "names are compared exactly";
}

} // namespace
