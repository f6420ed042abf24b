#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "PlugLock.h"
#include "TestPlug.h"

TEST(PlugLock, IsReentrantOnOneThreadAndExclusiveAcrossThreads)
{
    PlugLock lock;
    PlugLock::Guard outer(lock);
    {
        PlugLock::Guard inner(lock);
        std::atomic<bool> taken{true};
        std::thread other([&] { taken = lock.TryEnter(); });
        other.join();
        EXPECT_FALSE(taken);
    }
    std::atomic<bool> taken{true};
    std::thread other([&] { taken = lock.TryEnter(); });
    other.join();
    EXPECT_FALSE(taken);  // still held once by `outer`
}

TEST(PlugLock, IsReleasedWhenTheLastGuardEnds)
{
    PlugLock lock;
    {
        PlugLock::Guard outer(lock);
        PlugLock::Guard inner(lock);
    }
    std::atomic<bool> taken{false};
    std::thread other([&] {
        taken = lock.TryEnter();
        if (taken) lock.Leave();
    });
    other.join();
    EXPECT_TRUE(taken);
}

// State restore announces every parameter while holding the lock, and the product's
// ParamChanged takes it again; this must not deadlock.
TEST(PlugLock, StateRestoreUnderAHeldLockDoesNotDeadlock)
{
    TestPlug plug;
    plug.CaptureDefaultPreset();
    PlugLock::Guard guard(plug.Lock());
    EXPECT_TRUE(plug.LoadPreset(0));
    EXPECT_EQ(plug.changed.size(), 10u);
}
