#pragma once

#include <vector>

#include "IPlugBase.h"
#include "IPlugVST3View.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "sdk/SingleComponentEffect.h"

// The VST3 binding: one object that is the plug-in core and, through the SDK base,
// the host's component, audio processor, edit controller and unit information.
// The product derives from it and fills in the core's engine hooks.
//
// Threads: process runs on the audio thread under the plug-in lock; initialize,
// the controller, unit and state operations run on the user-interface thread.
// setupProcessing and setBusArrangements take no lock: hosts call them while
// processing is stopped.
class IPlugVST3 : public IPlugBase, public Steinberg::Vst::SingleComponentEffect {
public:
    static constexpr Steinberg::Vst::ParamID kPresetParamId = 0x70727374;  // 'prst'
    static constexpr Steinberg::Vst::ParamID kBypassParamId = 0x62706173;  // 'bpas'

    IPlugVST3(const char* effectName, const char* productName, const char* makerName, uint32_t uniqueId,
              uint32_t makerId, int32_t version, const char* channelIO, int paramCount, int presetCount);
    ~IPlugVST3() override;

    // --- component and plug-in base
    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) SMTG_OVERRIDE;

    // --- audio processor
    Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                     Steinberg::int32 numIns,
                                                     Steinberg::Vst::SpeakerArrangement* outputs,
                                                     Steinberg::int32 numOuts) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) SMTG_OVERRIDE;
    Steinberg::uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE { return Steinberg::uint32(Latency()); }
    Steinberg::uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE { return Steinberg::uint32(TailSize()); }
    Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE;

    // --- edit controller
    Steinberg::tresult PLUGIN_API getParameterInfo(Steinberg::int32 paramIndex,
                                                   Steinberg::Vst::ParameterInfo& info) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getParamStringByValue(Steinberg::Vst::ParamID tag,
                                                        Steinberg::Vst::ParamValue valueNormalized,
                                                        Steinberg::Vst::String128 text) SMTG_OVERRIDE;
    Steinberg::Vst::ParamValue PLUGIN_API plainParamToNormalized(Steinberg::Vst::ParamID tag,
                                                                 Steinberg::Vst::ParamValue plain) SMTG_OVERRIDE;
    Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID tag) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID tag,
                                                     Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;
    // A view named "editor", made whether or not the plug-in has an editor.
    Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream*) SMTG_OVERRIDE
    {
        return Steinberg::kNotImplemented;
    }
    // The whole state (parameter block, then the host-bypass flag) travels here.
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* stream) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* stream) SMTG_OVERRIDE;

    // --- unit information
    Steinberg::int32 PLUGIN_API getUnitCount() SMTG_OVERRIDE { return 1 + ParamGroupCount(); }
    Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex, Steinberg::Vst::UnitInfo& info) SMTG_OVERRIDE;
    Steinberg::int32 PLUGIN_API getProgramListCount() SMTG_OVERRIDE { return 0; }
    Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                     Steinberg::Vst::ProgramListInfo& info) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                                 Steinberg::Vst::String128 name) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID, Steinberg::int32,
                                                 Steinberg::Vst::CString, Steinberg::Vst::String128) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID, Steinberg::int32) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID, Steinberg::int32, Steinberg::int16,
                                                      Steinberg::Vst::String128) SMTG_OVERRIDE;
    Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE { return Steinberg::Vst::kRootUnitId; }
    Steinberg::tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType, Steinberg::Vst::BusDirection,
                                               Steinberg::int32, Steinberg::int32,
                                               Steinberg::Vst::UnitID&) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setUnitProgramData(Steinberg::int32, Steinberg::int32,
                                                     Steinberg::IBStream*) SMTG_OVERRIDE;

    // --- the core's host-facing operations
    void BeginHostEdit(int paramIndex) override { beginEdit(Steinberg::Vst::ParamID(paramIndex)); }
    void PerformHostEdit(int paramIndex, double unitValue) override;
    void EndHostEdit(int paramIndex) override { endEdit(Steinberg::Vst::ParamID(paramIndex)); }
    bool OfflineRendering() override { return processSetup.processMode == Steinberg::Vst::kOffline; }
    int32_t TransportPosition() override { return int32_t(lastContext_.projectTimeSamples); }
    double TransportTempo() override { return lastContext_.tempo; }
    void TransportMeter(int32_t& numerator, int32_t& denominator) override;
    bool TransportSnapshot(TransportInfo& info) override;
    void EditorResized(int width, int height) override;
    void HostParamMenu(int paramIndex, int x, int y) override;
    void ChangeLatency(int32_t frames) override;
    bool EmitMidi(const MidiMessage&) override { return false; }

    OBJ_METHODS(IPlugVST3, SingleComponentEffect)
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(SingleComponentEffect)

    // Called by a view as it is destroyed.
    void ForgetViews() { views_.clear(); }

private:
    void IdentifyHostFrom(Steinberg::FUnknown* context);
    Steinberg::tresult ReadState(Steinberg::IBStream& stream);
    void AddBuses();
    void AddParameters();
    bool IsCoreParam(Steinberg::Vst::ParamID tag) const { return tag < Steinberg::Vst::ParamID(ParamCount()); }

    // process, in the order it runs
    void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
    void ApplyHostValue(Steinberg::Vst::ParamID id, double value);
    void ProcessPiece(Steinberg::Vst::ProcessData& data, int32_t offset, int32_t frames);
    void ConnectInputs(Steinberg::Vst::ProcessData& data, int32_t offset, int32_t frames, bool doubles);
    void ConnectOutputs(Steinberg::Vst::ProcessData& data, int32_t offset, bool doubles);
    void StoreConnectedOutputs(int32_t frames);

    // The host's views, in creation order; resize requests and context menus use
    // the first. Not owned: each view removes itself (with all others) as it dies.
    std::vector<IPlugVST3View*> views_;
    Steinberg::Vst::ProcessContext lastContext_ {};
    // The host float channels of one piece that the host supplied, in channel order
    // and offset into the block; sized at construction.
    std::vector<float*> pieceInputs_;
};
