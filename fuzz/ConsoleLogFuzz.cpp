// SPDX-License-Identifier: GPL-3.0-or-later
// Console text arriving in pieces of any size, read by the follower at any moment: every
// complete line of the log comes out exactly once, in log order, whatever the text and
// wherever the writes and reads fall. A line ends at CR, LF or CR LF; a line that reaches
// LineCutter::kMaxLineBytes without an end comes out in pieces of that size (the line end
// after a piece of exactly that size adds no empty line). NUL bytes are dropped. After a skip to
// the end of the log the text it held is never returned, nor the rest of a line begun in it.
//
// The input is a program of operations, one byte each:
//   00xxxxxx  append the next x + 1 input bytes to the log
//   01xxxxxx  append (x + 1) * 1024 copies of the next input byte (long lines); of a CR or
//             LF only x + 1 copies, as a million empty lines would only make runs slow
//   10xxxxxx  read everything new
//   11xxxxxx  read everything new, then skip to the end of the log

#include "FuzzCheck.h"
#include "core/session/ConsoleLogFollower.h"
#include "core/session/LineCutter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Text appended per input is capped, so one input stays quick; the cap still takes the
// follower past one read of its largest size.
constexpr std::size_t kMaxLogBytes = ConsoleLogFollower::kMaxReadBytes + (128 << 10);

struct ExpectedLine {
    std::string text;
    std::size_t lineStart; // where its line began
    std::size_t complete;  // the log length from which the line is complete
};

// Every complete line of the whole log, cut by the rules above; NUL bytes are no text.
std::vector<ExpectedLine> referenceLines(std::string_view log) {
    std::vector<ExpectedLine> lines;
    std::size_t lineStart = 0;
    while (lineStart < log.size()) {
        const std::size_t end = log.find_first_of("\r\n", lineStart);
        const std::size_t stop = end == std::string_view::npos ? log.size() : end;
        std::string text;
        bool cutAtLimit = false; // and no text since
        for (std::size_t at = lineStart; at < stop; ++at) {
            if (log[at] == '\0')
                continue;
            text += log[at];
            cutAtLimit = text.size() == LineCutter::kMaxLineBytes;
            if (cutAtLimit)
                lines.push_back({std::exchange(text, {}), lineStart, at + 1});
        }
        if (end == std::string_view::npos)
            break;
        if (!cutAtLimit)
            lines.push_back({std::move(text), lineStart, stop + 1});
        lineStart = stop + 1;
        if (log[stop] == '\r' && lineStart < log.size() && log[lineStart] == '\n')
            ++lineStart;
    }
    return lines;
}

class LogFile {
public:
    LogFile() {
        const fs::path memory = "/dev/shm";
        std::error_code error;
        const fs::path directory =
            fs::is_directory(memory, error) ? memory : fs::temp_directory_path();
        m_path = directory / ("yelpcue-fuzz-log-" + std::to_string(std::random_device{}()));
        m_file.open(m_path, std::ios::binary | std::ios::trunc);
    }
    ~LogFile() {
        m_file.close();
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }
    void append(std::string_view bytes) {
        m_file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        m_file.flush();
    }

private:
    fs::path m_path;
    std::ofstream m_file;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LogFile file;
    ConsoleLogFollower follower;
    follower.measure(file.path());

    std::string log;
    std::vector<std::string> returned;
    std::vector<std::size_t> skips;
    const auto readAll = [&] {
        follower.measure(file.path());
        // Each read takes at most kMaxReadBytes, so a few reads empty any log made here.
        for (int reads = 0; follower.hasUnreadText(); ++reads) {
            FUZZ_CHECK(reads <=
                           static_cast<int>(kMaxLogBytes / ConsoleLogFollower::kMaxReadBytes) + 2,
                       "the follower does not get through the log");
            for (auto& line : follower.readNewLines(file.path()))
                returned.push_back(std::move(line));
            follower.measure(file.path());
        }
        FUZZ_CHECK(follower.position() == static_cast<std::int64_t>(log.size()),
                   "the read position is not the end of what was read");
    };

    std::size_t i = 0;
    while (i < size && log.size() < kMaxLogBytes) {
        const std::uint8_t op = data[i++];
        const std::size_t x = op & 0x3F;
        switch (op >> 6) {
        case 0: {
            const std::size_t length = std::min(x + 1, size - i);
            const std::string_view bytes(reinterpret_cast<const char*>(data + i), length);
            i += length;
            log += bytes;
            file.append(bytes);
            break;
        }
        case 1: {
            if (i == size)
                break;
            const char c = static_cast<char>(data[i++]);
            const std::string run(c == '\r' || c == '\n' ? x + 1 : (x + 1) * 1024, c);
            log += run;
            file.append(run);
            break;
        }
        case 2:
            readAll();
            break;
        case 3:
            readAll();
            follower.skipToEnd(file.path());
            FUZZ_CHECK(follower.position() == static_cast<std::int64_t>(log.size()),
                       "a skip does not reach the end of the log");
            skips.push_back(log.size());
            break;
        }
    }
    readAll();

    std::vector<std::string> expected;
    for (auto& line : referenceLines(log)) {
        bool dropped = false;
        for (const std::size_t skip : skips)
            dropped = dropped || (line.lineStart < skip && line.complete > skip);
        if (!dropped)
            expected.push_back(std::move(line.text));
    }
    FUZZ_CHECK(returned.size() == expected.size(), "not every complete line came out once");
    for (std::size_t n = 0; n < expected.size(); ++n)
        FUZZ_CHECK(returned[n] == expected[n], "a line came out changed or out of order");
    return 0;
}
