#include "platform/qt/QtSoundPlayer.h"

#include "support/TempDir.h"

#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

namespace fs = std::filesystem;

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A tenth of a second of a tone, 16-bit PCM mono at 11025 Hz.
std::string shortWave() {
    constexpr std::uint32_t rate = 11025;
    std::string samples;
    for (std::uint32_t i = 0; i < rate / 10; ++i)
        putLittleEndian(samples, (i / 10) % 2 ? 0x2000 : 0xE000, 2);
    std::string wave = "RIFF";
    putLittleEndian(wave, static_cast<std::uint32_t>(36 + samples.size()), 4);
    wave += "WAVEfmt ";
    putLittleEndian(wave, 16, 4);
    putLittleEndian(wave, 1, 2); // PCM
    putLittleEndian(wave, 1, 2); // mono
    putLittleEndian(wave, rate, 4);
    putLittleEndian(wave, rate * 2, 4);
    putLittleEndian(wave, 2, 2);
    putLittleEndian(wave, 16, 2);
    wave += "data";
    putLittleEndian(wave, static_cast<std::uint32_t>(samples.size()), 4);
    return wave + samples;
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
