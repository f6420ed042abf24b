#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "ChannelPair.h"
#include "ChannelSlot.h"
#include "GrowBuffer.h"
#include "HostCode.h"
#include "IPlugEditor.h"
#include "LatencyDelay.h"
#include "OwnedPtrList.h"
#include "PlugEvents.h"
#include "PlugLock.h"
#include "PlugParam.h"
#include "PresetRecord.h"
#include "StateChunk.h"

// The host-neutral plug-in object. It owns the parameters, the presets, the channel
// buffers that adapt the host's float audio to the engine's doubles, the editor and
// the plug-in lock. A binding (VST3) derives from it and answers the host-facing
// operations; the product fills in ResetEngine, ParamChanged and ProcessBlock.
//
// The plug-in lock serialises the audio block against parameter, state and preset
// changes; see PlugLock.h. RefreshEditorControls and a binding's direct unit-value
// writes do not take it.
class IPlugBase {
public:
    static constexpr size_t kIdentitySize = 128;  // identity texts: 127 characters
    static constexpr int32_t kVst3Binding = 1;

    IPlugBase(const char* effectName, const char* productName, const char* makerName, uint32_t uniqueId,
              uint32_t makerId, int32_t version, const char* channelIO, int paramCount, int presetCount);
    virtual ~IPlugBase();
    IPlugBase(const IPlugBase&) = delete;
    IPlugBase& operator=(const IPlugBase&) = delete;

    // Engine hooks. The base versions of the first two only take and release the lock.
    virtual void ResetEngine();
    virtual void ParamChanged(int paramIndex);
    // Base behaviour: input i is copied to output i, remaining outputs are silenced.
    virtual void ProcessBlock(double** inputs, double** outputs, int32_t frames);

    virtual void ReceiveMidi(const MidiMessage& message) { EmitMidi(message); }

    // State as the host and the presets store it; by default the parameter block.
    virtual bool SaveState(StateChunk& chunk) { return SerializeParams(chunk); }
    virtual int32_t LoadState(const StateChunk& chunk, int32_t position) { return UnserializeParams(chunk, position); }
    virtual bool StateMatches(const StateChunk& chunk, int32_t startIndex) const;

    // Called once the binding knows the host and has registered the parameters.
    virtual void HostKnown() {}
    // Asks the host for its context menu of a parameter at an editor position.
    virtual void HostParamMenu(int /*paramIndex*/, int /*x*/, int /*y*/) {}
    // An edit from a control: stores the unit value (snapped for stepped kinds),
    // reports it unsnapped to the host and tells the product.
    virtual void SetParamFromEditor(int paramIndex, double unitValue);
    virtual void BeginHostEdit(int paramIndex) = 0;
    virtual void PerformHostEdit(int paramIndex, double unitValue) = 0;
    virtual void EndHostEdit(int paramIndex) = 0;

    virtual bool OfflineRendering() { return false; }
    virtual int32_t TransportPosition() = 0;
    virtual double TransportTempo() = 0;
    virtual void TransportMeter(int32_t& numerator, int32_t& denominator) = 0;
    virtual bool TransportSnapshot(TransportInfo& info) = 0;

    virtual int32_t CurrentHostCode() { return hostCode_; }
    virtual int32_t BindingCode() { return bindingCode_; }
    virtual void EditorResized(int width, int height) = 0;

    // Takes ownership of the editor, gives every control the unit value of its
    // parameter and lets the editor create its surface.
    virtual void AttachEditor(IPlugEditor* editor);
    virtual void ChangeLatency(int32_t frames);
    virtual bool EmitMidi(const MidiMessage& message) = 0;
    // Shows the current plain values in an attached editor.
    virtual void RefreshEditorControls();
    virtual void PresetRestored() {}
    // Sizes every scratch buffer for blocks of `frames` samples. A size the buffers
    // cannot reach is refused: false, and the block size stays as it was.
    virtual bool ResizeBlock(int32_t frames);

    PlugLock& Lock() { return lock_; }

    int ParamCount() const { return params_.Count(); }
    PlugParam* Param(int index) const { return params_.Get(index); }

    bool SerializeParams(StateChunk& chunk);
    int32_t UnserializeParams(const StateChunk& chunk, int32_t position);

    int PresetCount() const { return presets_.Count(); }
    PresetRecord* Preset(int index) const { return presets_.Get(index); }
    int CurrentPreset() const { return currentPreset_; }
    void CaptureDefaultPreset();
    bool LoadPreset(int index);

    // Channel I/O. A negative count in LegalIO matches any count.
    bool LegalIO(int inputs, int outputs) const;
    int ChannelPairCount() const { return channelIO_.Count(); }
    const ChannelPair* ChannelPairAt(int index) const { return channelIO_.Get(index); }
    int InputChannelCount() const { return inputSlots_.Count(); }
    int OutputChannelCount() const { return outputSlots_.Count(); }
    ChannelSlot* InputSlot(int channel) const { return inputSlots_.Get(channel); }
    ChannelSlot* OutputSlot(int channel) const { return outputSlots_.Get(channel); }
    double** InputPointers() { return inputPointers_.As<double*>(); }
    double** OutputPointers() { return outputPointers_.As<double*>(); }

