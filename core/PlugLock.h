#pragma once

#include <mutex>

// The plug-in lock: serialises parameter, state and processing access between the
// host's threads. It is re-entrant because state restore calls ParamChanged, and the
// product's ParamChanged takes the lock again inside its caller's hold.
class PlugLock {
public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    bool TryEnter() { return mutex_.try_lock(); }

    // Holds the lock for the lifetime of the guard, also when an exception leaves.
    class Guard {
    public:
        explicit Guard(PlugLock& lock) : lock_(lock) { lock_.Enter(); }
        ~Guard() { lock_.Leave(); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        PlugLock& lock_;
    };

private:
    std::recursive_mutex mutex_;
};
