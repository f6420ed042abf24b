#include "LatencyDelay.h"

#include <algorithm>

LatencyDelay::LatencyDelay(int32_t inputChannels, int32_t outputChannels)
    : inputChannels_(inputChannels), outputChannels_(outputChannels)
{
}

void LatencyDelay::SetLength(int32_t frames)
{
    frames = std::max(frames, 0);
    const int64_t bytes = int64_t(frames) * std::max(inputChannels_, 0) * int64_t(sizeof(double));
    if (bytes <= INT32_MAX) samples_.Resize(int32_t(bytes), true);
    length_ = samples_.Size() == bytes ? frames : 0;
    writePosition_ = 0;
    std::fill_n(samples_.As<double>(), samples_.Size() / int32_t(sizeof(double)), 0.0);
}

void LatencyDelay::Process(double* const* inputs, double* const* outputs, int32_t frames)
{
    const int32_t channels = std::min(inputChannels_, outputChannels_);
    double* line = samples_.As<double>();
    for (int32_t f = 0; f < frames; ++f) {
        for (int32_t c = 0; c < channels; ++c) {
            double& delayed = line[int64_t(c) * length_ + writePosition_];
            // Read the input before writing the output: a host may process in place.
            const double input = inputs[c][f];
            outputs[c][f] = delayed;
            delayed = input;
        }
        writePosition_ = (writePosition_ + 1) % length_;
    }
}
