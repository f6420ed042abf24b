#include "HostRunLoop.h"

#include <algorithm>
#include <vector>

#include "base/source/fobject.h"

using namespace Steinberg;

namespace {

// The host keeps a reference to each handler it is given and may, against the
// rules, call one after it was unregistered: a relay whose client is gone then
// does nothing.
class TimerRelay : public FObject, public Linux::ITimerHandler {
public:
    explicit TimerRelay(IEditorRunLoop::Timer& client) : client_(&client) {}
    IEditorRunLoop::Timer* client() const { return client_; }
    void forget() { client_ = nullptr; }
    void PLUGIN_API onTimer() SMTG_OVERRIDE
    {
        if (client_) client_->onTimer();
    }

    OBJ_METHODS(TimerRelay, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(Linux::ITimerHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    IEditorRunLoop::Timer* client_;
};

class ReaderRelay : public FObject, public Linux::IEventHandler {
public:
    explicit ReaderRelay(IEditorRunLoop::Reader& client) : client_(&client) {}
    IEditorRunLoop::Reader* client() const { return client_; }
    void forget() { client_ = nullptr; }
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor fd) SMTG_OVERRIDE
    {
        if (client_) client_->onReadable(fd);
    }

    OBJ_METHODS(ReaderRelay, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(Linux::IEventHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    IEditorRunLoop::Reader* client_;
};

class HostRunLoop : public IEditorRunLoop {
public:
    explicit HostRunLoop(IPtr<Linux::IRunLoop> loop) : loop_(std::move(loop)) {}
    ~HostRunLoop() override
    {
        while (!timers_.empty()) removeTimer(*timers_.back()->client());
        while (!readers_.empty()) removeReader(*readers_.back()->client());
    }

    bool addTimer(Timer& timer, int intervalMs) override
    {
        if (intervalMs <= 0 || find(timers_, &timer) != timers_.end()) return false;
        auto relay = owned(new TimerRelay(timer));
        if (loop_->registerTimer(relay, Linux::TimerInterval(intervalMs)) != kResultOk) return false;
        timers_.push_back(relay);
        return true;
    }
    void removeTimer(Timer& timer) override
    {
        const auto found = find(timers_, &timer);
        if (found == timers_.end()) return;
        loop_->unregisterTimer(*found);
        (*found)->forget();
        timers_.erase(found);
    }
    bool addReader(Reader& reader, int fd) override
    {
        if (fd < 0 || find(readers_, &reader) != readers_.end()) return false;
        auto relay = owned(new ReaderRelay(reader));
        if (loop_->registerEventHandler(relay, fd) != kResultOk) return false;
        readers_.push_back(relay);
        return true;
    }
    void removeReader(Reader& reader) override
    {
        const auto found = find(readers_, &reader);
        if (found == readers_.end()) return;
        loop_->unregisterEventHandler(*found);
        (*found)->forget();
        readers_.erase(found);
    }

private:
    template <typename Relay, typename Client>
    static typename std::vector<IPtr<Relay>>::iterator find(std::vector<IPtr<Relay>>& relays, Client* client)
    {
        return std::find_if(relays.begin(), relays.end(),
                            [client](const IPtr<Relay>& relay) { return relay->client() == client; });
    }

    IPtr<Linux::IRunLoop> loop_;
    std::vector<IPtr<TimerRelay>> timers_;
    std::vector<IPtr<ReaderRelay>> readers_;
};

}  // namespace

std::unique_ptr<IEditorRunLoop> HostRunLoopOf(IPlugFrame* frame)
{
    if (!frame) return nullptr;
    FUnknownPtr<Linux::IRunLoop> loop(frame);
    if (!loop) return nullptr;
    return std::make_unique<HostRunLoop>(IPtr<Linux::IRunLoop>(loop.get()));
}
