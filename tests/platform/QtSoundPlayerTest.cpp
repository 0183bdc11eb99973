#include "platform/qt/QtSoundPlayer.h"

#include "support/TempDir.h"

#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

namespace fs = std::filesystem;

// A tenth of a second of a tone, 8-bit PCM mono at 11025 Hz.
std::string shortWave() {
    const auto bytes = [](std::uint32_t value, int count) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        return out;
    };
    std::string samples;
    for (int i = 0; i < 1102; ++i)
        samples.push_back(static_cast<char>((i / 10) % 2 ? 0xA0 : 0x60));
    return "RIFF" + bytes(36 + samples.size(), 4) + "WAVEfmt " + bytes(16, 4) + bytes(1, 2) +
           bytes(1, 2) + bytes(11025, 4) + bytes(11025, 4) + bytes(1, 2) + bytes(8, 2) + "data" +
           bytes(samples.size(), 4) + samples;
}

QSoundEffect::Status settledStatus(const QtSoundPlayer& player) {
    (void)QTest::qWaitFor(
        [&] {
            const auto status = player.effect().status();
            return status == QSoundEffect::Ready || status == QSoundEffect::Error;
        },
        5000);
    return player.effect().status();
}

// Runs with or without a sound server: without one, a good file still loads and nothing
// blocks.
TEST(QtSoundPlayerTest, PlaysAGoodWaveAndStaysSilentOnAnyOther) {
    TempDir dir;
    const fs::path good = dir / "gr\xc3\xbc\xc3\x9f shotgun.wav";
    const fs::path other = dir / "quad.wav";
    const fs::path garbage = dir / "garbage.wav";
    writeFile(good, shortWave());
    writeFile(other, shortWave());
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