    // Per-block channel plumbing for the binding's processing.
    void ConnectAllChannels();
    void DisconnectAllChannels();
    void LoadInputs(int firstChannel, int channelCount, float* const* hostBuffers, int32_t frames);
    static void StoreOutputs(const double* samples, float* destination, int32_t frames);
    void PassThrough(int32_t frames);
    void ClearScratch();
    // The longest block every scratch buffer holds.
    int32_t ScratchFrames();
    // Creates the bypass delay line for the current channel counts (bindings call this
    // at construction when the plug-in has inputs).
    void CreateLatencyDelay();
    LatencyDelay* Delay() const { return latencyDelay_.get(); }

    // Bus names a binding shows to the host; entry k names bus k. Setting a label past
    // the end fills the gap with empty labels.
    void SetInputBusLabel(int bus, const char* label) { SetBusLabel(inputBusLabels_, bus, label); }
    void SetOutputBusLabel(int bus, const char* label) { SetBusLabel(outputBusLabels_, bus, label); }
    int InputBusLabelCount() const { return inputBusLabels_.Count(); }
    int OutputBusLabelCount() const { return outputBusLabels_.Count(); }
    const char* InputBusLabel(int bus) const { return inputBusLabels_.Get(bus); }
    const char* OutputBusLabel(int bus) const { return outputBusLabels_.Get(bus); }

    // Host units from parameter groups: the unit id of `group` (0 for the empty group),
    // appending a group not seen before. The list links to the parameters' own texts.
    int RegisterParamGroup(const char* group);
    int ParamGroupCount() const { return paramGroups_.Size() / int32_t(sizeof(const char*)); }
    const char* ParamGroup(int index) const;

    IPlugEditor* Editor() const { return editor_.get(); }

    const char* EffectName() const { return effectName_; }
    const char* ProductName() const { return productName_; }
    const char* MakerName() const { return makerName_; }
    uint32_t UniqueId() const { return uniqueId_; }
    uint32_t MakerId() const { return makerId_; }
    int32_t Version() const { return version_; }
    void SetHostCode(HostCode code) { hostCode_ = code; }
    int32_t HostVersion() const { return hostVersion_; }
    void SetHostVersion(int32_t version) { hostVersion_ = version; }
    bool SplitOutputs() const { return splitOutputs_; }
    bool AcceptsMidi() const { return acceptsMidi_; }
    bool Bypassed() const { return bypassed_.load(std::memory_order_relaxed); }
    void SetBypassed(bool bypassed) { bypassed_.store(bypassed, std::memory_order_relaxed); }
    double SampleRate() const { return sampleRate_; }
    void SetSampleRate(double rate) { sampleRate_ = rate; }
    int32_t BlockSize() const { return blockSize_; }
    int32_t Latency() const { return latency_; }
    int32_t TailSize() const { return tailSize_; }
    void SetTailSize(int32_t frames) { tailSize_ = frames; }

protected:
    void SetSplitOutputs(bool split) { splitOutputs_ = split; }
    void SetAcceptsMidi(bool accepts) { acceptsMidi_ = accepts; }

private:
    static void SetBusLabel(OwnedPtrList<char[]>& labels, int bus, const char* label);
    void CreateChannelSlots(OwnedPtrList<ChannelSlot>& slots, GrowBuffer& pointers, int channels);
    int CountPresetsNamed(const char* text) const;
    // Applies `action` to every input slot, then every output slot.
    template <class Action>
    void ForEachSlot(Action action)
    {
        for (OwnedPtrList<ChannelSlot>* slots : {&inputSlots_, &outputSlots_})
            for (int c = 0; c < slots->Count(); ++c) action(*slots->Get(c));
    }

    OwnedPtrList<ChannelPair> channelIO_;
    PlugLock lock_;
    char effectName_[kIdentitySize];
    char productName_[kIdentitySize];
    char makerName_[kIdentitySize];
    uint32_t uniqueId_;
    uint32_t makerId_;
    int32_t version_;
    int32_t bindingCode_ = kVst3Binding;
    HostCode hostCode_ = kHostNotIdentified;
    int32_t hostVersion_ = 0;
    bool splitOutputs_ = false;
    bool acceptsMidi_ = false;
    // Written by processing on the audio thread, read by the controller's thread.
    std::atomic<bool> bypassed_ {false};
    int32_t currentPreset_ = 0;
    double sampleRate_ = 44100.0;
    int32_t blockSize_ = 0;
    int32_t latency_ = 0;
    int32_t tailSize_ = 0;
    std::unique_ptr<LatencyDelay> latencyDelay_;
    GrowBuffer paramGroups_{GrowBuffer::kPageGranularity};
    std::unique_ptr<IPlugEditor> editor_;
    OwnedPtrList<PlugParam> params_;
    OwnedPtrList<PresetRecord> presets_;
    GrowBuffer inputPointers_{GrowBuffer::kPageGranularity};
    GrowBuffer outputPointers_{GrowBuffer::kPageGranularity};
    OwnedPtrList<ChannelSlot> inputSlots_;
    OwnedPtrList<ChannelSlot> outputSlots_;
    OwnedPtrList<char[]> inputBusLabels_;
    OwnedPtrList<char[]> outputBusLabels_;
};
