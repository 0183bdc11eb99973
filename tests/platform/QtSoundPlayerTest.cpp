// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSoundPlayer.h"

#include "support/Patience.h"
#include "support/TempDir.h"

#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

QSoundEffect::Status settledStatus(const QtSoundPlayer& player) {
    (void)QTest::qWaitFor(
        [&] {
            const auto status = player.effect().status();
            return status == QSoundEffect::Ready || status == QSoundEffect::Error;
        },
        kPatienceMs);
    return player.effect().status();
}

// Runs with or without a sound server: without one, a good file still loads and nothing
// blocks.
TEST(QtSoundPlayerTest, PlaysAGoodWaveAndStaysSilentOnAnyOther) {
    TempDir dir;
    const fs::path good = dir / "gr\xc3\xbc\xc3\x9f shotgun.wav";
    const fs::path other = dir / "quad.wav";
    const fs::path garbage = dir / "garbage.wav";
    // A tenth of a second of a tone.
    for (const fs::path& wave : {good, other})
        writeFile(wave, squareWave(1102, 0x60, 0xA0));
    writeFile(garbage, "RIFF, but not really a wave file at all");
    QtSoundPlayer player;

    player.play(good.string());
    EXPECT_EQ(settledStatus(player), QSoundEffect::Ready) << "the name reaches the file";

    player.play(garbage.string());
    EXPECT_EQ(settledStatus(player), QSoundEffect::Error);
    player.play((dir / "missing.wav").string());
    EXPECT_EQ(settledStatus(player), QSoundEffect::Error);
    player.play("");

    player.play(good.string());
    player.play(other.string());
    EXPECT_EQ(player.effect().source(), QUrl::fromLocalFile(QString::fromStdString(other.string())))
        << "the last file asked for is the one that plays";
    EXPECT_EQ(settledStatus(player), QSoundEffect::Ready);
}

} // namespace
