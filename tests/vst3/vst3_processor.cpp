// The component and audio processor: buses, set-up, host parameter changes and
// the audio path in its 32-bit, 64-bit, in-place and piecewise forms.
#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <cmath>

#include "PluginFixture.h"
#include "pluginterfaces/vst/vstspeaker.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

constexpr double kRate = 48000.0;

std::string BusName(host::PluginInstance& plugin, BusDirection dir)
{
    BusInfo info {};
    EXPECT_EQ(plugin.component()->getBusInfo(kAudio, dir, 0, info), kResultTrue);
    return host::narrow(info.name);
}

SpeakerArrangement Arrangement(host::PluginInstance& plugin, BusDirection dir)
{
    SpeakerArrangement arrangement = -1;
    EXPECT_EQ(plugin.processor()->getBusArrangement(dir, 0, arrangement), kResultTrue);
    return arrangement;
}

}  // namespace

TEST(Buses, OneStereoMainBusEachWayAndNoEvents)
{
    auto plugin = test::NewInstance();
    IComponent* component = plugin->component();
    EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(component->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(component->getBusCount(kEvent, kInput), 0);
    BusInfo info {};
    ASSERT_EQ(component->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
    EXPECT_EQ(host::narrow(info.name), "Main Input");
    EXPECT_EQ(info.channelCount, 2);
    EXPECT_EQ(info.busType, kMain);
    EXPECT_EQ(info.flags, uint32(BusInfo::kDefaultActive));
    EXPECT_EQ(BusName(*plugin, kOutput), "Output");
    EXPECT_EQ(Arrangement(*plugin, kOutput), SpeakerArr::kStereo);
    EXPECT_EQ(component->getBusInfo(kAudio, kInput, 1, info), kInvalidArgument);
}

TEST(Buses, ArrangementsOutsideTheChannelPairsAreRefused)
{
    auto plugin = test::NewInstance();
    IAudioProcessor* processor = plugin->processor();
    SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &mono, 1), kResultFalse);
    EXPECT_EQ(BusName(*plugin, kInput), "Main Input");
    EXPECT_EQ(Arrangement(*plugin, kInput), SpeakerArr::kStereo);

    EXPECT_EQ(processor->setBusArrangements(&stereo, 0, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 0), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(nullptr, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, nullptr, 1), kResultFalse);
}

