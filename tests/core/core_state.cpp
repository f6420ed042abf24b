#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "TestPlug.h"

namespace {

// A chunk holding `values`, built in place (chunks own memory and are not copied).
struct ChunkOf : StateChunk {
    explicit ChunkOf(const std::vector<double>& values)
    {
        for (double v : values) PutDouble(v);
    }
};

std::vector<double> Values(const IPlugBase& plug)
{
    std::vector<double> values;
    for (int i = 0; i < plug.ParamCount(); ++i) values.push_back(plug.Param(i)->Value());
    return values;
}

const std::vector<double> kDefaults = {0.5, 0.0, 0.001, 0.0, 0.01, 0.5, 0.0, 1.0, 0.0, 0.0};
const std::vector<int> kEveryIndex = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

}  // namespace

TEST(Serialization, WritesEveryValueInIndexOrder)
{
    TestPlug plug;
    plug.Param(ParamIndex::kOut)->Assign(-7.0);
    StateChunk chunk;
    ASSERT_TRUE(plug.SerializeParams(chunk));
    ASSERT_EQ(chunk.Size(), 80);
    double out = 0.0;
    std::memcpy(&out, chunk.As<char>() + 8 * ParamIndex::kOut, 8);
    EXPECT_EQ(out, -7.0);
}

TEST(Serialization, RoundTripReadsTheFullBlock)
{
    TestPlug source;
    source.Param(ParamIndex::kHigh)->Assign(0.25);
    source.Param(ParamIndex::kHpf)->Assign(4.0);
    StateChunk chunk;
    source.SerializeParams(chunk);

    TestPlug target;
    EXPECT_EQ(target.UnserializeParams(chunk, 0), 80);
    EXPECT_EQ(Values(target), Values(source));
    EXPECT_EQ(target.changed, kEveryIndex);
}

TEST(Serialization, ShortChunkAssignsZeroToTheFirstMissingValue)
{
    TestPlug plug;
    plug.Param(ParamIndex::kLpf)->Assign(0.5);
    plug.Param(ParamIndex::kMid)->Assign(0.7);
    ChunkOf chunk({0.1, 2.0, 0.3, 0.4});
    chunk.Resize(36);  // four values and half of the fifth

    EXPECT_EQ(plug.UnserializeParams(chunk, 0), -1);
    const std::vector<double> expected = {0.1, 2.0, 0.3, 0.4, 0.01, 0.7, 0.0, 1.0, 0.0, 0.0};
    EXPECT_EQ(Values(plug), expected);
    EXPECT_EQ(plug.changed, kEveryIndex);
}

TEST(Serialization, EmptyChunkAssignsZeroToTheFirstParameter)
{
    TestPlug plug;
    plug.Param(ParamIndex::kHigh)->Assign(0.9);
    plug.Param(ParamIndex::kMid)->Assign(0.9);
    EXPECT_EQ(plug.UnserializeParams(StateChunk(), 0), -1);
    EXPECT_EQ(plug.Param(ParamIndex::kHigh)->Value(), 0.0);
    EXPECT_EQ(plug.Param(ParamIndex::kMid)->Value(), 0.9);
}

TEST(Serialization, OversizedChunkIsReadFromThePositionGiven)
{
    std::vector<double> values(12, 0.0);
    values[2] = 0.75;  // High, when reading starts at byte 16
    TestPlug plug;
    EXPECT_EQ(plug.UnserializeParams(ChunkOf(values), 16), 96);
    EXPECT_EQ(plug.Param(ParamIndex::kHigh)->Value(), 0.75);
}

TEST(Serialization, StoredValuesAreBoundedButNotSnapped)
{
    std::vector<double> values = kDefaults;
    values[ParamIndex::kHigh] = 2.5;
    values[ParamIndex::kHpf] = 0.37;
    values[ParamIndex::kOut] = std::numeric_limits<double>::quiet_NaN();
    TestPlug plug;
    plug.Param(ParamIndex::kOut)->Assign(3.0);
    plug.UnserializeParams(ChunkOf(values), 0);
    EXPECT_EQ(plug.Param(ParamIndex::kHigh)->Value(), 1.0);
    EXPECT_EQ(plug.Param(ParamIndex::kHpf)->Value(), 0.37);
    EXPECT_EQ(plug.Param(ParamIndex::kOut)->Value(), 3.0);  // a damaged value is ignored
}

