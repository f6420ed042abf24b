// The binding's answers that a host cannot see through the module, checked on a
// test plug-in in this process: how the host is identified, the transport queries,
// latency changes reaching the host, and exceptions kept away from the host.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <thread>

#include "AudioBlock.h"
#include "ComponentHandler.h"
#include "FourCC.h"
#include "HostApplication.h"
#include "IPlugVST3.h"
#include "MemoryStream.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "sdk/PluginFactory.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

// A plug-in on the binding whose hooks can be made to throw: the engine hooks a
// runtime error, the state a failed allocation.
class TestPlug : public IPlugVST3 {
public:
    TestPlug() : IPlugVST3("Test", "", "Maker", FourCC("Test"), FourCC("Mkr1"), 0x10000, "1-1 2-2", 2, 1)
    {
        Param(0)->DefineContinuous("Gain", 0.5, 0.0, 1.0, 0.01);
        Param(1)->DefineInteger("Mode", 0, 0, 3);
        CaptureDefaultPreset();
    }

    void ResetEngine() override { ThrowIfAsked(); }
    void ParamChanged(int) override { ThrowIfAsked(); }
    void ProcessBlock(double**, double**, int32_t) override { ThrowIfAsked(); }
    bool SaveState(StateChunk& chunk) override
    {
        if (throwing) throw std::bad_alloc();
        return IPlugBase::SaveState(chunk);
    }

    bool throwing = false;

private:
    void ThrowIfAsked()
    {
        if (throwing) throw std::runtime_error("engine hook");
    }
};

// An editor whose window operations throw.
class ThrowingEditor : public IPlugEditor {
public:
    void pushParamToControls(int, double, bool) override {}
    void allocateSurface() override {}
    int width() const override { throw std::runtime_error("width"); }
    int height() const override { return 1; }
    bool supportsWindowType(const char*) const override { return true; }
    void* attachWindow(void* parent) override
    {
        if (attachThrows) throw std::runtime_error("attach");
        return parent;
    }
    void detachWindow() override { throw std::runtime_error("detach"); }

    bool attachThrows = true;
};

IPtr<TestPlug> InitialisedPlug(const char* hostName = "Test host")
{
    auto plug = owned(new TestPlug);
    auto context = owned(new host::HostApplication(hostName));
    EXPECT_EQ(plug->initialize(static_cast<IHostApplication*>(context.get())), kResultOk);
    return plug;
}

bool LockIsFree(IPlugBase& plug)
{
    std::atomic<bool> taken {false};
    std::thread other([&] {
        taken = plug.Lock().TryEnter();
        if (taken) plug.Lock().Leave();
    });
    other.join();
    return taken;
}

}  // namespace

TEST(HostIdentification, OnlyAHostApplicationNamesTheHost)
{
    auto named = InitialisedPlug("REAPER");
    EXPECT_EQ(named->CurrentHostCode(), kHostReaper);

    // A context that is not an IHostApplication leaves the host unidentified.
    auto plug = owned(new TestPlug);
    auto context = owned(new FObject());
    EXPECT_EQ(plug->initialize(context->unknownCast()), kResultOk);
    EXPECT_EQ(plug->CurrentHostCode(), -1);
    EXPECT_EQ(plug->HostVersion(), 0);
}

