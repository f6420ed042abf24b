#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "GrowBuffer.h"
#include "OwnedPtrList.h"
#include "StateChunk.h"

TEST(GrowBuffer, GrowsToPageShapedCapacities)
{
    GrowBuffer buffer;
    ASSERT_NE(buffer.Resize(8), nullptr);
    EXPECT_EQ(buffer.Allocated(), 4000);  // ((8 + 96 + 4096) cut to 4096) - 96
    EXPECT_EQ(buffer.Size(), 8);
    buffer.Resize(4001);
    EXPECT_EQ(buffer.Allocated(), 8096);
    buffer.Resize(100000);  // half again as headroom: (100000 + 96 + 49152) cut - 96
    EXPECT_EQ(buffer.Allocated(), 147360);
}

TEST(GrowBuffer, SmallGranularityAddsHalfAgain)
{
    GrowBuffer text(128);
    text.Resize(10);
    EXPECT_EQ(text.Allocated(), 138);
    text.Resize(1000);
    EXPECT_EQ(text.Allocated(), 1500);
}

TEST(GrowBuffer, KeepsContentsWhenGrowing)
{
    GrowBuffer buffer;
    std::memcpy(buffer.Resize(8), "abcdefg", 8);
    buffer.Resize(50000);
    EXPECT_STREQ(buffer.As<char>(), "abcdefg");
}

TEST(GrowBuffer, ShrinksOnlyWellBelowTheThreshold)
{
    GrowBuffer buffer;
    buffer.Resize(4001);
    buffer.Resize(8);  // 8096 - 4 * 4096 < 1: never shrinks below one byte
    EXPECT_EQ(buffer.Allocated(), 8096);

    buffer.Resize(100000);
    buffer.Resize(80000);  // not below allocated/2 = 73680: memory kept
    EXPECT_EQ(buffer.Allocated(), 147360);
    buffer.Resize(20000);  // below it: (20000 + 96 + 8192) cut - 96
    EXPECT_EQ(buffer.Allocated(), 24480);
    buffer.Resize(100, false);
    EXPECT_EQ(buffer.Allocated(), 24480);
}

TEST(GrowBuffer, ResizeToZeroFreesOnlyWhenShrinking)
{
    GrowBuffer kept, freed;
    kept.Resize(8);
    freed.Resize(8);
    EXPECT_EQ(kept.Resize(0, false), nullptr);
    EXPECT_EQ(kept.Allocated(), 4000);
    EXPECT_EQ(kept.Size(), 0);
    freed.Resize(0, true);
    EXPECT_EQ(freed.Allocated(), 0);
    EXPECT_EQ(freed.Data(), nullptr);
    freed.Resize(-5);
    EXPECT_EQ(freed.Size(), 0);
}

TEST(GrowBuffer, SizeBeyondTheRangeFailsWithoutChange)
{
    GrowBuffer buffer;
    void* data = buffer.Resize(16);
    EXPECT_EQ(buffer.Resize(INT_MAX), data);
    EXPECT_EQ(buffer.Size(), 16);
    EXPECT_EQ(buffer.Allocated(), 4000);
}

namespace {
struct Tracked {
    explicit Tracked(int id, std::vector<int>& freed) : id(id), freed(freed) {}
    ~Tracked() { freed.push_back(id); }
    int id;
    std::vector<int>& freed;
};
}  // namespace

TEST(OwnedPtrList, InsertDeleteAndGetKeepOrder)
{
    std::vector<int> freed;
    OwnedPtrList<Tracked> list;
    list.Append(new Tracked(1, freed));
    list.Append(new Tracked(3, freed));
    list.Insert(1, new Tracked(2, freed));
    list.Insert(-4, new Tracked(0, freed));
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Get(i)->id, i);
    EXPECT_EQ(list.Get(4), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);

    list.Delete(1);
    list.Delete(9);
    EXPECT_EQ(freed, std::vector<int>{1});
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get(1)->id, 2);
}

TEST(OwnedPtrList, ClearFreesFromLastToFirst)
{
    std::vector<int> freed;
    {
        OwnedPtrList<Tracked> list;
        for (int i = 0; i < 3; ++i) list.Append(new Tracked(i, freed));
        list.Clear();
        EXPECT_EQ(list.Count(), 0);
        list.Append(new Tracked(7, freed));
    }
    EXPECT_EQ(freed, (std::vector<int>{2, 1, 0, 7}));
}

TEST(OwnedPtrList, ReplaceFreesTheOldEntry)
{
    std::vector<int> freed;
    OwnedPtrList<Tracked> list;
    list.Append(new Tracked(1, freed));
    EXPECT_TRUE(list.Replace(0, new Tracked(2, freed)));
    EXPECT_FALSE(list.Replace(1, new Tracked(3, freed)));
    EXPECT_EQ(freed, (std::vector<int>{1, 3}));
    EXPECT_EQ(list.Get(0)->id, 2);
}

TEST(StateChunk, ReadsBackWhatWasPutAndRefusesShortReads)
{
    StateChunk chunk;
    chunk.PutDouble(1.25);
    chunk.PutDouble(-3.5);
    EXPECT_EQ(chunk.Size(), 16);

    double value = 0.0;
    EXPECT_EQ(chunk.GetDouble(value, 0), 8);
    EXPECT_EQ(value, 1.25);
    EXPECT_EQ(chunk.GetDouble(value, 8), 16);
    EXPECT_EQ(value, -3.5);

    value = 9.0;
    EXPECT_EQ(chunk.GetDouble(value, 9), -1);
    EXPECT_EQ(chunk.GetDouble(value, -1), -1);
    EXPECT_EQ(chunk.GetDouble(value, INT_MAX - 4), -1);
    EXPECT_EQ(value, 9.0);
}

TEST(StateChunk, StoresLittleEndianDoubles)
{
    StateChunk chunk;
    chunk.PutDouble(1.0);  // IEEE-754: 0x3FF0000000000000
    const unsigned char expected[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    EXPECT_EQ(std::memcmp(chunk.Data(), expected, 8), 0);
}
