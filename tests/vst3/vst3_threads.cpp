// The host's two threads at once: blocks on the audio thread while the
// user-interface thread sets, reads, shows, saves and restores parameters. In any
// build this shows the instance stays sound; under the thread sanitizer
// (scripts/test --tsan) it shows that every value the threads share is well-defined.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "MemoryStream.h"
#include "PluginFixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

constexpr int kBlock = 64;
constexpr int kRounds = 300;

// Runs blocks until told to stop, automating HPF and the host bypass on the way, and
// counts the blocks and the samples that came out other than finite.
class AudioThread {
public:
    explicit AudioThread(host::PluginInstance& plugin) : plugin_(plugin), thread_([this] { Run(); }) {}
    ~AudioThread() { Stop(); }

    void Stop()
    {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    int Blocks() const { return blocks_; }
    int NonFinite() const { return nonFinite_; }

private:
    void Run()
    {
        host::AudioBlock block(2, kBlock, kSample32);
        for (int b = 0; !stop_ || b < 8; ++b) {
            test::Fill(block, b * kBlock, kBlock);
            auto changes = owned(new host::ParameterChanges());
            changes->add(ParamIndex::kHpf, 0, double(b % 6) / 5.0);
            changes->add(test::kBypassId, 0, b % 7 == 0 ? 1.0 : 0.0);
            test::ProcessBlock(plugin_, block, kBlock, changes);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < kBlock; ++i) nonFinite_ += std::isfinite(block.output(c, i)) ? 0 : 1;
            blocks_ = b + 1;
        }
    }

    host::PluginInstance& plugin_;
    std::atomic<bool> stop_ {false};
    std::atomic<int> blocks_ {0};
    std::atomic<int> nonFinite_ {0};
    std::thread thread_;
};

}  // namespace

TEST(Threads, ProcessRunsWhileTheControllerAndTheStateAreUsed)
{
    auto plugin = test::PreparedInstance(48000.0, kBlock, kSample32);
    IEditController* controller = plugin->controller();
    AudioThread audio(*plugin);
    for (int round = 0; round < kRounds; ++round) {
        const double sweep = double(round % 11) / 10.0;
        for (ParamID id : {ParamIndex::kLpf, ParamIndex::kHigh, ParamIndex::kOut, ParamIndex::kBypass})
            EXPECT_EQ(controller->setParamNormalized(id, sweep), kResultOk);
        EXPECT_GE(controller->getParamNormalized(ParamIndex::kHpf), 0.0);
        EXPECT_GE(controller->getParamNormalized(test::kBypassId), 0.0);
        String128 text {};
        EXPECT_EQ(controller->getParamStringByValue(ParamIndex::kMid, sweep, text), kResultOk);

        auto stream = owned(new host::MemoryStream());
        ASSERT_EQ(controller->getState(stream), kResultOk);
        ASSERT_EQ(stream->bytes().size(), 84u);
        auto restore = owned(new host::MemoryStream(stream->bytes()));
        EXPECT_EQ(controller->setState(restore), kResultOk);
    }
    audio.Stop();
    EXPECT_GT(audio.Blocks(), 0);
    EXPECT_EQ(audio.NonFinite(), 0);
}
