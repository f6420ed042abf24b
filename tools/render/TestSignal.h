#pragma once

#include <string>
#include <vector>

#include "SoundFile.h"

namespace vorla::render {

// The built-in test signal: one tone after another, each long enough for the
// equaliser to settle, stereo at 48 kHz.
struct TestSignal {
    static constexpr int kSampleRate = 48000;
    static constexpr double kAmplitude = 0.1;
    static const std::vector<double>& Frequencies();  // 20 Hz, 100 Hz, 1 kHz, 5 kHz, 16 kHz

    static Sound Make();
    // Gain in dB of each tone in the processed signal, measured on the settled
    // second half of the tone.
    static std::vector<double> ResponseDb(const Sound& processed);
};

// The response as a table, one line per frequency.
std::string FormatResponse(const std::vector<double>& gainsDb);

}  // namespace vorla::render
