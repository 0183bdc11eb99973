// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/QuakeEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>
#include <thread>
#include <utility>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A picture as the engines read it: width, height and one palette index per pixel.
std::string picture(int width, int height) {
    return littleEndian(width, 4) + littleEndian(height, 4) +
           std::string(static_cast<std::size_t>(width * height), '\0');
}

std::vector<std::string> words(std::string_view text) {
    std::istringstream stream{std::string(text)};
    return {std::istream_iterator<std::string>(stream), {}};
}

// The checksum the engines compute over a pak's directory (CRC-16, CCITT polynomial).
std::uint16_t crc16(std::string_view bytes, std::uint16_t crc = 0xFFFF) {
    for (const char c : bytes) {
        crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

struct Lump {
    std::string name, content;
};

// A pak file (`pak`) or a WAD2 file of pictures: a header, the contents, then their
// directory. quakespasm refuses any pak but the original pak0.pak unless the registered
// game is installed, and tells the original by its number of files (339) and the checksum
// of its directory (32981). So the pak is padded with empty files to 339, and the last two
// bytes of the last name, after its end, which the engines do not read, are chosen to give
// the checksum.
std::string archive(std::vector<Lump> lumps, bool pak) {
    while (pak && lumps.size() < 339)
        lumps.push_back({"pad/" + std::to_string(lumps.size()), ""});
    std::string data, directory;
    for (const auto& [name, content] : lumps) {
        const std::uint32_t offset = 12 + data.size(), size = content.size();
        if (pak) {
            directory += name + std::string(56 - name.size(), '\0') + littleEndian(offset, 4) +
                         littleEndian(size, 4);
        } else { // a picture (type 0x42; the character set is raw, 0x44)
            for (const std::uint32_t value : {offset, size, size})
                directory += littleEndian(value, 4);
            directory += {name == "conchars" ? '\x44' : '\x42', 0, 0, 0};
            directory += name + std::string(16 - name.size(), '\0');
        }
        data += content;
    }
    if (pak) {
        const std::size_t freeBytes = directory.size() - 10;
        const std::uint16_t before = crc16(std::string_view(directory).substr(0, freeBytes));
        for (unsigned value = 0; value <= 0xFFFF; ++value) {
            directory[freeBytes] = static_cast<char>(value & 0xFF);
            directory[freeBytes + 1] = static_cast<char>(value >> 8);
            if (crc16(std::string_view(directory).substr(freeBytes), before) == 32981)
                break;
        }
    }
    return (pak ? "PACK" : "WAD2") + littleEndian(pak ? 12 + data.size() : lumps.size(), 4) +
           littleEndian(pak ? directory.size() : 12 + data.size(), 4) + data + directory;
}

// The 16x16 picture by which quakespasm tells the registered game, one letter a palette index
// ('.' is 0). Only the registered game reads loose files below the game directory, such as
// the sounds in id1/sound.
std::string registeredPicture() {
    std::string picture;
    for (const char* row :
         {"................", "....f.......f...", "...f.........g..", "..fe.........ef.",
          ".cea.........aec", ".dea.........aed", ".ded..diiid..ded", ".cehb..dhd..bhec",
          "..egic.dgd.cige.", "..bfgijhghjigfb.", "...befffffffeb..", ".....bcdfdcb....",
          ".......bfb......", ".......afa......", "........e.......", "........d......."})
        for (const char* pixel = row; *pixel; ++pixel)
            picture.push_back(*pixel == '.' ? '\0' : *pixel);
    return picture;
}

// What quakespasm and ezQuake load at start: the palette, colour map, console background
// and character set, and ezQuake's menu and status-bar pictures (blank; the bars 320x24,
// since ezQuake cuts them into pieces). About 130 kB.
std::string gameData() {
    std::vector<Lump> pictures{{"conchars", std::string(128 * 128, '\0')}};
    std::vector<std::string> names = words(
        "disc backtile ram net turtle num_minus num_colon num_slash anum_minus anum_colon "
        "sb_armor1 sb_armor2 sb_armor3 sb_shells sb_nails sb_rocket sb_cells sb_key1 sb_key2 "
        "sb_invis sb_invuln sb_suit sb_quad sb_sigil1 sb_sigil2 sb_sigil3 sb_sigil4 face_invis "
        "face_invul2 face_inv2 face_quad");
    for (const std::string& prefix : words("num_ anum_ face face_p"))
        for (char digit = '0'; digit <= '9'; ++digit)
            names.push_back(prefix + digit);
    for (const std::string& prefix : words("inv_ inv2_ inva1_ inva2_ inva3_ inva4_ inva5_"))
        for (const std::string& weapon :
             words("shotgun sshotgun nailgun snailgun rlaunch srlaunch lightng"))
            names.push_back(prefix + weapon);
    for (const std::string& name : names)
        pictures.push_back({name, picture(8, 8)});
    for (const std::string& name : words("sbar ibar scorebar"))
        pictures.push_back({name, picture(320, 24)});

    std::vector<Lump> files{{"gfx/palette.lmp", std::string(768, '\0')},
                            {"gfx/colormap.lmp", std::string(256 * 64 + 1, '\0')},
                            {"gfx/conback.lmp", picture(320, 200)},
                            {"gfx.wad", archive(std::move(pictures), false)},
                            {"gfx/pop.lmp", registeredPicture()},
                            {"quake.rc", "exec autoexec.cfg\nstuffcmds\n"}};
    for (const std::string& name :
         words("pause loading box_tl box_ml box_bl box_tm box_mm box_mm2 box_bm box_tr box_mr "
               "box_br ttl_main mainmenu menudot1 menudot2 menudot3 menudot4 menudot5 menudot6 "
               "ttl_sgl qplaque sp_menu p_load p_save p_multi ranking complete inter finale"))
        files.push_back({"gfx/" + name + ".lmp", picture(8, 8)});
    return archive(std::move(files), true);
}

struct EngineFacts {
    const char* program;
    const char* options;   // a window of 320x240 at a low frame rate
    const char* rateLabel; // what it prints at start before the rate it mixes at
};

// By Kind. /usr/games/ezquake is a wrapper that sets a base directory of its own.
const EngineFacts kEngines[] = {
    {"/usr/games/darkplaces", "+vid_fullscreen 0 +vid_width 320 +vid_height 240 +cl_maxfps 10",
     "Sound format: "},
    {"/usr/games/quakespasm", "-window -width 320 -height 240 +host_maxfps 10",
     "Audio: 16 bit, stereo, "},
    {"/usr/lib/games/ezquake/ezquake", "-window -width 320 -height 240 +sys_yieldcpu 1",
     "SDL audio driver: disk @ "},
    {"/usr/games/openarena",
     "+set r_mode 0 +set r_fullscreen 0 +set com_maxfps 10 +set in_mouse 0 "
     "+set cl_renderer opengl1",
     "Freq: "},
};

const EngineFacts& factsOf(QuakeEngine::Kind kind) {
    return kEngines[static_cast<int>(kind)];
}

} // namespace

QuakeEngine::QuakeEngine(Kind kind, fs::path baseDir, fs::path home, std::string_view arguments)
    : m_kind(kind)
    , m_baseDir(std::move(baseDir))
    , m_home(std::move(home))
    , m_arguments(words(arguments)) {}

bool QuakeEngine::isInstalled() const {
    return fs::exists(factsOf(m_kind).program);
}

std::string QuakeEngine::gameDirectory() const {
    const auto game = std::find(m_arguments.begin(), m_arguments.end(), "-game");
    return game != m_arguments.end() && game + 1 != m_arguments.end() ? *(game + 1) : "id1";
}

fs::path QuakeEngine::playerDirectory() const {
    return m_kind == Kind::OpenArena ? m_home / ".openarena" / "baseoa" : m_baseDir / "id1";
}

void QuakeEngine::install(std::string_view autoexec) const {
    fs::create_directories(playerDirectory());
    fs::create_directories(m_baseDir / gameDirectory());
    fs::create_directories(m_home);
    // darkplaces starts with no game data at all, OpenArena with its own.
    if (m_kind != Kind::DarkPlaces && m_kind != Kind::OpenArena)
        writeFile(m_baseDir / "id1" / "pak0.pak", gameData());
    if (m_kind == Kind::EzQuake) {
        // ezQuake logs into qw only when it exists, and keeps its own files in ezquake; an
        // installed ezQuake has both.
        fs::create_directories(m_baseDir / "qw");
        fs::create_directories(m_baseDir / "ezquake");
    }
    writeFile(autoexecScript(), std::string(autoexec) + "\nbind F12 \"echo Sync\"\n");
}

fs::path QuakeEngine::consoleLog() const {
    const bool noHome =
        std::find(m_arguments.begin(), m_arguments.end(), "-nohome") != m_arguments.end();
    switch (m_kind) {
    case Kind::DarkPlaces:
        return (noHome ? m_baseDir : m_home / ".darkplaces") / gameDirectory() / "qconsole.log";
    case Kind::QuakeSpasm:
        // Its working directory, which start() makes the base directory.
        return m_baseDir / "qconsole.log";
    case Kind::EzQuake:
        return m_baseDir / "qw" / "qconsole.log";
    case Kind::OpenArena:
        return playerDirectory() / "qconsole.log";
    }
    return {};
}

bool QuakeEngine::start(std::string& failure) {
    const fs::path output = programOutput();
    const bool openArena = m_kind == Kind::OpenArena;
    std::vector<std::string> arguments{factsOf(m_kind).program};
    if (!openArena)
        arguments.insert(arguments.end(), {"-basedir", m_baseDir.string(), "-condebug"});
    arguments.insert(arguments.end(), m_arguments.begin(), m_arguments.end());
    for (const std::string& option : words(factsOf(m_kind).options))
        arguments.push_back(option);
    m_process.emplace(arguments,
                      std::vector<std::string>{
                          "HOME=" + m_home.string(),
                          "XDG_DATA_HOME=" + (m_home / ".local/share").string(),
                          "XDG_CONFIG_HOME=" + (m_home / ".config").string(),
                          "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundOutput().string()},
                      m_baseDir.string(), output.string());
    bool ended = m_process->pid() <= 0;
    waitFor([&] { return ended || m_window.has_value(); }, kPatience,
            [&] {
                m_window = m_desktop.findWindowOfProcess(m_process->pid());
                ended = !m_window && m_process->waitForExit({}).has_value();
            });
    if (m_window) {
        m_desktop.focus(*m_window);
        if (sync())
            return true;
    }
    failure = (m_window ? "the game did not answer; it printed:\n"
                        : "the game showed no window; it printed:\n") +
              readFile(output) + "\nits log:\n" + logText();
    return false;
}

void QuakeEngine::press(const std::string& keysym) {
    if (m_window)
        m_desktop.pressKey(keysym);
}

int QuakeEngine::syncCount() const {
    const std::string log = logText();
    int count = 0;
    for (std::size_t at = log.find("Sync"); at != std::string::npos; at = log.find("Sync", at + 1))
        ++count;
    return count;
}

bool QuakeEngine::sync(const std::function<void()>& meanwhile) {
    const int before = syncCount();
    // At start the game may not read its keys yet (OpenArena only in a map, which takes a
    // while to load): pressed again every second; a second press just answers twice.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        press("F12");
        if (waitFor([&] { return syncCount() > before; }, 1s, meanwhile))
            return true;
    }
    return false;
}

int QuakeEngine::mixingRate() const {
    const std::string label = factsOf(m_kind).rateLabel;
    // ezQuake prints it to its log alone, OpenArena to its output (its log may start later).
    for (const std::string& text : {logText(), readFile(programOutput())}) {
        const std::size_t at = text.find(label);
        if (at != std::string::npos)
            return std::atoi(text.c_str() + at + label.size());
    }
    return 0;
}

double QuakeEngine::heardSeconds(std::streamoff from, double frequency) const {
    // Goertzel's filter over each 25 ms of both channels mixed tells the power of the tone in
    // it: about half the stretch's energy times its length for the tone alone, near 0 for
    // other tones or noise.
    const int rate = mixingRate(), stretch = rate / 40;
    if (stretch == 0)
        return 0;
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
    std::ifstream output(soundOutput(), std::ios::binary);
    output.seekg(from);
    int count = 0, toneStretches = 0;
    double last = 0, beforeLast = 0, energy = 0;
    for (std::int16_t frame[2]; output.read(reinterpret_cast<char*>(frame), sizeof frame);) {
        const double sample = (frame[0] + frame[1]) / 2.0;
        beforeLast = std::exchange(last, sample + coefficient * last - beforeLast);
        energy += sample * sample;
        if (++count % stretch != 0)
            continue;
        const double tonePower =
            last * last + beforeLast * beforeLast - coefficient * last * beforeLast;
        // Loud (an RMS above 100) far beyond the zeros the Quake engines write while silent,
        // and mostly the tone, not OpenArena's ambience.
        toneStretches += energy > 100.0 * 100 * stretch &&
                         (frequency == 0 || tonePower > 0.25 * stretch * energy);
        last = beforeLast = energy = 0;
    }
    return toneStretches / 40.0;
}
