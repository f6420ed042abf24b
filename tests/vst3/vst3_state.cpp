// The 84-byte state a host stores in its project: ten plain parameter values as
// little-endian doubles, then the host-bypass flag as a 32-bit integer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <optional>

#include "MemoryStream.h"
#include "PluginFixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

const double kDefaults[10] = {0.5, 0.0, 0.001, 0.0, 0.01, 0.5, 0.0, 1.0, 0.0, 0.0};

std::vector<uint8_t> StateBytes(const std::vector<double>& values, std::optional<int32_t> bypassFlag)
{
    std::vector<uint8_t> bytes(values.size() * 8);
    std::memcpy(bytes.data(), values.data(), bytes.size());
    if (bypassFlag) {
        bytes.resize(bytes.size() + 4);
        std::memcpy(bytes.data() + values.size() * 8, &*bypassFlag, 4);
    }
    return bytes;
}

// A stream that, whenever the plug-in reads or writes it, runs an audio block on
// another thread and counts the blocks that could not run while the plug-in was
// inside the call. A block that cannot run is left waiting (its future kept), and
// finishes once the plug-in lets go.
class AudioDuringStreamIO : public host::MemoryStream {
public:
    explicit AudioDuringStreamIO(host::PluginInstance& plugin, std::vector<uint8_t> bytes = {})
        : MemoryStream(std::move(bytes)), plugin_(plugin)
    {
    }

    int BlockedAudio() const { return blocked_; }
    int Accesses() const { return accesses_; }

    tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override
    {
        RunAudio();
        return MemoryStream::read(buffer, numBytes, numBytesRead);
    }
    tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        RunAudio();
        return MemoryStream::write(buffer, numBytes, numBytesWritten);
    }

private:
    void RunAudio()
    {
        ++accesses_;
        std::future<void> audio = std::async(std::launch::async, [this] { test::ProcessBlock(plugin_, block_, 16); });
        // A deadlock detector, not a speed limit: an unhindered block takes microseconds.
        if (audio.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return;
        ++blocked_;
        waiting_.push_back(std::move(audio));
    }

    host::PluginInstance& plugin_;
    host::AudioBlock block_ {2, 16, kSample32};
    int accesses_ = 0;
    int blocked_ = 0;
    std::vector<std::future<void>> waiting_;
};

class State : public ::testing::Test {
protected:
    std::unique_ptr<host::PluginInstance> plugin = test::NewInstance();
    IEditController* controller = plugin->controller();

    std::vector<uint8_t> Saved()
    {
        auto stream = owned(new host::MemoryStream());
        EXPECT_EQ(controller->getState(stream), kResultOk);
        return stream->bytes();
    }

    tresult Restore(std::vector<uint8_t> bytes, long failFrom = -1)
    {
        auto stream = owned(new host::MemoryStream(std::move(bytes)));
        if (failFrom >= 0) stream->failReadsFrom(size_t(failFrom));
        return controller->setState(stream);
    }

    double Plain(ParamID id) { return controller->normalizedParamToPlain(id, controller->getParamNormalized(id)); }
    bool Bypassed() { return controller->getParamNormalized(test::kBypassId) == 1.0; }
};

}  // namespace

TEST_F(State, FreshInstanceSavesTheDefaultsInEightyFourBytes)
{
    EXPECT_EQ(Saved(), StateBytes(std::vector<double>(kDefaults, kDefaults + 10), 0));
}

TEST_F(State, RoundTripRestoresEveryParameterAndTheBypassFlag)
{
    const std::vector<double> values = {0.25, 3.0, 0.4, 0.6, 0.2, 0.7, -6.0, 0.0, 1.0, 0.0};
    ASSERT_EQ(Restore(StateBytes(values, 1)), kResultOk);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(Plain(ParamID(i)), values[size_t(i)], 1e-12) << i;
    EXPECT_TRUE(Bypassed());
    EXPECT_EQ(Saved(), StateBytes(values, 1));
}

TEST_F(State, AnyNonZeroFlagBypassesAndZeroClears)
{
    const std::vector<double> values(kDefaults, kDefaults + 10);
    ASSERT_EQ(Restore(StateBytes(values, 2)), kResultOk);
    EXPECT_TRUE(Bypassed());
    ASSERT_EQ(Restore(StateBytes(values, 0)), kResultOk);
    EXPECT_FALSE(Bypassed());
}

TEST_F(State, StoredValuesAreBoundedButNotSnapped)
{
    std::vector<double> values(kDefaults, kDefaults + 10);
    values[ParamIndex::kHigh] = 2.5;
    values[ParamIndex::kHpf] = 0.37;
    values[ParamIndex::kOut] = -40.0;
    ASSERT_EQ(Restore(StateBytes(values, 0)), kResultOk);
    EXPECT_DOUBLE_EQ(Plain(ParamIndex::kHigh), 1.0);
    EXPECT_NEAR(Plain(ParamIndex::kHpf), 0.37, 1e-12);
    EXPECT_DOUBLE_EQ(Plain(ParamIndex::kOut), -12.0);
}

