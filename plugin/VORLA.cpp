#include "VORLA.h"

#include "FourCC.h"
#include "PluginEntry.h"
#include "VorlaEditor.h"
#include "VorlaVersion.h"

namespace {

constexpr uint32_t kUniqueId = FourCC("VRL1");
constexpr uint32_t kMakerId = FourCC("Qlmh");
constexpr int32_t kVersion = kVorlaVersionCode;
constexpr int kPresetCount = 1;

IPlugVST3* CreateVorla() { return new VORLA(); }

}  // namespace

const PluginClassRecord& ProductClassRecord()
{
    static const PluginClassRecord record {
        "VORLA",
        "Quillmarsh",
        "https://www.quillmarsh.example/vorla",
        "support@quillmarsh.example",
        "Fx|EQ",
        kVorlaVersionText,
        kMakerId,
        kUniqueId,
        CreateVorla,
    };
    return record;
}

VORLA::VORLA()
    : IPlugVST3("VORLA", "", "Quillmarsh", kUniqueId, kMakerId, kVersion, "1-1 2-2", kParamCount, kPresetCount),
      engine_(LiveParamValues {Param(kHpf)->ValueAddress(), Param(kLpf)->ValueAddress(),
                               Param(kBypass)->ValueAddress()})
{
    DefineParameters(*this);
    AttachEditor(BuildVorlaEditor(*this, ProductClassRecord().url));
    CaptureDefaultPreset();
}

VORLA::~VORLA() = default;

// In this order; the host's initialize recalls the default preset, which delivers
// every value to the engine before the first block. Out is in whole decibels, so it
// is a stepped kind like the switches: every unit value it takes (from a host, from
// the editor) snaps to a whole decibel, and hosts are told its 24 steps.
void VORLA::DefineParameters(IPlugBase& plug)
{
    plug.Param(kBypass)->DefineInteger("Bypass", 0, 0, 1);
    plug.Param(kOversample)->DefineInteger("Oversample", 1, 0, 1);
    plug.Param(kHigh)->DefineContinuous("High", 0.5, 0.0, 1.0, 0.01, "%");
    plug.Param(kHigh)->SetCurve(1.0);
    plug.Param(kHpf)->DefineInteger("HPF", 0, 0, 5);
    plug.Param(kHpf)->SetCurve(1.0);
    plug.Param(kLowBoost)->DefineContinuous("Low Boost", 0.001, 0.001, 0.9, 0.01, "%");
    plug.Param(kLowBoost)->SetCurve(1.0);
    plug.Param(kLowAtten)->DefineContinuous("Low Atten", 0.0, 0.0, 1.0, 0.01, "%");
    plug.Param(kLowAtten)->SetCurve(1.0);
    plug.Param(kLpf)->DefineContinuous("LPF", 0.01, 0.01, 1.0, 0.01, "%");
    plug.Param(kLpf)->SetCurve(1.0);
    plug.Param(kMid)->DefineContinuous("Mid", 0.5, 0.02, 0.98, 0.01, "%");
    plug.Param(kMid)->SetCurve(1.0);
    plug.Param(kOut)->DefineInteger("Out", 0, -12, 12, "%");
    plug.Param(kOut)->SetCurve(1.0);
}

void VORLA::ResetEngine()
{
    PlugLock::Guard guard(Lock());
    engine_.Reset();
}

// HPF and Bypass need nothing here: the engine reads their records every sample.
void VORLA::ParamChanged(int paramIndex)
{
    PlugLock::Guard guard(Lock());
    const PlugParam* param = Param(paramIndex);
    if (!param) return;
    const double value = param->Value();
    switch (paramIndex) {
    case kHigh: engine_.SetHigh(value); break;
    case kLowBoost: engine_.SetLowBoost(value); break;
    case kLowAtten: engine_.SetLowAtten(value); break;
    case kLpf: engine_.SetLpf(value); break;
    case kMid: engine_.SetMid(value); break;
    case kOut: engine_.SetOutDb(value); break;
    case kOversample: engine_.SetOversample(value); break;
    default: break;
    }
}

// Called from process, which holds the plug-in lock for the whole block.
void VORLA::ProcessBlock(double** inputs, double** outputs, int32_t frames)
{
    engine_.ProcessBlock(inputs, outputs, frames, SampleRate());
}
