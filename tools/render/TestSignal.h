#pragma once

#include <string>
#include <vector>

#include "SoundFile.h"

namespace vorla::render {

// The built-in test signal: one tone after another, each long enough for the
// equaliser to settle, stereo at 48 kHz. Every frequency is a multiple of 2 Hz, so
// the measured half second of each tone holds a whole number of its periods.
struct TestSignal {
    static constexpr int kSampleRate = 48000;
    static constexpr double kAmplitude = 0.1;
    static const std::vector<double>& Frequencies();  // 20 Hz, 100 Hz, 1 kHz, 5 kHz, 16 kHz
    // Twelve tones an octave from 20 Hz to 20 kHz, for drawing the response.
    static const std::vector<double>& SweepFrequencies();

    static Sound Make(const std::vector<double>& frequencies = Frequencies());
    // Gain in dB of each tone in the processed signal, measured on the settled
    // second half of the tone.
    static std::vector<double> ResponseDb(const Sound& processed,
                                          const std::vector<double>& frequencies = Frequencies());
};

// The response as a table, one line per frequency.
std::string FormatResponse(const std::vector<double>& gainsDb);

}  // namespace vorla::render
