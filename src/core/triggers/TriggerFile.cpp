// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerFile.h"

#include "core/files/Files.h"
#include "core/triggers/TriggerList.h"

#include <fstream>
#include <iterator>

namespace triggerfile {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string inQuotes(std::string_view field) {
    std::string result = "\"";
    for (const char c : field) {
        if (c == '"')
            result += '"';
        result += c;
    }
    result += '"';
    return result;
}

std::string inQuotesUnlessEmpty(std::string_view field) {
    return field.empty() ? std::string() : inQuotes(field);
}

// Reads the fields of one line at a time.
class FieldReader {
public:
    explicit FieldReader(std::string_view text)
        : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // The fields of the next line; the line end after it is consumed.
    std::vector<std::string> nextLine() {
        std::vector<std::string> fields;
        for (;;) {
            skipAny(" \t");
            fields.push_back(peek() == '"' ? quotedField() : unquotedField());
            if (peek() != ',')
                break;
            ++m_pos;
        }
        skipLineEnd();
        return fields;
    }

private:
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    bool atFieldEnd() const { return atEnd() || peek() == ',' || peek() == '\r' || peek() == '\n'; }

    void skipAny(std::string_view characters) {
        while (!atEnd() && characters.find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
    }

    std::string quotedField() {
        std::string value;
        ++m_pos;
        while (!atEnd()) {
            const char c = m_text[m_pos++];
            if (c != '"') {
                value += c;
            } else if (peek() == '"') {
                value += '"';
                ++m_pos;
            } else {
                break;
            }
        }
        while (!atFieldEnd())
            ++m_pos;
        return value;
    }

    std::string unquotedField() {
        const std::size_t start = m_pos;
        while (!atFieldEnd())
            ++m_pos;
        std::string_view value = m_text.substr(start, m_pos - start);
        const auto last = value.find_last_not_of(" \t");
        return std::string(value.substr(0, last == std::string_view::npos ? 0 : last + 1));
    }

    void skipLineEnd() {
        if (peek() == '\r')
            ++m_pos;
        if (peek() == '\n')
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

std::string formatLine(const Trigger& trigger) {
    return inQuotesUnlessEmpty(trigger.name) + "," + inQuotesUnlessEmpty(trigger.keyword) + "," +
           inQuotes(trigger.soundFile) + "\r\n";
}

std::string format(const TriggerList& list) {
    std::string text;
    for (int position = 1; position <= list.TriggerCount(); ++position)
        text += formatLine(list.at(position));
    return text;
}

std::vector<Trigger> parse(std::string_view text) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<Trigger> records;
    FieldReader reader(text);
    while (!reader.atEnd()) {
        auto fields = reader.nextLine();
        if (fields.size() >= 3)
            records.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2])});
    }
    return records;
}

bool write(const std::filesystem::path& path, const TriggerList& list) {
    return files::replaceFile(path, format(list));
}

std::optional<std::vector<Trigger>> read(const std::filesystem::path& path) {
    const auto text = files::readWholeFile(path);
    if (!text)
        return std::nullopt;
    return parse(*text);
}

FileChooser::Options dialogOptions() {
    return {{}, "Trigger File (*.txt)|*.txt", {}};
}

} // namespace triggerfile
