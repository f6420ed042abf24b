#include "PluginInstance.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <cstring>

namespace vorla::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

SpeakerArrangement arrangementFor(int channels) {
    return channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo;
}

std::string narrow(const TChar* text) {
    std::string out;
    for (; text && *text; ++text)
        out.push_back(static_cast<char>(*text & 0xFF));
    return out;
}

std::unique_ptr<PluginInstance> PluginInstance::create(IPluginFactory* factory, const TUID classId,
                                                       std::string& error) {
    std::unique_ptr<PluginInstance> instance(new PluginInstance());
    IComponent* component = nullptr;
    if (factory->createInstance(classId, IComponent::iid, reinterpret_cast<void**>(&component)) != kResultOk ||
        !component) {
        error = "the factory could not create the class";
        return nullptr;
    }
    instance->componentPtr = owned(component);
    instance->processorPtr = FUnknownPtr<IAudioProcessor>(component);
    instance->controllerPtr = FUnknownPtr<IEditController>(component);
    if (!instance->processorPtr) {
        error = "the class has no audio processor";
        return nullptr;
    }
    return instance;
}

std::unique_ptr<PluginInstance> PluginInstance::createFirstEffect(IPluginFactory* factory, std::string& error) {
    for (int32 i = 0; i < factory->countClasses(); ++i) {
        PClassInfo info{};
        if (factory->getClassInfo(i, &info) == kResultOk && std::strcmp(info.category, kVstAudioEffectClass) == 0)
            return create(factory, info.cid, error);
    }
    error = "the module offers no audio effect class";
    return nullptr;
}

PluginInstance::~PluginInstance() {
    if (active) {
        processorPtr->setProcessing(false);
        componentPtr->setActive(false);
    }
    if (initialized)
        componentPtr->terminate();
}

tresult PluginInstance::initialize(FUnknown* hostContext) {
    tresult result = componentPtr->initialize(hostContext);
    initialized = initialized || result == kResultOk;
    return result;
}

tresult PluginInstance::prepare(double sampleRate, int32 maxBlock, int32 sampleSize, int channels) {
    SpeakerArrangement in = arrangementFor(channels);
    SpeakerArrangement out = in;
    tresult result = processorPtr->setBusArrangements(&in, 1, &out, 1);
    if (result != kResultOk)
        return result;
    for (BusDirection dir : {kInput, kOutput})
        for (int32 bus = 0; bus < componentPtr->getBusCount(kAudio, dir); ++bus)
            componentPtr->activateBus(kAudio, dir, bus, true);
    ProcessSetup setup{kRealtime, sampleSize, maxBlock, sampleRate};
    result = processorPtr->setupProcessing(setup);
    if (result != kResultOk)
        return result;
    result = componentPtr->setActive(true);
    active = result == kResultOk;
    processorPtr->setProcessing(true);
    return result;
}

long long PluginInstance::findParameter(const std::string& title) const {
    if (!controllerPtr)
        return -1;
    for (int32 i = 0; i < controllerPtr->getParameterCount(); ++i) {
        ParameterInfo info{};
        if (controllerPtr->getParameterInfo(i, info) == kResultOk && narrow(info.title) == title)
            return info.id;
    }
    return -1;
}

} // namespace vorla::host
