#pragma once

#include <vector>

#include "FourCC.h"
#include "IPlugBase.h"

// A plug-in core with the product's identity and parameter set, recording what
// reaches the host-facing operations.
class TestPlug : public IPlugBase {
public:
    enum { kHigh, kHpf, kLowBoost, kLowAtten, kLpf, kMid, kOut, kOversample, kBypass, kSpare, kParamCount };

    struct HostEdit {
        int index;
        double unitValue;
    };

    explicit TestPlug(const char* channelIO = "1-1 2-2", int presetCount = 1)
        : IPlugBase("VORLA", "", "Quillmarsh", FourCC("VRL1"), FourCC("Qlmh"), 0x10000, channelIO, kParamCount,
                    presetCount)
    {
        Param(kBypass)->DefineInteger("Bypass", 0, 0, 1);
        Param(kOversample)->DefineInteger("Oversample", 1, 0, 1);
        Param(kHigh)->DefineContinuous("High", 0.5, 0.0, 1.0, 0.01, "%");
        Param(kHpf)->DefineInteger("HPF", 0, 0, 5);
        Param(kLowBoost)->DefineContinuous("Low Boost", 0.001, 0.001, 0.9, 0.01, "%");
        Param(kLowAtten)->DefineContinuous("Low Atten", 0.0, 0.0, 1.0, 0.01, "%");
        Param(kLpf)->DefineContinuous("LPF", 0.01, 0.01, 1.0, 0.01, "%");
        Param(kMid)->DefineContinuous("Mid", 0.5, 0.02, 0.98, 0.01, "%");
        Param(kOut)->DefineContinuous("Out", 0.0, -12.0, 12.0, 1.0, "%");
    }

    void ParamChanged(int index) override
    {
        IPlugBase::ParamChanged(index);
        changed.push_back(index);
    }

    void PerformHostEdit(int index, double unitValue) override { edits.push_back({index, unitValue}); }
    void BeginHostEdit(int) override {}
    void EndHostEdit(int) override {}
    int32_t TransportPosition() override { return 0; }
    double TransportTempo() override { return 120.0; }
    void TransportMeter(int32_t& numerator, int32_t& denominator) override { numerator = denominator = 4; }
    bool TransportSnapshot(TransportInfo&) override { return false; }
    void EditorResized(int, int) override {}
    bool EmitMidi(const MidiMessage&) override { return false; }

    std::vector<int> changed;
    std::vector<HostEdit> edits;
};
