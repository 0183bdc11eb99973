#include "support/GameConsole.h"

#include "support/TempDir.h"

#include <algorithm>

GameConsole::GameConsole(std::filesystem::path log, LineEnd lineEnd)
    : m_log(std::move(log))
    , m_lineEnd(lineEnd) {}

void GameConsole::say(std::string_view line) {
    write(std::string(line) + lineEnd());
}

void GameConsole::write(std::string_view bytes) {
    appendFile(m_log, bytes);
}

void GameConsole::writeInPieces(std::string_view text, std::size_t chunkSize,
                                const std::function<void()>& afterEachPiece) {
    while (!text.empty()) {
        const std::size_t size = std::min(chunkSize, text.size());
        write(text.substr(0, size));
        text.remove_prefix(size);
        afterEachPiece();
    }
}

void GameConsole::restartByTruncating(std::string_view firstText) {
    writeFile(m_log, firstText);
}

void GameConsole::restartByReplacing(std::string_view firstText) {
    auto replacement = m_log;
    replacement += ".new";
    writeFile(replacement, firstText);
    std::filesystem::rename(replacement, m_log);
}
