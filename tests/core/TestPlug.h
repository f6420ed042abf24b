#pragma once

#include <vector>

#include "FourCC.h"
#include "IPlugBase.h"
#include "VORLA.h"

// A plug-in core with the product's identity and parameter set, recording what
// reaches the host-facing operations. The channel configuration and the number of
// presets vary by test.
class TestPlug : public IPlugBase {
public:
    struct HostEdit {
        int index;
        double unitValue;
    };

    explicit TestPlug(const char* channelIO = "1-1 2-2", int presetCount = 1)
        : IPlugBase("VORLA", "", "Quillmarsh", FourCC("VRL1"), FourCC("Qlmh"), 0x10000, channelIO,
                    ParamIndex::kParamCount, presetCount)
    {
        VORLA::DefineParameters(*this);
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
