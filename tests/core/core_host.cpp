#include <gtest/gtest.h>

#include <string>

#include "HostCode.h"

TEST(IdentifyHost, EarlierTableEntriesWin)
{
    EXPECT_EQ(IdentifyHost("Live Cubase Bridge"), kHostCubase);
    EXPECT_EQ(IdentifyHost("Nuendo Live"), kHostNuendo);
    EXPECT_EQ(IdentifyHost("Ardour on Protools"), kHostProTools);
}

TEST(IdentifyHost, MatchesSubstringsInAnyCase)
{
    EXPECT_EQ(IdentifyHost("REAPER"), kHostReaper);
    EXPECT_EQ(IdentifyHost("Deliverance"), kHostLive);
    EXPECT_EQ(IdentifyHost("VST3PluginTestHost"), kHostVst3TestHost);
    EXPECT_EQ(IdentifyHost("Studio One by PreSonus"), kHostPresonus);
}

TEST(IdentifyHost, NoMatchGivesUnknown)
{
    EXPECT_EQ(IdentifyHost(""), kHostUnknown);
    EXPECT_EQ(IdentifyHost(nullptr), kHostUnknown);
    EXPECT_EQ(IdentifyHost("Some Other Host"), kHostUnknown);
}

TEST(IdentifyHost, OnlyTheFirst255CharactersCount)
{
    const std::string padded = std::string(255, 'x') + "reaper";
    EXPECT_EQ(IdentifyHost(padded.c_str()), kHostUnknown);
    EXPECT_EQ(IdentifyHost((std::string(249, 'x') + "reaper").c_str()), kHostReaper);
}