TEST(Buses, MonoRebuildsBothBusesUnderPlainNames)
{
    auto plugin = test::NewInstance();
    SpeakerArrangement mono = SpeakerArr::kMono;
    EXPECT_EQ(plugin->processor()->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
    EXPECT_EQ(BusName(*plugin, kInput), "Input");
    EXPECT_EQ(BusName(*plugin, kOutput), "Output");
    EXPECT_EQ(Arrangement(*plugin, kInput), SpeakerArr::kMono);
    EXPECT_EQ(Arrangement(*plugin, kOutput), SpeakerArr::kMono);

    // Stereo again keeps nothing of the old names; two input buses are refused
    // after the rebuild.
    SpeakerArrangement stereo[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    EXPECT_EQ(plugin->processor()->setBusArrangements(stereo, 2, stereo, 1), kResultFalse);
    EXPECT_EQ(Arrangement(*plugin, kInput), SpeakerArr::kStereo);
    EXPECT_EQ(BusName(*plugin, kInput), "Input");
}

TEST(Setup, SampleSizesAndRefusedSetups)
{
    auto plugin = test::NewInstance();
    IAudioProcessor* processor = plugin->processor();
    EXPECT_EQ(processor->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(processor->canProcessSampleSize(kSample64), kResultTrue);
    EXPECT_EQ(processor->canProcessSampleSize(2), kResultFalse);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
    EXPECT_EQ(processor->getTailSamples(), 0u);
    for (double rate : {0.0, -48000.0, std::nan(""), HUGE_VAL}) {
        ProcessSetup setup {kRealtime, kSample32, 512, rate};
        EXPECT_EQ(processor->setupProcessing(setup), kResultFalse) << rate;
    }
    ProcessSetup badSize {kRealtime, 2, 512, kRate};
    EXPECT_EQ(processor->setupProcessing(badSize), kResultFalse);
    ProcessSetup noFrames {kRealtime, kSample32, 0, kRate};
    EXPECT_EQ(processor->setupProcessing(noFrames), kResultFalse);
    ProcessSetup good {kRealtime, kSample32, 512, kRate};
    EXPECT_EQ(processor->setupProcessing(good), kResultOk);
}

TEST(Automation, OnlyTheLastPointOfAQueueApplies)
{
    auto automated = test::PreparedInstance(kRate, 256, kSample64);
    auto direct = test::PreparedInstance(kRate, 256, kSample64);
    auto points = owned(new host::ParameterChanges());
    points->add(ParamIndex::kOut, 0, 0.0);
    points->add(ParamIndex::kOut, 100, 1.0);
    points->add(ParamIndex::kOut, 200, 0.25);
    host::AudioBlock a(2, 256, kSample64), b(2, 256, kSample64);
    const auto withPoints = test::Render(*automated, a, 256, 4, points);
    const auto withLast = test::Render(*direct, b, 256, 4, test::Change(ParamIndex::kOut, 0.25));
    EXPECT_EQ(withPoints, withLast);
    EXPECT_NEAR(automated->controller()->getParamNormalized(ParamIndex::kOut), 0.25, 1e-12);
}

TEST(Automation, HostBypassSwitchesAboveOneHalfAndSetupClearsIt)
{
    auto plugin = test::PreparedInstance(kRate, 128, kSample64);
    host::AudioBlock block(2, 128, kSample64);
    IEditController* controller = plugin->controller();
    test::ProcessBlock(*plugin, block, 0, test::Change(test::kBypassId, 0.5));
    EXPECT_EQ(controller->getParamNormalized(test::kBypassId), 0.0);
    test::ProcessBlock(*plugin, block, 0, test::Change(test::kBypassId, 0.51));
    EXPECT_EQ(controller->getParamNormalized(test::kBypassId), 1.0);
    ProcessSetup setup {kRealtime, kSample64, 128, kRate};
    ASSERT_EQ(plugin->processor()->setupProcessing(setup), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(test::kBypassId), 0.0);
}

TEST(Automation, PresetParameterRecallsTheDefaultsAndIgnoresMissingPresets)
{
    auto plugin = test::PreparedInstance(kRate, 128, kSample64);
    host::AudioBlock block(2, 128, kSample64);
    IEditController* controller = plugin->controller();
    test::ProcessBlock(*plugin, block, 0, test::Change(ParamIndex::kOut, 0.75));
    test::ProcessBlock(*plugin, block, 0, test::Change(test::kPresetId, 1.0));  // preset 1 does not exist
    EXPECT_NEAR(controller->getParamNormalized(ParamIndex::kOut), 0.75, 1e-12);
    test::ProcessBlock(*plugin, block, 0, test::Change(test::kPresetId, std::nan("")));
    EXPECT_NEAR(controller->getParamNormalized(ParamIndex::kOut), 0.75, 1e-12);
    test::ProcessBlock(*plugin, block, 0, test::Change(test::kPresetId, 0.759));
    EXPECT_NEAR(controller->getParamNormalized(ParamIndex::kOut), 0.5, 1e-12);
}

TEST(Audio, ThirtyTwoAndSixtyFourBitAgreeWithinFloatPrecision)
{
    auto single = test::PreparedInstance(kRate, 512, kSample32);
    auto twice = test::PreparedInstance(kRate, 512, kSample64);
    host::AudioBlock a(2, 512, kSample32), b(2, 512, kSample64);
    const auto floats = test::Render(*single, a, 512, 8, test::Change(ParamIndex::kHpf, 0.4));
    const auto doubles = test::Render(*twice, b, 512, 8, test::Change(ParamIndex::kHpf, 0.4));
    for (size_t c = 0; c < 2; ++c)
        for (size_t i = 0; i < floats[c].size(); ++i)
            ASSERT_NEAR(floats[c][i], doubles[c][i], std::fabs(doubles[c][i]) * 0x1p-24 + 1e-30) << c << ":" << i;
}

TEST(Audio, InPlaceBuffersGiveTheSameResult)
{
    for (int32 size : {kSample32, kSample64}) {
        auto separate = test::PreparedInstance(kRate, 300, size);
        auto shared = test::PreparedInstance(kRate, 300, size);
        host::AudioBlock a(2, 300, size), b(2, 300, size, true);
        EXPECT_EQ(test::Render(*separate, a, 300, 5), test::Render(*shared, b, 300, 5)) << size;
    }
}

TEST(Audio, LongBlocksRunInPiecesOfTheSetUpMaximum)
{
    auto whole = test::PreparedInstance(kRate, 64, kSample32);
    auto pieces = test::PreparedInstance(kRate, 64, kSample32);
    host::AudioBlock big(2, 200, kSample32), small(2, 64, kSample32);
    const auto one = test::Render(*whole, big, 200, 1);
    std::vector<std::vector<double>> joined(2);
    int frame = 0;
    for (int frames : {64, 64, 64, 8}) {
        test::Fill(small, frame, frames);
        test::ProcessBlock(*pieces, small, frames);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < frames; ++i) joined[size_t(c)].push_back(small.output(c, i));
        frame += frames;
    }
    EXPECT_EQ(one, joined);
}

TEST(Audio, ProcessBeforeSetupUsesTheDefaultSetup)
{
    auto early = test::NewInstance();
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    ASSERT_EQ(early->processor()->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
    ASSERT_EQ(early->component()->activateBus(kAudio, kInput, 0, true), kResultTrue);
    ASSERT_EQ(early->component()->activateBus(kAudio, kOutput, 0, true), kResultTrue);
    auto regular = test::PreparedInstance(44100.0, 1024, kSample32);
    host::AudioBlock a(2, 1024, kSample32), b(2, 1024, kSample32);
    EXPECT_EQ(test::Render(*early, a, 1024, 2), test::Render(*regular, b, 1024, 2));
}

TEST(Audio, DegenerateBlocksTouchNoMissingMemory)
{
    auto plugin = test::PreparedInstance(kRate, 128, kSample32);
    host::AudioBlock block(2, 128, kSample32);
    for (int i = 0; i < 128; ++i) block.setInput(0, i, 0.5);

    auto outChange = test::Change(ParamIndex::kOut, 0.75);
    ProcessData& negative = block.processData(-5, outChange);
    EXPECT_EQ(plugin->process(negative), kResultOk);
    EXPECT_EQ(block.output(0, 0), 0.0);  // counted as zero frames: nothing written
    EXPECT_NEAR(plugin->controller()->getParamNormalized(ParamIndex::kOut), 0.75, 1e-12);

    ProcessData& none = block.processData(128);
    none.numInputs = 0;
    none.inputs = nullptr;
    none.numOutputs = 0;
    none.outputs = nullptr;
    EXPECT_EQ(plugin->process(none), kResultOk);

    ProcessData& noArrays = block.processData(128);
    noArrays.inputs[0].channelBuffers32 = nullptr;
    noArrays.outputs[0].channelBuffers32 = nullptr;
    EXPECT_EQ(plugin->process(noArrays), kResultOk);

    ProcessData& oneBuffer = block.processData(128);
    oneBuffer.inputs[0].numChannels = 1;
    oneBuffer.outputs[0].numChannels = 1;
    EXPECT_EQ(plugin->process(oneBuffer), kResultOk);
    EXPECT_NE(block.output(0, 127), 0.0);
    EXPECT_EQ(block.output(1, 127), 0.0);
}

TEST(Audio, InactiveOutputBusLeavesTheHostBuffersAlone)
{
    auto plugin = test::PreparedInstance(kRate, 128, kSample32);
    ASSERT_EQ(plugin->component()->activateBus(kAudio, kOutput, 0, false), kResultTrue);
    host::AudioBlock block(2, 128, kSample32);
    test::Render(*plugin, block, 128, 2);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 128; ++i) ASSERT_EQ(block.output(c, i), 0.0);
}

TEST(Audio, FlushingStaysInsideProcessAndOffTheDryPath)
{
    auto plugin = test::PreparedInstance(kRate, 64, kSample32);
    host::AudioBlock block(2, 64, kSample32);
    const float tiny = 1e-40f;  // subnormal
    for (int i = 0; i < 64; ++i) block.setInput(0, i, tiny);
    const unsigned hostModes[] = {_mm_getcsr() & ~0x8040u, _mm_getcsr() | 0x8000u};
    for (unsigned modes : hostModes) {
        _mm_setcsr(modes);
        test::ProcessBlock(*plugin, block, 64);
        EXPECT_EQ(_mm_getcsr() & 0xFFC0u, modes & 0xFFC0u);  // modes, not the sticky status flags
    }
    _mm_setcsr(hostModes[0]);
    auto bypass = test::Change(test::kBypassId, 1.0);
    test::ProcessBlock(*plugin, block, 64, bypass);
    EXPECT_EQ(float(block.output(0, 63)), tiny);
}
