#include "TestSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorla::render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kToneFrames = TestSignal::kSampleRate;  // one second per tone
constexpr int kChannels = 2;

// Amplitude of the component at `frequency` over whole periods of `frames` samples
// of the first channel, starting at `first`.
double Amplitude(const Sound& sound, long long first, int frames, double frequency)
{
    double sine = 0.0, cosine = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double w = 2.0 * kPi * frequency * double(first + i) / sound.sampleRate;
        const double x = sound.samples[size_t((first + i) * sound.channels)];
        sine += x * std::sin(w);
        cosine += x * std::cos(w);
    }
    return 2.0 * std::hypot(sine, cosine) / frames;
}

}  // namespace

const std::vector<double>& TestSignal::Frequencies()
{
    static const std::vector<double> frequencies = {20.0, 100.0, 1000.0, 5000.0, 16000.0};
    return frequencies;
}

// Log-spaced, rounded to the 2 Hz grid; near 20 Hz neighbours round to the same
// tone, which is measured once.
const std::vector<double>& TestSignal::SweepFrequencies()
{
    static const std::vector<double> frequencies = [] {
        constexpr int kPerOctave = 12;
        const int steps = int(std::lround(kPerOctave * std::log2(20000.0 / 20.0)));
        std::vector<double> grid;
        for (int step = 0; step <= steps; ++step) {
            const double frequency = 2.0 * std::round(10.0 * std::pow(2.0, double(step) / kPerOctave));
            if (grid.empty() || frequency > grid.back()) grid.push_back(std::min(frequency, 20000.0));
        }
        return grid;
    }();
    return frequencies;
}

Sound TestSignal::Make(const std::vector<double>& frequencies)
{
    Sound sound;
    sound.channels = kChannels;
    sound.sampleRate = kSampleRate;
    for (double frequency : frequencies) {
        const size_t start = sound.samples.size() / kChannels;
        for (int i = 0; i < kToneFrames; ++i) {
            const double x = kAmplitude * std::sin(2.0 * kPi * frequency * double(start + size_t(i)) / kSampleRate);
            sound.samples.insert(sound.samples.end(), kChannels, x);
        }
    }
    return sound;
}

// Half a second holds a whole number of periods of every tone, so the measurement
// needs no window.
std::vector<double> TestSignal::ResponseDb(const Sound& processed, const std::vector<double>& frequencies)
{
    std::vector<double> gains;
    for (size_t t = 0; t < frequencies.size(); ++t) {
        const long long settled = (long long)(t) * kToneFrames + kToneFrames / 2;
        const double amplitude = Amplitude(processed, settled, kToneFrames / 2, frequencies[t]);
        gains.push_back(20.0 * std::log10(amplitude / kAmplitude));
    }
    return gains;
}

std::string FormatResponse(const std::vector<double>& gainsDb)
{
    std::string table = "frequency    response\n";
    char line[64];
    for (size_t t = 0; t < gainsDb.size(); ++t) {
        const double frequency = TestSignal::Frequencies()[t];
        if (frequency >= 1000.0)
            std::snprintf(line, sizeof line, "%6g kHz  %+8.3f dB\n", frequency / 1000.0, gainsDb[t]);
        else
            std::snprintf(line, sizeof line, "%6g Hz   %+8.3f dB\n", frequency, gainsDb[t]);
        table += line;
    }
    return table;
}

}  // namespace vorla::render
