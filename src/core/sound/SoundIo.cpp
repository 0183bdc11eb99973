// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sound/SoundIo.h"

#include <algorithm>
#include <cstring>

namespace sound {

namespace {

std::ios::seekdir direction(int whence) {
    return whence == SEEK_SET ? std::ios::beg : whence == SEEK_CUR ? std::ios::cur : std::ios::end;
}

std::ifstream& streamOf(void* reader) {
    return *static_cast<std::ifstream*>(reader);
}

// What libsndfile asks of a file, answered from a stream it only reads.
SF_VIRTUAL_IO readingIo() {
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* stream) -> sf_count_t {
        // The length, found without moving the stream.
        std::ifstream& in = streamOf(stream);
        in.clear();
        const auto here = in.tellg();
        in.seekg(0, std::ios::end);
        const auto length = in.tellg();
        in.seekg(here);
        return length;
    };
    io.seek = [](sf_count_t offset, int whence, void* stream) -> sf_count_t {
        streamOf(stream).clear();
        streamOf(stream).seekg(offset, direction(whence));
        return streamOf(stream).tellg();
    };
    io.read = [](void* buffer, sf_count_t count, void* stream) -> sf_count_t {
        streamOf(stream).read(static_cast<char*>(buffer), count);
        const sf_count_t got = streamOf(stream).gcount();
        // A read past the end leaves the position where it stopped, ready for a seek.
        streamOf(stream).clear();
        return got;
    };
    io.write = [](const void*, sf_count_t, void*) -> sf_count_t { return 0; };
    io.tell = [](void* stream) -> sf_count_t { return streamOf(stream).tellg(); };
    return io;
}

// A file in memory that libsndfile writes.
struct MemoryFile {
    std::string bytes;
    sf_count_t position = 0;

    static MemoryFile& of(void* file) { return *static_cast<MemoryFile*>(file); }
};

SF_VIRTUAL_IO writingIo() {
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* file) -> sf_count_t {
        return static_cast<sf_count_t>(MemoryFile::of(file).bytes.size());
    };
    io.seek = [](sf_count_t offset, int whence, void* file) -> sf_count_t {
        MemoryFile& memory = MemoryFile::of(file);
        const sf_count_t base = whence == SEEK_SET   ? 0
                                : whence == SEEK_CUR ? memory.position
                                                     : static_cast<sf_count_t>(memory.bytes.size());
        memory.position = std::max<sf_count_t>(0, base + offset);
        return memory.position;
    };
    io.read = [](void* buffer, sf_count_t count, void* file) -> sf_count_t {
        MemoryFile& memory = MemoryFile::of(file);
        const auto size = static_cast<sf_count_t>(memory.bytes.size());
        const sf_count_t got = std::clamp<sf_count_t>(size - memory.position, 0, count);
        std::memcpy(buffer, memory.bytes.data() + memory.position, static_cast<std::size_t>(got));
        memory.position += got;
        return got;
    };
    io.write = [](const void* buffer, sf_count_t count, void* file) -> sf_count_t {
        MemoryFile& memory = MemoryFile::of(file);
        const auto end = static_cast<std::size_t>(memory.position + count);
        if (memory.bytes.size() < end)
            memory.bytes.resize(end);
        std::memcpy(memory.bytes.data() + memory.position, buffer, static_cast<std::size_t>(count));
        memory.position += count;
        return count;
    };
    io.tell = [](void* file) -> sf_count_t { return MemoryFile::of(file).position; };
    return io;
}

} // namespace

SoundReader::SoundReader(const std::filesystem::path& path)
    : m_stream(path, std::ios::binary) {
    if (!m_stream)
        return;
    SF_VIRTUAL_IO io = readingIo();
    m_file = sf_open_virtual(&io, SFM_READ, &m_info, &m_stream);
}

SoundReader::~SoundReader() {
    if (m_file)
        sf_close(m_file);
}

sf_count_t SoundReader::read(float* samples, sf_count_t frames) {
    return sf_readf_float(m_file, samples, frames);
}

std::string encodePcm16Wave(const std::vector<float>& samples, int rate) {
    MemoryFile memory;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SF_VIRTUAL_IO io = writingIo();
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
    if (!file)
        return {};
    // Loud peaks are clipped, never wrapped round to the other end of the range.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    return memory.bytes;
}

} // namespace sound
