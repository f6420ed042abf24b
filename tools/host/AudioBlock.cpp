#include "AudioBlock.h"

namespace vorla::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

AudioBlock::AudioBlock(int channels, int maxFrames, int32 sampleSize, bool inPlace)
    : channelCount(channels), symbolicSize(sampleSize), inPlace(inPlace) {
    const size_t buses = inPlace ? 1 : 2;
    const size_t total = buses * static_cast<size_t>(channels);
    if (sampleSize == kSample64)
        doubles.assign(total, std::vector<double>(static_cast<size_t>(maxFrames), 0.0));
    else
        floats.assign(total, std::vector<float>(static_cast<size_t>(maxFrames), 0.0f));
    for (auto& channel : floats)
        floatPointers.push_back(channel.data());
    for (auto& channel : doubles)
        doublePointers.push_back(channel.data());
}

void AudioBlock::setInput(int channel, int frame, double value) {
    if (symbolicSize == kSample64)
        doubles[static_cast<size_t>(channel)][static_cast<size_t>(frame)] = value;
    else
        floats[static_cast<size_t>(channel)][static_cast<size_t>(frame)] = static_cast<float>(value);
}

double AudioBlock::input(int channel, int frame) const {
    if (symbolicSize == kSample64)
        return doubles[static_cast<size_t>(channel)][static_cast<size_t>(frame)];
    return floats[static_cast<size_t>(channel)][static_cast<size_t>(frame)];
}

double AudioBlock::output(int channel, int frame) const {
    return input(inPlace ? channel : channel + channelCount, frame);
}

ProcessData& AudioBlock::processData(int frames, IParameterChanges* changes, ProcessContext* context) {
    const size_t outputOffset = inPlace ? 0 : static_cast<size_t>(channelCount);
    inputBus.numChannels = outputBus.numChannels = channelCount;
    inputBus.silenceFlags = outputBus.silenceFlags = 0;
    if (symbolicSize == kSample64) {
        inputBus.channelBuffers64 = doublePointers.data();
        outputBus.channelBuffers64 = doublePointers.data() + outputOffset;
    } else {
        inputBus.channelBuffers32 = floatPointers.data();
        outputBus.channelBuffers32 = floatPointers.data() + outputOffset;
    }
    data = ProcessData{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = symbolicSize;
    data.numSamples = frames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inputBus;
    data.outputs = &outputBus;
    data.inputParameterChanges = changes;
    data.processContext = context;
    return data;
}

} // namespace vorla::host
