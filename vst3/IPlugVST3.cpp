// Construction, host initialisation, buses and set-up of the VST3 binding, and the
// core's host-facing operations.
#include "IPlugVST3.h"

#include <cstdio>

#include "HostCall.h"
#include "IPlugParameter.h"
#include "WideText.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vstspeaker.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The speaker arrangement the binding gives a bus of `channels` channels.
SpeakerArrangement ArrangementFor(int channels)
{
    switch (channels) {
    case 1: return SpeakerArr::kMono;
    case 2: return SpeakerArr::kStereo;
    case 3: return SpeakerArr::k30Music;
    case 4: return SpeakerArr::k40Music;
    case 5: return SpeakerArr::k50;
    case 6: return SpeakerArr::k51;
    default: return SpeakerArr::kEmpty;
    }
}

// Hosts that process before setting up get the SDK's default maximum block.
constexpr int32 kDefaultBlockSize = 1024;

// The highest sample rate accepted: far above any audio interface (PCM at DSD rates
// reaches about 12 MHz), and far below the rates at which filter coefficients, which
// are polynomials in the rate, overflow (around 1e100 Hz for this product's).
constexpr double kMaxSampleRate = 1e8;

}  // namespace

IPlugVST3::IPlugVST3(const char* effectName, const char* productName, const char* makerName, uint32_t uniqueId,
                     uint32_t makerId, int32_t version, const char* channelIO, int paramCount, int presetCount)
    : IPlugBase(effectName, productName, makerName, uniqueId, makerId, version, channelIO, paramCount, presetCount),
      pieceInputs_(size_t(InputChannelCount()))
{
    ConnectAllChannels();
    if (InputChannelCount() > 0) CreateLatencyDelay();
    SetInputBusLabel(0, "Main Input");
    if (SplitOutputs()) {
        char label[32];
        for (int pair = 0; pair < (OutputChannelCount() + 1) / 2; ++pair) {
            std::snprintf(label, sizeof label, "Output %i", pair + 1);
            SetOutputBusLabel(pair, label);
        }
    } else {
        SetOutputBusLabel(0, "Output");
    }
    ResizeBlock(kDefaultBlockSize);
}

IPlugVST3::~IPlugVST3() = default;

tresult PLUGIN_API IPlugVST3::queryInterface(const TUID iid, void** obj)
{
    // The SDK base carries IConnectionPoint, but processor and controller are one
    // object here and never exchange messages.
    if (FUnknownPrivate::iidEqual(iid, IConnectionPoint::iid)) {
        *obj = nullptr;
        return kNoInterface;
    }
    return SingleComponentEffect::queryInterface(iid, obj);
}

tresult PLUGIN_API IPlugVST3::initialize(FUnknown* context)
{
    return HostCall([&] {
        const tresult result = SingleComponentEffect::initialize(context);
        if (result == kResultOk) {
            IdentifyHostFrom(context);
            AddBuses();
            AddParameters();
        }
        HostKnown();
        LoadPreset(0);
        return result;
    });
}

void IPlugVST3::IdentifyHostFrom(FUnknown* context)
{
    FUnknownPtr<IHostApplication> host(context);
    if (!host) return;
    String128 wideName {};
    char name[128];
    host->getName(wideName);
    NarrowText(wideName, name, sizeof name);
    SetHostCode(IdentifyHost(name));
    SetHostVersion(0);
}

void IPlugVST3::AddBuses()
{
    String128 name;
    const SpeakerArrangement input = ArrangementFor(InputChannelCount());
    if (input != SpeakerArr::kEmpty) {
        WidenText(InputBusLabel(0), name);
        addAudioInput(name, input);
    }
    if (SplitOutputs()) {
        for (int pair = 0; pair < OutputBusLabelCount(); ++pair) {
            WidenText(OutputBusLabel(pair), name);
            addAudioOutput(name, SpeakerArr::kStereo);
        }
    } else {
        WidenText(OutputBusLabel(0), name);
        addAudioOutput(name, ArrangementFor(OutputChannelCount()));
    }
}