TEST_F(State, ParametersOnlyStreamThatEndsCleanlyClearsBypass)
{
    const std::vector<double> values = {0.1, 2.0, 0.3, 0.4, 0.5, 0.6, 3.0, 1.0, 0.0, 0.0};
    ASSERT_EQ(Restore(StateBytes(values, 1)), kResultOk);
    ASSERT_EQ(Restore(StateBytes(values, std::nullopt)), kResultOk);
    EXPECT_FALSE(Bypassed());
    EXPECT_NEAR(Plain(ParamIndex::kOut), 3.0, 1e-12);
}

TEST_F(State, ParametersOnlyStreamThatFailsKeepsBypassAndReportsFalse)
{
    ASSERT_EQ(Restore(StateBytes(std::vector<double>(kDefaults, kDefaults + 10), 1)), kResultOk);
    const std::vector<double> values = {0.1, 2.0, 0.3, 0.4, 0.5, 0.6, 3.0, 1.0, 0.0, 0.0};
    EXPECT_EQ(Restore(StateBytes(values, std::nullopt), 80), kResultFalse);
    EXPECT_TRUE(Bypassed());
    EXPECT_NEAR(Plain(ParamIndex::kHigh), 0.1, 1e-12);
    EXPECT_NEAR(Plain(ParamIndex::kOut), 3.0, 1e-12);
}

// Bytes a short stream does not deliver keep the current state's bytes. A value cut
// in two is therefore spliced: its first bytes from the stream, the rest from the
// current value (little-endian, so the stream gives the low half of the mantissa),
// and then bounded like any stored value. The stream ends cleanly, so the flag read
// delivers nothing and bypass is cleared.
TEST_F(State, ShortStreamSplicesTheCutValueAndKeepsTheRest)
{
    std::vector<double> current(kDefaults, kDefaults + 10);
    current[ParamIndex::kLpf] = 0.4;
    current[ParamIndex::kMid] = 0.8;
    current[ParamIndex::kOut] = 5.0;
    current[ParamIndex::kOversample] = 0.0;
    const std::vector<double> incoming = {0.9, 4.0, 0.2, 0.3, 0.6, 0.35, -5.3, 1.0, 1.0, 0.0};
    for (int cut : {ParamIndex::kMid, ParamIndex::kOut}) {
        SCOPED_TRACE(cut);
        ASSERT_EQ(Restore(StateBytes(current, 1)), kResultOk);
        std::vector<uint8_t> bytes = StateBytes(incoming, std::nullopt);
        bytes.resize(size_t(8 * cut + 4));
        ASSERT_EQ(Restore(bytes), kResultOk);

        std::vector<double> expected(incoming.begin(), incoming.begin() + cut);
        double spliced = current[size_t(cut)];
        std::memcpy(&spliced, &incoming[size_t(cut)], 4);
        expected.push_back(spliced);
        expected.insert(expected.end(), current.begin() + cut + 1, current.end());
        EXPECT_NE(spliced, current[size_t(cut)]);
        EXPECT_EQ(Saved(), StateBytes(expected, 0));
    }
}

// A project save or load talks to the host's stream (often a file) outside the
// plug-in lock, so the audio thread never waits for it.
TEST(StateStream, AudioRunsWhileTheStreamIsReadOrWritten)
{
    auto plugin = test::PreparedInstance(48000.0, 16, kSample32);
    auto saving = owned(new AudioDuringStreamIO(*plugin));
    EXPECT_EQ(plugin->controller()->getState(saving), kResultOk);
    EXPECT_EQ(saving->Accesses(), 2);
    EXPECT_EQ(saving->BlockedAudio(), 0);

    auto loading = owned(new AudioDuringStreamIO(*plugin, saving->bytes()));
    EXPECT_EQ(plugin->controller()->setState(loading), kResultOk);
    EXPECT_EQ(loading->Accesses(), 2);
    EXPECT_EQ(loading->BlockedAudio(), 0);
}

TEST_F(State, NullStreamsAreRefused)
{
    EXPECT_EQ(controller->getState(nullptr), kResultFalse);
    EXPECT_EQ(controller->setState(nullptr), kResultFalse);
}

TEST_F(State, ComponentStateIsNotImplementedAndWritesNothing)
{
    auto stream = owned(new host::MemoryStream());
    EXPECT_EQ(plugin->component()->getState(stream), kNotImplemented);
    EXPECT_TRUE(stream->bytes().empty());
    EXPECT_EQ(plugin->component()->setState(stream), kNotImplemented);
}
