#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <memory>
#include <string>

namespace vorla::host {

// One plug-in instance made by a factory, with the faces a host uses. Destruction
// deactivates, terminates and releases it as a host closing a project does.
class PluginInstance {
public:
    static std::unique_ptr<PluginInstance> create(Steinberg::IPluginFactory* factory,
                                                  const Steinberg::TUID classId, std::string& error);
    // The first class of the factory whose category is the audio-effect category.
    static std::unique_ptr<PluginInstance> createFirstEffect(Steinberg::IPluginFactory* factory,
                                                             std::string& error);
    ~PluginInstance();

    Steinberg::Vst::IComponent* component() const { return componentPtr.get(); }
    Steinberg::Vst::IAudioProcessor* processor() const { return processorPtr.get(); }
    // Null when the instance is not also its own edit controller.
    Steinberg::Vst::IEditController* controller() const { return controllerPtr.get(); }

    Steinberg::tresult initialize(Steinberg::FUnknown* hostContext);
    // Symmetric buses of `channels`, all audio buses activated, then setupProcessing
    // and activation.
    Steinberg::tresult prepare(double sampleRate, Steinberg::int32 maxBlock, Steinberg::int32 sampleSize,
                               int channels);
    Steinberg::tresult process(Steinberg::Vst::ProcessData& data) { return processorPtr->process(data); }

    // The parameter id whose title is `title`, or -1.
    long long findParameter(const std::string& title) const;

private:
    PluginInstance() = default;

    Steinberg::IPtr<Steinberg::Vst::IComponent> componentPtr;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processorPtr;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controllerPtr;
    bool initialized = false;
    bool active = false;
};

// Speaker arrangement for one or two channels, as a host proposes it.
Steinberg::Vst::SpeakerArrangement arrangementFor(int channels);

// A UTF-16 text of the VST3 interfaces as 8-bit text (the low byte of each unit).
std::string narrow(const Steinberg::Vst::TChar* text);

} // namespace vorla::host
