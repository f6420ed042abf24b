#include "RunLoopFrame.h"

#include <poll.h>

#include <algorithm>

namespace vorla::host {

using namespace Steinberg;
using namespace std::chrono;

RunLoopFrame::~RunLoopFrame() = default;

tresult PLUGIN_API RunLoopFrame::registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    if (isRegistered(handler))
        return kResultFalse;
    handlers.push_back({handler, fd});
    return kResultOk;
}

tresult PLUGIN_API RunLoopFrame::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto found = std::find_if(handlers.begin(), handlers.end(),
                                    [handler](const Handler& entry) { return entry.handler == handler; });
    if (found == handlers.end())
        return kResultFalse;
    handlers.erase(found);
    return kResultOk;
}

tresult PLUGIN_API RunLoopFrame::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0)
        return kInvalidArgument;
    if (isRegistered(handler))
        return kResultFalse;
    const Clock::duration interval = std::chrono::milliseconds(milliseconds);
    timers.push_back({handler, interval, Clock::now() + interval});
    return kResultOk;
}

tresult PLUGIN_API RunLoopFrame::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto found = std::find_if(timers.begin(), timers.end(),
                                    [handler](const Timer& entry) { return entry.handler == handler; });
    if (found == timers.end())
        return kResultFalse;
    timers.erase(found);
    return kResultOk;
}

bool RunLoopFrame::isRegistered(Linux::ITimerHandler* handler) const
{
    return std::any_of(timers.begin(), timers.end(), [handler](const Timer& entry) { return entry.handler == handler; });
}

bool RunLoopFrame::isRegistered(Linux::IEventHandler* handler) const
{
    return std::any_of(handlers.begin(), handlers.end(),
                       [handler](const Handler& entry) { return entry.handler == handler; });
}

void RunLoopFrame::runOnce(int timeoutMs)
{
    Clock::time_point wakeUp = Clock::now() + milliseconds(std::max(timeoutMs, 0));
    for (const Timer& timer : timers)
        wakeUp = std::min(wakeUp, timer.due);
    const auto wait = ceil<milliseconds>(wakeUp - Clock::now()).count();

    std::vector<pollfd> fds;
    for (const Handler& entry : handlers)
        fds.push_back({entry.fd, POLLIN, 0});
    const std::vector<Handler> polled = handlers;
    if (poll(fds.data(), fds.size(), int(std::max<long long>(wait, 0))) > 0) {
        std::vector<Handler> ready;
        for (std::size_t i = 0; i < fds.size(); ++i)
            if (fds[i].revents != 0)
                ready.push_back(polled[i]);
        runReadyHandlers(ready);
    }
    runDueTimers();
}

// A callback may unregister any handler, its own included: each one runs only while
// it is still registered, and the copies keep it alive through its own call.
void RunLoopFrame::runReadyHandlers(const std::vector<Handler>& ready)
{
    for (const Handler& entry : ready)
        if (isRegistered(entry.handler))
            entry.handler->onFDIsSet(entry.fd);
}

void RunLoopFrame::runDueTimers()
{
    const Clock::time_point now = Clock::now();
    std::vector<IPtr<Linux::ITimerHandler>> due;
    for (Timer& timer : timers) {
        if (timer.due > now)
            continue;
        due.push_back(timer.handler);
        timer.due = std::max(timer.due + timer.interval, now);
    }
    for (const auto& handler : due)
        if (isRegistered(handler))
            handler->onTimer();
}

void RunLoopFrame::runFor(int ms)
{
    runUntil([] { return false; }, ms);
}

bool RunLoopFrame::runUntil(const std::function<bool()>& done, int timeoutMs)
{
    const Clock::time_point end = Clock::now() + milliseconds(timeoutMs);
    while (!done()) {
        const auto left = duration_cast<milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            return done();
        runOnce(int(left));
    }
    return true;
}

} // namespace vorla::host