TEST(Serialization, StateMatchesInSinglePrecision)
{
    TestPlug plug;
    std::vector<double> values = kDefaults;
    values[ParamIndex::kHigh] += 1e-12;
    std::vector<double> shifted(3, 9.0);
    shifted.insert(shifted.end(), values.begin(), values.end());
    EXPECT_TRUE(plug.StateMatches(ChunkOf(shifted), 3));

    values[ParamIndex::kHigh] = 0.6;
    EXPECT_FALSE(plug.StateMatches(ChunkOf(values), 0));
    EXPECT_FALSE(plug.StateMatches(ChunkOf(kDefaults), 1));  // runs past the end
}

TEST(Presets, DefaultCaptureHoldsTheDefinedValues)
{
    TestPlug plug;
    plug.CaptureDefaultPreset();
    const PresetRecord* preset = plug.Preset(0);
    ASSERT_NE(preset, nullptr);
    EXPECT_TRUE(preset->Initialised());
    EXPECT_STREQ(preset->Name(), "-");
    EXPECT_EQ(preset->Content().Size(), 80);

    plug.Param(ParamIndex::kMid)->Assign(0.9);
    plug.Param(ParamIndex::kHpf)->Assign(3.0);
    EXPECT_TRUE(plug.LoadPreset(0));
    EXPECT_EQ(Values(plug), kDefaults);
    EXPECT_EQ(plug.CurrentPreset(), 0);
    EXPECT_EQ(plug.changed, kEveryIndex);
}

TEST(Presets, IndicesOutsideTheListChangeNothing)
{
    TestPlug plug;
    plug.CaptureDefaultPreset();
    plug.Param(ParamIndex::kMid)->Assign(0.9);
    EXPECT_FALSE(plug.LoadPreset(1));
    EXPECT_FALSE(plug.LoadPreset(-1));
    EXPECT_EQ(plug.Param(ParamIndex::kMid)->Value(), 0.9);
    EXPECT_TRUE(plug.changed.empty());
    EXPECT_EQ(plug.Preset(1), nullptr);
}

TEST(Presets, RecallingAnEmptySlotCapturesAUserPreset)
{
    TestPlug plug("1-1 2-2", 3);
    plug.CaptureDefaultPreset();
    EXPECT_STREQ(plug.Preset(1)->Name(), "empty");
    plug.Param(ParamIndex::kOut)->Assign(5.0);

    EXPECT_TRUE(plug.LoadPreset(2));
    EXPECT_STREQ(plug.Preset(2)->Name(), "user preset 1");
    EXPECT_EQ(plug.CurrentPreset(), 2);
    EXPECT_TRUE(plug.changed.empty());  // a capture leaves the parameters alone
    EXPECT_TRUE(plug.LoadPreset(1));
    EXPECT_STREQ(plug.Preset(1)->Name(), "user preset 2");

    plug.Param(ParamIndex::kOut)->Assign(-5.0);
    EXPECT_TRUE(plug.LoadPreset(2));
    EXPECT_EQ(plug.Param(ParamIndex::kOut)->Value(), 5.0);
}

TEST(Presets, CaptureDefaultFillsOnlyTheFirstFreeSlot)
{
    TestPlug plug("1-1", 2);
    plug.CaptureDefaultPreset();
    plug.Param(ParamIndex::kOut)->Assign(5.0);
    plug.CaptureDefaultPreset();
    plug.Param(ParamIndex::kOut)->Assign(7.0);
    plug.CaptureDefaultPreset();  // every slot is in use now: nothing happens
    EXPECT_STREQ(plug.Preset(1)->Name(), "-");
    EXPECT_TRUE(plug.LoadPreset(0));
    EXPECT_EQ(plug.Param(ParamIndex::kOut)->Value(), 0.0);
    EXPECT_TRUE(plug.LoadPreset(1));
    EXPECT_EQ(plug.Param(ParamIndex::kOut)->Value(), 5.0);
}

TEST(Presets, FailedRecallLeavesTheCurrentPreset)
{
    // A state that saves nothing reads back as a failed recall.
    class Empty : public TestPlug {
    public:
        Empty() : TestPlug("1-1", 2) {}
        bool SaveState(StateChunk&) override { return true; }
    } plug;
    plug.CaptureDefaultPreset();
    EXPECT_TRUE(plug.LoadPreset(1));
    EXPECT_FALSE(plug.LoadPreset(0));
    EXPECT_EQ(plug.CurrentPreset(), 1);
}
