#include <gtest/gtest.h>

#include <vector>

#include "TestPlug.h"

namespace {

std::vector<std::pair<int, int>> Pairs(const IPlugBase& plug)
{
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < plug.ChannelPairCount(); ++i)
        pairs.emplace_back(plug.ChannelPairAt(i)->inputs, plug.ChannelPairAt(i)->outputs);
    return pairs;
}

using PairList = std::vector<std::pair<int, int>>;

// Points every channel at a test-owned buffer, the way 64-bit processing uses the
// host's buffers directly.
struct Buffers {
    explicit Buffers(IPlugBase& plug, int frames)
        : in(plug.InputChannelCount(), std::vector<double>(frames)),
          out(plug.OutputChannelCount(), std::vector<double>(frames, -1.0))
    {
        for (int c = 0; c < plug.InputChannelCount(); ++c) plug.InputSlot(c)->PointAt(in[c].data());
        for (int c = 0; c < plug.OutputChannelCount(); ++c) plug.OutputSlot(c)->PointAt(out[c].data());
    }
    std::vector<std::vector<double>> in, out;
};

}  // namespace

TEST(ChannelIO, ParsesPairsAndSizesTheSlots)
{
    TestPlug product;
    EXPECT_EQ(Pairs(product), (PairList{{1, 1}, {2, 2}}));
    EXPECT_EQ(product.InputChannelCount(), 2);
    EXPECT_EQ(product.OutputChannelCount(), 2);

    TestPlug stereo("2-2");
    EXPECT_EQ(Pairs(stereo), (PairList{{2, 2}}));
    EXPECT_EQ(stereo.InputChannelCount(), 2);
}

TEST(ChannelIO, MalformedTokensBecomePartialOrEmptyPairs)
{
    TestPlug odd("x-y 3 1-4 -2-2 5-z");
    EXPECT_EQ(Pairs(odd), (PairList{{0, 0}, {3, 0}, {1, 4}, {-2, 2}, {5, 0}}));
    EXPECT_EQ(odd.InputChannelCount(), 5);
    EXPECT_EQ(odd.OutputChannelCount(), 4);

    TestPlug huge("99999999999-1");
    EXPECT_EQ(Pairs(huge), (PairList{{2147483647, 1}}));
    EXPECT_EQ(huge.InputChannelCount(), 0);  // too many to hold: no slots rather than stray links
}

TEST(ChannelIO, LegalIOTreatsNegativeCountsAsWildcards)
{
    TestPlug plug;
    EXPECT_TRUE(plug.LegalIO(1, 1));
    EXPECT_TRUE(plug.LegalIO(2, 2));
    EXPECT_FALSE(plug.LegalIO(1, 2));
    EXPECT_FALSE(plug.LegalIO(2, 1));
    EXPECT_TRUE(plug.LegalIO(-1, 2));
    EXPECT_FALSE(plug.LegalIO(3, -1));
    EXPECT_TRUE(plug.LegalIO(-1, -1));
}