TEST(Transport, QueriesAnswerFromTheLastBlockThatCarriedAContext)
{
    auto plug = InitialisedPlug();
    TransportInfo info;
    ASSERT_TRUE(plug->TransportSnapshot(info));
    EXPECT_EQ(info.tempo, 0.0);  // all zero before any block
    EXPECT_FALSE(info.running);
    EXPECT_EQ(plug->TransportPosition(), 0);

    ProcessContext context {};
    context.state = ProcessContext::kPlaying | ProcessContext::kCycleActive;
    context.projectTimeSamples = 123456789;
    context.tempo = 133.5;
    context.projectTimeMusic = 42.25;
    context.barPositionMusic = 40.0;
    context.cycleStartMusic = 16.0;
    context.cycleEndMusic = 32.0;
    context.timeSigNumerator = 7;
    context.timeSigDenominator = 8;
    host::AudioBlock block(2, 16, kSample32);
    ASSERT_EQ(plug->process(block.processData(16, nullptr, &context)), kResultOk);
    ASSERT_EQ(plug->process(block.processData(16)), kResultOk);  // no context: the last one stays

    EXPECT_EQ(plug->TransportPosition(), 123456789);
    EXPECT_EQ(plug->TransportTempo(), 133.5);
    int32_t numerator = 0, denominator = 0;
    plug->TransportMeter(numerator, denominator);
    EXPECT_EQ(numerator, 7);
    EXPECT_EQ(denominator, 8);
    ASSERT_TRUE(plug->TransportSnapshot(info));
    EXPECT_EQ(info.tempo, 133.5);
    EXPECT_EQ(info.samplePosition, 123456789.0);
    EXPECT_EQ(info.quarterNotePosition, 42.25);
    EXPECT_EQ(info.barStartPosition, 40.0);
    EXPECT_EQ(info.cycleStart, 16.0);
    EXPECT_EQ(info.cycleEnd, 32.0);
    EXPECT_EQ(info.numerator, 7);
    EXPECT_EQ(info.denominator, 8);
    EXPECT_TRUE(info.running);
    EXPECT_TRUE(info.looping);

    context.state = ProcessContext::kCycleActive;  // stopped, still looping
    ASSERT_EQ(plug->process(block.processData(16, nullptr, &context)), kResultOk);
    ASSERT_TRUE(plug->TransportSnapshot(info));
    EXPECT_FALSE(info.running);
    EXPECT_TRUE(info.looping);
}

TEST(Latency, ChangeLatencyAsksTheHostToRestartTheComponent)
{
    auto plug = InitialisedPlug();
    auto handler = owned(new host::ComponentHandler());
    ASSERT_EQ(plug->setComponentHandler(handler), kResultOk);
    plug->ChangeLatency(64);
    EXPECT_EQ(plug->getLatencySamples(), 64u);
    EXPECT_EQ(handler->restarts(), std::vector<int32>{kLatencyChanged});
    EXPECT_EQ(kLatencyChanged, 8);
    EXPECT_EQ(plug->terminate(), kResultOk);  // lets go of the handler, as at a host's close

    auto alone = InitialisedPlug();  // no handler to tell
    alone->ChangeLatency(3);
    EXPECT_EQ(alone->getLatencySamples(), 3u);
}

TEST(Exceptions, EveryEntryPointAnswersWithAResultCodeInstead)
{
    auto plug = owned(new TestPlug);
    plug->throwing = true;
    auto context = owned(new host::HostApplication("Test host"));
    EXPECT_EQ(plug->initialize(static_cast<IHostApplication*>(context.get())), kInternalError);

    SpeakerArrangement stereo = SpeakerArr::kStereo;
    EXPECT_EQ(plug->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
    ProcessSetup setup {kRealtime, kSample32, 64, 48000.0};
    EXPECT_EQ(plug->setupProcessing(setup), kInternalError);
    host::AudioBlock block(2, 64, kSample32);
    EXPECT_EQ(plug->process(block.processData(64)), kInternalError);
    EXPECT_TRUE(LockIsFree(*plug));  // released on the way out

    auto stream = owned(new host::MemoryStream());
    EXPECT_EQ(plug->getState(stream), kOutOfMemory);
    EXPECT_EQ(plug->setState(stream), kOutOfMemory);
    EXPECT_TRUE(LockIsFree(*plug));

    auto* editor = new ThrowingEditor;
    plug->AttachEditor(editor);
    IPtr<IPlugView> view = owned(plug->createView("editor"));
    ASSERT_TRUE(view);
    int parent = 0;
    EXPECT_EQ(view->attached(&parent, "HWND"), kInternalError);
    editor->attachThrows = false;  // the window opens this time; closing it throws
    EXPECT_EQ(view->attached(&parent, "HWND"), kResultOk);
    EXPECT_EQ(view->removed(), kInternalError);
    ViewRect size;
    EXPECT_EQ(view->getSize(&size), kInternalError);
}

TEST(Exceptions, AClassWhoseCreationThrowsGivesNoInstance)
{
    auto* factory = new CPluginFactory(PFactoryInfo {});
    PClassInfo2 info {};
    FUID(1, 2, 3, 4).toTUID(info.cid);
    ASSERT_TRUE(factory->registerClass(info, [](void*) -> FUnknown* { throw std::runtime_error("constructor"); }));
    void* instance = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->createInstance(info.cid, IComponent::iid, &instance), kNoInterface);
    EXPECT_EQ(instance, nullptr);
    factory->release();
}
