// Channel I/O of IPlugBase: legal channel counts, the scratch buffers between the
// host's float audio and the engine's doubles, and the dry path used while bypassed.
#include <algorithm>

#include "IPlugBase.h"

namespace {

// Copies input i to output i for the channels present on both sides and silences
// the remaining outputs.
void CopyInputsToOutputs(double* const* inputs, int inputCount, double* const* outputs, int outputCount,
                         int32_t frames)
{
    const int shared = std::min(inputCount, outputCount);
    for (int c = 0; c < shared; ++c)
        if (outputs[c] != inputs[c]) std::copy_n(inputs[c], frames, outputs[c]);
    for (int c = shared; c < outputCount; ++c) std::fill_n(outputs[c], frames, 0.0);
}

}  // namespace

bool IPlugBase::LegalIO(int inputs, int outputs) const
{
    for (int i = 0; i < channelIO_.Count(); ++i) {
        const ChannelPair* pair = channelIO_.Get(i);
        if ((inputs < 0 || inputs == pair->inputs) && (outputs < 0 || outputs == pair->outputs)) return true;
    }
    return false;
}

void IPlugBase::ProcessBlock(double** inputs, double** outputs, int32_t frames)
{
    CopyInputsToOutputs(inputs, InputChannelCount(), outputs, OutputChannelCount(), frames);
}

void IPlugBase::ConnectAllChannels()
{
    ForEachSlot([](ChannelSlot& slot) { slot.SetConnected(true); });
}

void IPlugBase::DisconnectAllChannels()
{
    ForEachSlot([](ChannelSlot& slot) {
        slot.SetConnected(false);
        slot.PointAtScratch();
    });
}

// Host buffers are consumed in order by the connected channels only. The caller
// supplies one buffer per connected channel; a block longer than the scratch buffers
// is converted only as far as they reach.
void IPlugBase::LoadInputs(int firstChannel, int channelCount, float* const* hostBuffers, int32_t frames)
{
    const int end = std::min(firstChannel + channelCount, InputChannelCount());
    int next = 0;
    for (int c = std::max(firstChannel, 0); c < end; ++c) {
        ChannelSlot* slot = InputSlot(c);
        if (!slot->Connected()) continue;
        const float* source = hostBuffers[next++];
        const int32_t count = std::min(frames, slot->ScratchLength());
        std::copy_n(source, std::max(count, 0), slot->Scratch());
        slot->PointAtScratch();
    }
}

void IPlugBase::StoreOutputs(const double* samples, float* destination, int32_t frames)
{
    for (int32_t f = 0; f < frames; ++f) destination[f] = float(samples[f]);
}

void IPlugBase::PassThrough(int32_t frames)
{
    if (latency_ > 0 && latencyDelay_ && latencyDelay_->Length() > 0)
        latencyDelay_->Process(InputPointers(), OutputPointers(), frames);
    else
        CopyInputsToOutputs(InputPointers(), InputChannelCount(), OutputPointers(), OutputChannelCount(), frames);
}

void IPlugBase::ClearScratch()
{
    ForEachSlot([](ChannelSlot& slot) { slot.ClearScratch(); });
}

int32_t IPlugBase::ScratchFrames()
{
    int32_t frames = INT32_MAX;
    ForEachSlot([&frames](ChannelSlot& slot) { frames = std::min(frames, slot.ScratchLength()); });
    return frames;
}

bool IPlugBase::ResizeBlock(int32_t frames)
{
    frames = std::max(frames, 0);
    if (frames == blockSize_) return true;
    bool resized = true;
    ForEachSlot([frames, &resized](ChannelSlot& slot) { resized = slot.ResizeScratch(frames) && resized; });
    if (!resized) {
        // Back to the old size, so that every buffer holds blockSize_ again.
        ForEachSlot([this](ChannelSlot& slot) { slot.ResizeScratch(blockSize_); });
        return false;
    }
    blockSize_ = frames;
    return true;
}

void IPlugBase::CreateLatencyDelay()
{
    latencyDelay_ = std::make_unique<LatencyDelay>(InputChannelCount(), OutputChannelCount());
}

void IPlugBase::ChangeLatency(int32_t frames)
{
    latency_ = frames;
    if (latencyDelay_) latencyDelay_->SetLength(frames);
}
