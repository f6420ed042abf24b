// State of IPlugBase: the parameter block that hosts and presets store, and the
// presets themselves.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "IPlugBase.h"

namespace {
const char kUserPresetName[] = "user preset";
const char kDefaultPresetName[] = "-";
}

// The block is every parameter's plain value as an 8-byte double, in index order,
// with no header: the reader knows the count from its own parameter list.
bool IPlugBase::SerializeParams(StateChunk& chunk)
{
    PlugLock::Guard guard(lock_);
    for (int i = 0; i < ParamCount(); ++i)
        if (!chunk.PutDouble(Param(i)->Value())) return false;
    return true;
}

// Returns the position after the block, or -1 when the data ran out. The parameter
// whose value was missing gets Assign(0.0), those after it keep their values, and
// every parameter is announced to the product either way.
int32_t IPlugBase::UnserializeParams(const StateChunk& chunk, int32_t position)
{
    PlugLock::Guard guard(lock_);
    for (int i = 0; i < ParamCount() && position >= 0; ++i) {
        double value = 0.0;
        position = chunk.GetDouble(value, position);
        Param(i)->Assign(value);
    }
    for (int i = 0; i < ParamCount(); ++i) ParamChanged(i);
    return position;
}

// Compares in single precision, so values that differ only below float resolution
// match. `startIndex` counts doubles, not bytes; a chunk too short to hold a value
// for every parameter does not match.
bool IPlugBase::StateMatches(const StateChunk& chunk, int32_t startIndex) const
{
    if (startIndex < 0) return false;
    for (int i = 0; i < ParamCount(); ++i) {
        const int64_t byteOffset = (int64_t(startIndex) + i) * int64_t(sizeof(double));
        double stored = 0.0;
        if (byteOffset > INT32_MAX || chunk.GetDouble(stored, int32_t(byteOffset)) < 0) return false;
        if (std::fabs(float(stored) - float(Param(i)->Value())) >= 1e-5f) return false;
    }
    return true;
}

void IPlugBase::CaptureDefaultPreset()
{
    for (int i = 0; i < PresetCount(); ++i) {
        PresetRecord* preset = Preset(i);
        if (preset->Initialised()) continue;
        preset->MarkInitialised();
        preset->SetName(kDefaultPresetName);
        SaveState(preset->Content());
        return;
    }
}

// Recalling a preset that was never filled captures the current state into it under
// a fresh "user preset N" name instead; the parameters then stay as they are.
bool IPlugBase::LoadPreset(int index)
{
    PresetRecord* preset = Preset(index);
    if (!preset) return false;

    bool restored;
    if (preset->Initialised()) {
        restored = LoadState(preset->Content(), 0) > 0;
    } else {
        preset->MarkInitialised();
        char name[PresetRecord::kNameSize];
        std::snprintf(name, sizeof name, "%s %d", kUserPresetName, CountPresetsNamed(kUserPresetName) + 1);
        preset->SetName(name);
        restored = SaveState(preset->Content());
    }
    if (!restored) return false;

    currentPreset_ = index;
    PresetRestored();
    RefreshEditorControls();
    return true;
}

int IPlugBase::CountPresetsNamed(const char* text) const
{
    int count = 0;
    for (int i = 0; i < PresetCount(); ++i)
        if (std::strstr(Preset(i)->Name(), text)) ++count;
    return count;
}
