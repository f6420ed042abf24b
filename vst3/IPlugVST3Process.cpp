// The audio path of the VST3 binding: host parameter changes, then the block in
// pieces no longer than the scratch buffers, through the core's channel slots.
#include <algorithm>

#include "FlushDenormalsGuard.h"
#include "HostCall.h"
#include "HostValue.h"
#include "IPlugVST3.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// What a missing input bus reads as. At namespace scope, so the audio thread never
// runs (or waits for) its construction.
const AudioBusBuffers kNoBus {};

bool KnownSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64;
}

// Whether the host gave channel `c` of the bus a buffer of the sample size in use.
bool HasBuffer(const AudioBusBuffers& bus, int c, bool doubles)
{
    if (c >= bus.numChannels) return false;
    return doubles ? bus.channelBuffers64 && bus.channelBuffers64[c] : bus.channelBuffers32 && bus.channelBuffers32[c];
}

}  // namespace

// The block's parameter changes always apply. Its audio is processed by the sample
// size the call states, whatever the set-up said, and skipped (outputs untouched)
// when that size is neither 32 nor 64 bits.
tresult PLUGIN_API IPlugVST3::process(ProcessData& data)
{
    return HostCall([&] {
        PlugLock::Guard guard(Lock());
        if (data.processContext) lastContext_ = *data.processContext;
        ApplyParameterChanges(data.inputParameterChanges);
        if (!KnownSampleSize(data.symbolicSampleSize)) return kInvalidArgument;

        // A block of zero samples still runs the engine once, with zero frames.
        // Pieces are as long as the scratch buffers really are; if they hold
        // nothing (their allocation failed), no audio is touched.
        const int32_t frames = std::max(data.numSamples, 0);
        const int32_t capacity = ScratchFrames();
        int32_t done = 0;
        do {
            const int32_t piece = std::min(frames - done, capacity);
            ProcessPiece(data, done, piece);
            done += piece;
        } while (done < frames && capacity > 0);
        return done == frames ? kResultOk : kOutOfMemory;
    });
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
    const bool doubles = data.symbolicSampleSize == kSample64;
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

// The first input bus feeds the core's inputs, channel by channel. A channel the
// host does not supply (no bus, no buffer array, too few channels, a null buffer)
// is silence: it reads its scratch buffer, cleared, never an earlier block's input.
void IPlugVST3::ConnectInputs(ProcessData& data, int32_t offset, int32_t frames, bool doubles)
{
    const AudioBusBuffers& bus = data.numInputs > 0 && data.inputs ? data.inputs[0] : kNoBus;
    int supplied = 0;
    for (int c = 0; c < InputChannelCount(); ++c) {
        ChannelSlot* slot = InputSlot(c);
        const bool connected = HasBuffer(bus, c, doubles);
        slot->SetConnected(connected);
        if (!connected) {
            slot->PointAtScratch();
            slot->ClearScratch(frames);
        } else if (doubles) {
            slot->PointAt(bus.channelBuffers64[c] + offset);
        } else {
            pieceInputs_[size_t(supplied++)] = bus.channelBuffers32[c] + offset;
        }
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
        for (int c = 0; active && c < width; ++c) {
            if (!HasBuffer(bus, c, doubles)) continue;
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
