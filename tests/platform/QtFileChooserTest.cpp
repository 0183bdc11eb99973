// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtFileChooser.h"

#include <gtest/gtest.h>

namespace {

TEST(QtFileChooserTest, ProgramFiltersBecomeQtNameFilters) {
    EXPECT_EQ(toQtNameFilters("Sound Files(*.wav)|*.wav", false),
              QStringList{QStringLiteral("Sound Files(*.wav) (*.wav)")});
    EXPECT_EQ(toQtNameFilters("Config Files.cfg (*.cfg)|*.cfg|Config Files.cfg (*.rc)|*.rc", false),
              (QStringList{QStringLiteral("Config Files.cfg (*.cfg) (*.cfg)"),
                           QStringLiteral("Config Files.cfg (*.rc) (*.rc)")}));
    EXPECT_EQ(toQtNameFilters("Qconsole.log (*.log)|Qconsole.log|", false),
              QStringList{QStringLiteral("Qconsole.log (*.log) (Qconsole.log)")});
}

TEST(QtFileChooserTest, PatternsCanMatchEitherLetterCase) {
    EXPECT_EQ(toQtNameFilters("Qconsole.log (*.log)|Qconsole.log|", true),
              QStringList{QStringLiteral(
                  "Qconsole.log (*.log) ([qQ][cC][oO][nN][sS][oO][lL][eE].[lL][oO][gG])")});
    EXPECT_EQ(toQtNameFilters("Wave|*.wav;*.WAV", true),
              QStringList{QStringLiteral("Wave (*.[wW][aA][vV] *.[wW][aA][vV])")});
}

} // namespace
