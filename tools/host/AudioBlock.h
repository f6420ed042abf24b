#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <vector>

namespace vorla::host {

// Host-side audio buffers for one input and one output bus, in 32-bit or 64-bit
// samples, and the ProcessData record that hands them to a plug-in. In place,
// the output bus uses the input's memory, as some hosts do.
class AudioBlock {
public:
    AudioBlock(int channels, int maxFrames, Steinberg::int32 sampleSize, bool inPlace = false);

    int channels() const { return channelCount; }

    void setInput(int channel, int frame, double value);
    double input(int channel, int frame) const;
    double output(int channel, int frame) const;

    // The record for one call of process over the first `frames` samples.
    Steinberg::Vst::ProcessData& processData(int frames, Steinberg::Vst::IParameterChanges* changes = nullptr,
                                              Steinberg::Vst::ProcessContext* context = nullptr);

private:
    int channelCount;
    Steinberg::int32 symbolicSize;
    bool inPlace;
    std::vector<std::vector<float>> floats;   // [0 .. channels) inputs, then outputs
    std::vector<std::vector<double>> doubles; // same layout
    std::vector<float*> floatPointers;
    std::vector<double*> doublePointers;
    Steinberg::Vst::AudioBusBuffers inputBus{};
    Steinberg::Vst::AudioBusBuffers outputBus{};
    Steinberg::Vst::ProcessData data{};
};

} // namespace vorla::host