TEST(PassThrough, WithoutLatencyCopiesAndSilencesExtraOutputs)
{
    TestPlug plug("1-2");
    Buffers buffers(plug, 3);
    buffers.in[0] = {1.0, 2.0, 3.0};
    plug.PassThrough(3);
    EXPECT_EQ(buffers.out[0], (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(buffers.out[1], (std::vector<double>{0.0, 0.0, 0.0}));
}

TEST(PassThrough, LatencyDelaysTheDrySignal)
{
    TestPlug plug("1-1");
    plug.CreateLatencyDelay();
    plug.ChangeLatency(3);
    Buffers buffers(plug, 5);
    buffers.in[0] = {1.0, 2.0, 3.0, 4.0, 5.0};
    plug.PassThrough(5);
    EXPECT_EQ(buffers.out[0], (std::vector<double>{0.0, 0.0, 0.0, 1.0, 2.0}));

    // The line carries over between blocks, also when the host processes in place.
    plug.InputSlot(0)->PointAt(buffers.out[0].data());
    buffers.out[0] = {6.0, 7.0, 8.0, 9.0, 10.0};
    plug.PassThrough(5);
    EXPECT_EQ(buffers.out[0], (std::vector<double>{3.0, 4.0, 5.0, 6.0, 7.0}));
}

TEST(PassThrough, ChangingLatencyRewindsAndSilencesTheLine)
{
    TestPlug plug("1-1");
    plug.CreateLatencyDelay();
    plug.ChangeLatency(2);
    Buffers buffers(plug, 2);
    buffers.in[0] = {1.0, 2.0};
    plug.PassThrough(2);
    plug.ChangeLatency(2);
    plug.PassThrough(2);
    EXPECT_EQ(buffers.out[0], (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(plug.Latency(), 2);
}

TEST(Scratch, ResizeBlockZeroFillsOnlyOnChange)
{
    TestPlug plug;
    plug.ResizeBlock(4);
    ChannelSlot* slot = plug.InputSlot(1);
    ASSERT_EQ(slot->ScratchLength(), 4);
    slot->Scratch()[2] = 5.0;
    plug.ResizeBlock(4);
    EXPECT_EQ(slot->Scratch()[2], 5.0);
    plug.ResizeBlock(6);
    EXPECT_EQ(plug.BlockSize(), 6);
    EXPECT_EQ(std::vector<double>(slot->Scratch(), slot->Scratch() + 6), std::vector<double>(6, 0.0));
}

// 268,435,455 frames fit the 32-bit byte count, but not with the buffer's headroom.
TEST(Scratch, ResizeBlockRefusesSizesTheBuffersCannotReach)
{
    TestPlug plug;
    ASSERT_TRUE(plug.ResizeBlock(64));
    for (int32_t frames : {268435455, INT32_MAX}) {
        EXPECT_FALSE(plug.ResizeBlock(frames)) << frames;
        EXPECT_EQ(plug.BlockSize(), 64);
        EXPECT_EQ(plug.ScratchFrames(), 64);
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(plug.InputSlot(c)->ScratchLength(), 64);
            EXPECT_EQ(plug.OutputSlot(c)->ScratchLength(), 64);
        }
    }
}

TEST(Scratch, DisconnectPointsEveryChannelAtItsScratch)
{
    TestPlug plug;
    plug.ResizeBlock(8);
    Buffers buffers(plug, 8);
    plug.ConnectAllChannels();
    plug.DisconnectAllChannels();
    for (int c = 0; c < 2; ++c) {
        EXPECT_FALSE(plug.OutputSlot(c)->Connected());
        EXPECT_EQ(plug.OutputPointers()[c], plug.OutputSlot(c)->Scratch());
        EXPECT_EQ(plug.InputPointers()[c], plug.InputSlot(c)->Scratch());
    }
    // A resize moves the scratch buffers; channels on them must follow.
    plug.ResizeBlock(100000);
    EXPECT_EQ(plug.InputPointers()[0], plug.InputSlot(0)->Scratch());
}

TEST(Scratch, LoadInputsConvertsConnectedChannelsOnly)
{
    TestPlug plug;
    plug.ResizeBlock(2);
    plug.DisconnectAllChannels();
    plug.InputSlot(1)->SetConnected(true);
    float host[2] = {0.5f, -0.25f};
    float* hostBuffers[] = {host};
    plug.LoadInputs(0, 2, hostBuffers, 2);
    EXPECT_EQ(plug.InputPointers()[1][0], 0.5);
    EXPECT_EQ(plug.InputPointers()[1][1], -0.25);
    EXPECT_EQ(plug.InputPointers()[0][0], 0.0);

    // A block longer than the scratch buffers converts only what fits.
    float longBlock[16] = {1.0f};
    hostBuffers[0] = longBlock;
    plug.LoadInputs(0, 2, hostBuffers, 16);
    EXPECT_EQ(plug.InputPointers()[1][0], 1.0);

    float stored[2];
    IPlugBase::StoreOutputs(plug.InputPointers()[1], stored, 2);
    EXPECT_EQ(stored[0], 1.0f);
}

TEST(Scratch, DefaultProcessBlockCopiesInputs)
{
    TestPlug plug("2-3");
    Buffers buffers(plug, 2);
    buffers.in[1] = {4.0, 5.0};
    plug.ProcessBlock(plug.InputPointers(), plug.OutputPointers(), 2);
    EXPECT_EQ(buffers.out[1], (std::vector<double>{4.0, 5.0}));
    EXPECT_EQ(buffers.out[2], (std::vector<double>{0.0, 0.0}));
}
