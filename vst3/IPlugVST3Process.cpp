// The audio path of the VST3 binding: host parameter changes, then the block in
// pieces no longer than the scratch buffers, through the core's channel slots.
#include <algorithm>
#include <cmath>

#include "FlushDenormalsGuard.h"
#include "HostValue.h"
#include "IPlugVST3.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API IPlugVST3::process(ProcessData& data)
{
    PlugLock::Guard guard(Lock());
    if (data.processContext) lastContext_ = *data.processContext;
    ApplyParameterChanges(data.inputParameterChanges);

    // A block of zero samples still runs the engine once, with zero frames.
    const int32_t frames = std::max(data.numSamples, 0);
    int32_t done = 0;
    do {
        const int32_t piece = std::min(frames - done, BlockSize());
        ProcessPiece(data, done, piece);
        done += piece;
    } while (done < frames);
    return kResultOk;
}

// One value per parameter per block: the queue's last point, applied before any
// audio of the block whatever its sample offset. A point that is not a number is
// skipped like an unreadable one.
void IPlugVST3::ApplyParameterChanges(IParameterChanges* changes)
{
    if (!changes) return;
    const int32 count = changes->getParameterCount();
    for (int32 i = 0; i < count; ++i) {
        IParamValueQueue* queue = changes->getParameterData(i);
        if (!queue) continue;
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(queue->getPointCount() - 1, offset, value) != kResultOk) continue;
        if (const std::optional<double> normalised = NormalisedFromHost(value))
            ApplyHostValue(queue->getParameterId(), *normalised);
    }
}

void IPlugVST3::ApplyHostValue(ParamID id, double value)
{
    if (id == kBypassParamId) {
        const bool bypass = value > 0.5;
        if (bypass != Bypassed()) SetBypassed(bypass);
    } else if (id == kPresetParamId) {
        LoadPreset(int(value * PresetCount()));  // 1.0 names no preset and loads none
    } else if (IsCoreParam(id)) {
        Param(int(id))->AssignUnit(value);
        if (Editor()) Editor()->pushParamToControls(int(id), value, true);
        ParamChanged(int(id));
    }
}

void IPlugVST3::ProcessPiece(ProcessData& data, int32_t offset, int32_t frames)
{
    const bool doubles = processSetup.symbolicSampleSize == kSample64;
    ConnectInputs(data, offset, frames, doubles);
    ConnectOutputs(data, offset, doubles);
    if (Bypassed()) {
        PassThrough(frames);
    } else {
        // Only the engine's arithmetic runs flushed: the conversions from and to the
        // host's floats and the dry copies keep every sample bit for bit.
        FlushDenormalsGuard flushed;
        ProcessBlock(InputChannelCount() > 0 ? InputPointers() : nullptr,
                     OutputChannelCount() > 0 ? OutputPointers() : nullptr, frames);
    }
    if (!doubles) StoreConnectedOutputs(frames);
}

namespace {

// The number of leading channels of a host bus that have a buffer, at most `limit`.
template <class Sample>
int UsableChannels(Sample* const* buffers, int32 declared, int limit)
{
    if (!buffers) return 0;
    int usable = 0;
    while (usable < std::min(int(declared), limit) && buffers[usable]) ++usable;
    return usable;
}

}  // namespace

// The first input bus feeds the core's inputs; channels the host does not supply
// (no bus, no buffer array, too few buffers) read their scratch buffers, never a
// previous block's host memory.
void IPlugVST3::ConnectInputs(ProcessData& data, int32_t offset, int32_t frames, bool doubles)
{
    static const AudioBusBuffers kNoBus {};
    const AudioBusBuffers& bus = data.numInputs > 0 && data.inputs ? data.inputs[0] : kNoBus;
    const int connected = doubles ? UsableChannels(bus.channelBuffers64, bus.numChannels, InputChannelCount())
                                  : UsableChannels(bus.channelBuffers32, bus.numChannels, InputChannelCount());
    for (int c = 0; c < InputChannelCount(); ++c) {
        ChannelSlot* slot = InputSlot(c);
        slot->SetConnected(c < connected);
        if (c >= connected)
            slot->PointAtScratch();
        else if (doubles)
            slot->PointAt(bus.channelBuffers64[c] + offset);
        else
            pieceInputs_[size_t(c)] = bus.channelBuffers32[c] + offset;
    }
    if (!doubles) LoadInputs(0, InputChannelCount(), pieceInputs_.data(), frames);
}

// Host output buses cover the core's outputs in order; a channel is written only
// when its bus is active and the host gave it a buffer.
void IPlugVST3::ConnectOutputs(ProcessData& data, int32_t offset, bool doubles)
{
    for (int c = 0; c < OutputChannelCount(); ++c) {
        OutputSlot(c)->SetConnected(false);
        OutputSlot(c)->PointAtScratch();
    }
    if (!data.outputs) return;
    int first = 0;
    for (int32 b = 0; b < data.numOutputs && first < OutputChannelCount(); ++b) {
        const AudioBusBuffers& bus = data.outputs[b];
        const int width = std::min(std::max(int(bus.numChannels), 0), OutputChannelCount() - first);
        const bool active = b < int32(audioOutputs.size()) && audioOutputs[size_t(b)]->isActive();
        const int usable = !active ? 0
                           : doubles ? UsableChannels(bus.channelBuffers64, width, width)
                                     : UsableChannels(bus.channelBuffers32, width, width);
        for (int c = 0; c < usable; ++c) {
            ChannelSlot* slot = OutputSlot(first + c);
            slot->SetConnected(true);
            if (doubles) {
                slot->PointAt(bus.channelBuffers64[c] + offset);
            } else {
                slot->PointAtScratch();
                slot->SetHostOutput(bus.channelBuffers32[c] + offset);
            }
        }
        first += width;
    }
}

void IPlugVST3::StoreConnectedOutputs(int32_t frames)
{
    for (int c = 0; c < OutputChannelCount(); ++c) {
        ChannelSlot* slot = OutputSlot(c);
        if (slot->Connected()) StoreOutputs(slot->Scratch(), slot->HostOutput(), frames);
    }
}
