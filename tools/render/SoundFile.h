#pragma once

#include <string>
#include <vector>

namespace vorla::render {

// A whole sound file in memory: interleaved samples and what is needed to write it
// back in the same kind of file.
struct Sound {
    int channels = 0;
    int sampleRate = 0;
    int format = 0;  // libsndfile format code of the file it came from, or 0
    std::vector<double> samples;

    long long frames() const { return channels ? (long long)(samples.size()) / channels : 0; }
};

// Reads WAV, FLAC, AIFF and whatever else libsndfile knows.
bool ReadSound(const std::string& path, Sound& sound, std::string& error);

// The libsndfile format for a file named `path` (.wav, .flac, .aif, .aiff), keeping
// the sound's own sample format where that kind of file can hold it; 0 for a name
// of no known kind.
int OutputFormatFor(const std::string& path, const Sound& sound);

// False with the reason in `error` when the file cannot be written whole.
bool WriteSound(const std::string& path, int format, const Sound& sound, std::string& error);

// A file that appears at its path only when committed: until then it is written
// beside it under a temporary name, which is removed if the work fails.
class PendingFile {
public:
    explicit PendingFile(std::string path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& temporaryPath() const { return temporary; }
    bool commit(std::string& error);

private:
    std::string target;
    std::string temporary;
    bool committed = false;
};

}  // namespace vorla::render
