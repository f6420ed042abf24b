#include "SoundFile.h"

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vorla::render {

namespace {

std::string Extension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

int MajorFormatFor(const std::string& path)
{
    const std::string ext = Extension(path);
    if (ext == "wav") return SF_FORMAT_WAV;
    if (ext == "flac") return SF_FORMAT_FLAC;
    if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF;
    return 0;
}

// The source's sample format when the target kind of file can hold it, else 24-bit.
int FormatFor(int major, const Sound& sound)
{
    SF_INFO info {};
    info.channels = sound.channels;
    info.samplerate = sound.sampleRate;
    info.format = major | (sound.format & SF_FORMAT_SUBMASK);
    if (sound.format != 0 && sf_format_check(&info)) return info.format;
    return major | SF_FORMAT_PCM_24;
}

}  // namespace

bool ReadSound(const std::string& path, Sound& sound, std::string& error)
{
    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    sound.format = info.format;
    sound.samples.assign(size_t(info.frames) * size_t(info.channels), 0.0);
    const sf_count_t read = sf_readf_double(file, sound.samples.data(), info.frames);
    sf_close(file);
    if (read != info.frames) {
        error = "cannot read " + path + ": the file ends early";
        return false;
    }
    return true;
}

int OutputFormatFor(const std::string& path, const Sound& sound)
{
    const int major = MajorFormatFor(path);
    return major ? FormatFor(major, sound) : 0;
}

bool WriteSound(const std::string& path, int format, const Sound& sound, std::string& error)
{
    SF_INFO info {};
    info.channels = sound.channels;
    info.samplerate = sound.sampleRate;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = sf_strerror(nullptr);
        return false;
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const sf_count_t written = sf_writef_double(file, sound.samples.data(), sound.frames());
    const bool closed = sf_close(file) == 0;
    if (written != sound.frames() || !closed) {
        error = "the write was cut short";
        return false;
    }
    return true;
}

PendingFile::PendingFile(std::string path) : target(std::move(path))
{
    temporary = target + ".partial-" + std::to_string(getpid());
}

PendingFile::~PendingFile()
{
    if (!committed) std::remove(temporary.c_str());
}

bool PendingFile::commit(std::string& error)
{
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = "cannot create " + target + ": " + std::strerror(errno);
        return false;
    }
    committed = true;
    return true;
}

}  // namespace vorla::render
