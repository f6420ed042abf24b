// The edit-controller, unit and state faces of the VST3 binding. Core parameters
// are addressed by their index as the tag; the preset and bypass parameters exist
// only for the host.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "HostCall.h"
#include "HostValue.h"
#include "IPlugVST3.h"
#include "WideText.h"
#include "pluginterfaces/base/ibstream.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

// The SDK container looks parameters up with a checked index that throws, and no
// exception may reach the host.
tresult PLUGIN_API IPlugVST3::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
    if (paramIndex < 0 || paramIndex >= parameters.getParameterCount()) return kResultFalse;
    return SingleComponentEffect::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API IPlugVST3::getParamStringByValue(ParamID tag, ParamValue valueNormalized, String128 text)
{
    if (!IsCoreParam(tag) || !text) return kResultFalse;
    const PlugParam* param = Param(int(tag));
    char plainText[128];
    param->FormatPlain(param->FromUnit(valueNormalized), plainText, sizeof plainText);
    WidenText(plainText, text);
    return kResultOk;
}

ParamValue PLUGIN_API IPlugVST3::plainParamToNormalized(ParamID tag, ParamValue plain)
{
    return IsCoreParam(tag) ? Param(int(tag))->ToUnit(plain) : plain;
}

ParamValue PLUGIN_API IPlugVST3::getParamNormalized(ParamID tag)
{
    if (tag == kBypassParamId) return Bypassed() ? 1.0 : 0.0;
    return IsCoreParam(tag) ? Param(int(tag))->UnitValue() : 0.0;
}

// The host's own setting of a value: stored without the lock and without telling
// the engine, which hears of changes through process.
tresult PLUGIN_API IPlugVST3::setParamNormalized(ParamID tag, ParamValue value)
{
    if (!IsCoreParam(tag)) return kResultFalse;
    const std::optional<double> normalised = NormalisedFromHost(value);
    if (!normalised) return kInvalidArgument;
    Param(int(tag))->AssignUnit(*normalised);
    return kResultOk;
}

// The stream holds the core's state chunk, then the host-bypass flag as a 32-bit
// integer, in the machine's byte order and with no header. The state is copied under
// the plug-in lock and the host's stream, often a file, is talked to outside it: a
// project save or load must not hold up the audio thread.
tresult PLUGIN_API IPlugVST3::getState(IBStream* stream)
{
    if (!stream) return kResultFalse;
    return HostCall([&] {
        StateChunk chunk;
        int32_t bypassFlag = 0;
        {
            PlugLock::Guard guard(Lock());
            if (!SaveState(chunk)) return kResultFalse;
            bypassFlag = Bypassed() ? 1 : 0;
        }
        stream->write(chunk.Data(), chunk.Size(), nullptr);
        stream->write(&bypassFlag, sizeof bypassFlag, nullptr);
        return kResultOk;
    });
}

// As many bytes are read as the current state has. Bytes the stream does not
// deliver keep their part of the state as it is when the new state is applied, so a
// short stream leaves the parameters it does not reach alone.
tresult PLUGIN_API IPlugVST3::setState(IBStream* stream)
{
    if (!stream) return kResultFalse;
    return HostCall([&] { return ReadState(*stream); });
}

tresult IPlugVST3::ReadState(IBStream& stream)
{
    StateChunk incoming;
    {
        PlugLock::Guard guard(Lock());
        SaveState(incoming);
    }
    const int32_t size = incoming.Size();
    if (size <= 0) return kResultFalse;
    int32 delivered = size;  // a stream that does not count is taken to have filled the chunk
    stream.read(incoming.Data(), size, &delivered);
    int32_t bypassFlag = 0;
    const bool flagRead = stream.read(&bypassFlag, sizeof bypassFlag, nullptr) == kResultOk;

    PlugLock::Guard guard(Lock());
    StateChunk chunk;
    SaveState(chunk);
    const int32_t copied = std::clamp(delivered, 0, std::min(size, chunk.Size()));
    if (copied > 0) std::memcpy(chunk.Data(), incoming.Data(), size_t(copied));
    LoadState(chunk, 0);
    if (!flagRead) return kResultFalse;
    SetBypassed(bypassFlag != 0);
    RefreshEditorControls();
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
    if (unitIndex < 0 || unitIndex > ParamGroupCount()) return kResultFalse;
    info.id = unitIndex;
    info.parentUnitId = unitIndex == 0 ? kNoParentUnitId : kRootUnitId;
    WidenText(unitIndex == 0 ? "Root Unit" : ParamGroup(unitIndex - 1), info.name);
    info.programListId = kNoProgramListId;
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
    if (listIndex != 0) return kResultFalse;
    info.id = kPresetParamId;
    WidenText("Factory Presets", info.name);
    info.programCount = PresetCount();
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
    if (listId != ProgramListID(kPresetParamId) || !name) return kResultFalse;
    const PresetRecord* preset = Preset(programIndex);
    WidenText(preset ? preset->Name() : "", name);
    return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::hasProgramPitchNames(ProgramListID, int32) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::getProgramPitchName(ProgramListID, int32, int16, String128) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::selectUnit(UnitID) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::setUnitProgramData(int32, int32, IBStream*) { return kNotImplemented; }
