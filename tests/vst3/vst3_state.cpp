// The 84-byte state a host stores in its project: ten plain parameter values as
// little-endian doubles, then the host-bypass flag as a 32-bit integer.
#include <gtest/gtest.h>

#include <cstring>
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
    values[VORLA::kHigh] = 2.5;
    values[VORLA::kHpf] = 0.37;
    values[VORLA::kOut] = -40.0;
    ASSERT_EQ(Restore(StateBytes(values, 0)), kResultOk);
    EXPECT_DOUBLE_EQ(Plain(VORLA::kHigh), 1.0);
    EXPECT_NEAR(Plain(VORLA::kHpf), 0.37, 1e-12);
    EXPECT_DOUBLE_EQ(Plain(VORLA::kOut), -12.0);
}

TEST_F(State, ParametersOnlyStreamThatEndsCleanlyClearsBypass)
{
    const std::vector<double> values = {0.1, 2.0, 0.3, 0.4, 0.5, 0.6, 3.0, 1.0, 0.0, 0.0};
    ASSERT_EQ(Restore(StateBytes(values, 1)), kResultOk);
    ASSERT_EQ(Restore(StateBytes(values, std::nullopt)), kResultOk);
    EXPECT_FALSE(Bypassed());
    EXPECT_NEAR(Plain(VORLA::kOut), 3.0, 1e-12);
}

TEST_F(State, ParametersOnlyStreamThatFailsKeepsBypassAndReportsFalse)
{
    ASSERT_EQ(Restore(StateBytes(std::vector<double>(kDefaults, kDefaults + 10), 1)), kResultOk);
    const std::vector<double> values = {0.1, 2.0, 0.3, 0.4, 0.5, 0.6, 3.0, 1.0, 0.0, 0.0};
    EXPECT_EQ(Restore(StateBytes(values, std::nullopt), 80), kResultFalse);
    EXPECT_TRUE(Bypassed());
    EXPECT_NEAR(Plain(VORLA::kHigh), 0.1, 1e-12);
    EXPECT_NEAR(Plain(VORLA::kOut), 3.0, 1e-12);
}

TEST_F(State, ShortStreamKeepsTheParametersItDoesNotReach)
{
    std::vector<double> current(kDefaults, kDefaults + 10);
    current[VORLA::kMid] = 0.8;
    current[VORLA::kOut] = 5.0;
    ASSERT_EQ(Restore(StateBytes(current, 0)), kResultOk);

    std::vector<uint8_t> bytes = StateBytes({0.9, 4.0, 0.2, 0.3, 0.6, 0.1, -5.0, 0.0, 1.0, 0.0}, 0);
    bytes.resize(36);  // four whole values and half of the fifth
    ASSERT_EQ(Restore(bytes), kResultOk);
    EXPECT_NEAR(Plain(VORLA::kHigh), 0.9, 1e-12);
    EXPECT_NEAR(Plain(VORLA::kLowAtten), 0.3, 1e-12);
    EXPECT_NEAR(Plain(VORLA::kLpf), 0.01, 1e-12);  // its bytes were cut: current value kept
    EXPECT_NEAR(Plain(VORLA::kMid), 0.8, 1e-12);
    EXPECT_NEAR(Plain(VORLA::kOut), 5.0, 1e-12);
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
