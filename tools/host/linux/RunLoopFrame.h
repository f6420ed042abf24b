#pragma once

#include "PlugFrame.h"

#include <chrono>
#include <functional>
#include <vector>

namespace vorla::host {

// The frame a Linux host gives a plug-in view: it grants resizes (PlugFrame) and
// lends the host's run loop (IRunLoop), a small poll loop of timers and file
// descriptors that runs only while the caller runs it, on the caller's thread.
// It holds a reference to every registered handler until it is unregistered.
class RunLoopFrame : public PlugFrame, public Steinberg::Linux::IRunLoop {
public:
    using Clock = std::chrono::steady_clock;

    ~RunLoopFrame() override;

    // Calls every handler whose descriptor is readable and every timer that is due,
    // waiting up to `timeoutMs` for the first of them.
    void runOnce(int timeoutMs);
    // Runs the loop for `ms` milliseconds.
    void runFor(int ms);
    // Runs the loop until `done` holds (checked after each round) or `timeoutMs`
    // passed; returns whether it holds.
    bool runUntil(const std::function<bool()>& done, int timeoutMs);

    std::size_t timerCount() const { return timers.size(); }
    std::size_t handlerCount() const { return handlers.size(); }
    bool empty() const { return timers.empty() && handlers.empty(); }

    Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                       Steinberg::Linux::FileDescriptor fd) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval milliseconds) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) SMTG_OVERRIDE;

    OBJ_METHODS(RunLoopFrame, PlugFrame)
    DEFINE_INTERFACES
        DEF_INTERFACE(Steinberg::Linux::IRunLoop)
    END_DEFINE_INTERFACES(PlugFrame)
    REFCOUNT_METHODS(PlugFrame)

private:
    struct Timer {
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };
    struct Handler {
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
        int fd;
    };

    void runReadyHandlers(const std::vector<Handler>& ready);
    void runDueTimers();
    bool isRegistered(Steinberg::Linux::ITimerHandler* handler) const;
    bool isRegistered(Steinberg::Linux::IEventHandler* handler) const;

    std::vector<Timer> timers;
    std::vector<Handler> handlers;
};

} // namespace vorla::host