void IPlugVST3::AddParameters()
{
    if (PresetCount() > 0) {
        auto* preset = new Parameter(STR16("Preset"), kPresetParamId, nullptr, 0.0, PresetCount(),
                                     ParameterInfo::kIsProgramChange, kRootUnitId);
        preset->setPrecision(4);
        parameters.addParameter(preset);
    }
    if (!SplitOutputs()) {
        auto* bypass = new StringListParameter(
            STR16("Bypass"), kBypassParamId, nullptr,
            ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsBypass, kRootUnitId);
        bypass->appendString(STR16("off"));
        bypass->appendString(STR16("on"));
        parameters.addParameter(bypass);
    }
    for (int i = 0; i < ParamCount(); ++i) {
        PlugParam* param = Param(i);
        parameters.addParameter(new IPlugParameter(param, ParamID(i), RegisterParamGroup(param->Group())));
    }
}

// Refusals that leave everything as it was: no buses or no arrangement arrays.
// An illegal channel pair leaves every channel disconnected (on its scratch
// buffer) until a legal arrangement arrives.
tresult PLUGIN_API IPlugVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts)
{
    if (!inputs || !outputs || numIns < 1 || numOuts < 1) return kResultFalse;
    DisconnectAllChannels();
    const int inputChannels = SpeakerArr::getChannelCount(inputs[0]);
    const int outputChannels = SpeakerArr::getChannelCount(outputs[0]);
    if (!LegalIO(inputChannels, outputChannels)) return kResultFalse;

    return HostCall([&] {
        auto* firstInput = audioInputs.empty() ? nullptr : FCast<AudioBus>(audioInputs.front().get());
        if (firstInput && SpeakerArr::getChannelCount(firstInput->getArrangement()) != inputChannels) {
            removeAudioInputs();
            addAudioInput(STR16("Input"), ArrangementFor(inputChannels));
        }
        auto* firstOutput = audioOutputs.empty() ? nullptr : FCast<AudioBus>(audioOutputs.front().get());
        if (firstOutput && SpeakerArr::getChannelCount(firstOutput->getArrangement()) != outputChannels) {
            removeAudioOutputs();
            addAudioOutput(STR16("Output"), ArrangementFor(outputChannels));
        }
        return numIns == 1 ? kResultOk : kResultFalse;
    });
}

tresult PLUGIN_API IPlugVST3::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

// A set-up the engine cannot run with (unknown sample size, a rate outside
// (0, kMaxSampleRate], a block the scratch buffers cannot hold) is refused and
// changes nothing.
tresult PLUGIN_API IPlugVST3::setupProcessing(ProcessSetup& setup)
{
    if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64) return kResultFalse;
    if (!(setup.sampleRate > 0.0 && setup.sampleRate <= kMaxSampleRate)) return kResultFalse;
    if (setup.maxSamplesPerBlock < 1 || !ResizeBlock(setup.maxSamplesPerBlock)) return kResultFalse;
    SetSampleRate(setup.sampleRate);
    SetBypassed(false);
    processSetup = setup;
    return HostCall([this] {
        ResetEngine();
        return kResultOk;
    });
}

void IPlugVST3::PerformHostEdit(int paramIndex, double unitValue)
{
    performEdit(ParamID(paramIndex), unitValue);
}

void IPlugVST3::TransportMeter(int32_t& numerator, int32_t& denominator)
{
    numerator = lastContext_.timeSigNumerator;
    denominator = lastContext_.timeSigDenominator;
}

bool IPlugVST3::TransportSnapshot(TransportInfo& info)
{
    info.tempo = lastContext_.tempo;
    info.samplePosition = double(lastContext_.projectTimeSamples);
    info.quarterNotePosition = lastContext_.projectTimeMusic;
    info.barStartPosition = lastContext_.barPositionMusic;
    info.cycleStart = lastContext_.cycleStartMusic;
    info.cycleEnd = lastContext_.cycleEndMusic;
    info.numerator = lastContext_.timeSigNumerator;
    info.denominator = lastContext_.timeSigDenominator;
    info.running = (lastContext_.state & ProcessContext::kPlaying) != 0;
    info.looping = (lastContext_.state & ProcessContext::kCycleActive) != 0;
    return true;
}

void IPlugVST3::ChangeLatency(int32_t frames)
{
    IPlugBase::ChangeLatency(frames);
    FUnknownPtr<IComponentHandler> handler(componentHandler);
    if (handler) handler->restartComponent(kLatencyChanged);
}
