#pragma once

#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

namespace Steinberg {
namespace Vst {

// One object that is at once the component, the audio processor and the edit
// controller (with units) of a plug-in, for effects whose processor and controller
// never run apart. The packaged SDK lacks this base; this is our own with the
// behaviour plug-ins built on it expect.
//
// IComponent and IEditController both declare getState/setState with one signature,
// so a single C++ override would answer both. The component face is therefore a
// small tear-off member: its state calls answer kNotImplemented, and the state of
// the whole object travels through the controller's getState/setState, which
// subclasses override as usual.
class SingleComponentEffect : public EditControllerEx1, public IAudioProcessor {
public:
    SingleComponentEffect();
    ~SingleComponentEffect() override;

    // Buses: each add returns the new bus, owned by its list.
    AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arrangement,
                            BusType busType = kMain, int32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arrangement,
                             BusType busType = kMain, int32 flags = BusInfo::kDefaultActive);
    void removeAudioInputs() { audioInputs.clear(); }
    void removeAudioOutputs() { audioOutputs.clear(); }
    BusList* getBusList(MediaType type, BusDirection dir);

    // IPluginBase (shared by the component and the controller face)
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    // The component's operations, reached through the component face.
    virtual tresult PLUGIN_API getControllerClassId(TUID classId);
    virtual tresult PLUGIN_API setIoMode(IoMode mode);
    virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir);
    virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& info);
    virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo);
    virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state);
    virtual tresult PLUGIN_API setActive(TBool state);

    // IAudioProcessor
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) SMTG_OVERRIDE;
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
    uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE { return 0; }
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
    uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE { return kNoTail; }

    OBJ_METHODS(SingleComponentEffect, EditControllerEx1)
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(EditControllerEx1)

protected:
    BusList audioInputs;
    BusList audioOutputs;
    BusList eventInputs;
    BusList eventOutputs;
    ProcessSetup processSetup;

private:
    class ComponentFace : public IComponent {
    public:
        explicit ComponentFace(SingleComponentEffect& owner) : owner(owner) {}
        tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
        uint32 PLUGIN_API addRef() SMTG_OVERRIDE { return owner.addRef(); }
        uint32 PLUGIN_API release() SMTG_OVERRIDE { return owner.release(); }
        tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
        tresult PLUGIN_API terminate() SMTG_OVERRIDE;
        tresult PLUGIN_API getControllerClassId(TUID classId) SMTG_OVERRIDE;
        tresult PLUGIN_API setIoMode(IoMode mode) SMTG_OVERRIDE;
        int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) SMTG_OVERRIDE;
        tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& info) SMTG_OVERRIDE;
        tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
        tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) SMTG_OVERRIDE;
        tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
        tresult PLUGIN_API setState(IBStream*) SMTG_OVERRIDE { return kNotImplemented; }
        tresult PLUGIN_API getState(IBStream*) SMTG_OVERRIDE { return kNotImplemented; }

    private:
        SingleComponentEffect& owner;
    };

    Bus* findBus(MediaType type, BusDirection dir, int32 index);

    ComponentFace componentFace;
};

} // namespace Vst
} // namespace Steinberg
