#include "SingleComponentEffect.h"

namespace Steinberg {
namespace Vst {

SingleComponentEffect::SingleComponentEffect()
    : audioInputs(kAudio, kInput),
      audioOutputs(kAudio, kOutput),
      eventInputs(kEvent, kInput),
      eventOutputs(kEvent, kOutput),
      processSetup{kRealtime, kSample32, 1024, 44100.0},
      componentFace(*this) {}

SingleComponentEffect::~SingleComponentEffect() = default;

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arrangement,
                                               BusType busType, int32 flags) {
    auto* bus = new AudioBus(name, busType, flags, arrangement);
    audioInputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arrangement,
                                                BusType busType, int32 flags) {
    auto* bus = new AudioBus(name, busType, flags, arrangement);
    audioOutputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
    if (type == kAudio)
        return dir == kInput ? &audioInputs : &audioOutputs;
    if (type == kEvent)
        return dir == kInput ? &eventInputs : &eventOutputs;
    return nullptr;
}

Bus* SingleComponentEffect::findBus(MediaType type, BusDirection dir, int32 index) {
    BusList* list = getBusList(type, dir);
    if (!list || index < 0 || index >= static_cast<int32>(list->size()))
        return nullptr;
    return list->at(static_cast<size_t>(index));
}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) {
    return EditControllerEx1::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate() {
    parameters.removeAll();
    audioInputs.clear();
    audioOutputs.clear();
    eventInputs.clear();
    eventOutputs.clear();
    return EditControllerEx1::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::setActive(TBool) { return kResultOk; }

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
    BusList* list = getBusList(type, dir);
    return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info) {
    Bus* bus = findBus(type, dir, index);
    if (!bus)
        return kInvalidArgument;
    info.mediaType = type;
    info.direction = dir;
    return bus->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state) {
    Bus* bus = findBus(type, dir, index);
    if (!bus)
        return kInvalidArgument;
    bus->setActive(state);
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement*, int32,
                                                             SpeakerArrangement*, int32) {
    return kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr) {
    auto* bus = FCast<AudioBus>(findBus(kAudio, dir, index));
    if (!bus)
        return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
    processSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::process(ProcessData&) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID iid, void** obj) {
    if (FUnknownPrivate::iidEqual(iid, IComponent::iid)) {
        addRef();
        *obj = static_cast<IComponent*>(&componentFace);
        return kResultOk;
    }
    QUERY_INTERFACE(iid, obj, IAudioProcessor::iid, IAudioProcessor)
    return EditControllerEx1::queryInterface(iid, obj);
}

// The component face forwards everything but its state to the owning object.
tresult PLUGIN_API SingleComponentEffect::ComponentFace::queryInterface(const TUID iid, void** obj) {
    return owner.queryInterface(iid, obj);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::initialize(FUnknown* context) {
    return owner.initialize(context);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::terminate() { return owner.terminate(); }
tresult PLUGIN_API SingleComponentEffect::ComponentFace::getControllerClassId(TUID classId) {
    return owner.getControllerClassId(classId);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::setIoMode(IoMode mode) { return owner.setIoMode(mode); }
int32 PLUGIN_API SingleComponentEffect::ComponentFace::getBusCount(MediaType type, BusDirection dir) {
    return owner.getBusCount(type, dir);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::getBusInfo(MediaType type, BusDirection dir,
                                                                    int32 index, BusInfo& info) {
    return owner.getBusInfo(type, dir, index, info);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::getRoutingInfo(RoutingInfo& inInfo,
                                                                        RoutingInfo& outInfo) {
    return owner.getRoutingInfo(inInfo, outInfo);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::activateBus(MediaType type, BusDirection dir,
                                                                     int32 index, TBool state) {
    return owner.activateBus(type, dir, index, state);
}
tresult PLUGIN_API SingleComponentEffect::ComponentFace::setActive(TBool state) { return owner.setActive(state); }

} // namespace Vst
} // namespace Steinberg
