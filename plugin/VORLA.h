#pragma once

#include "EqualiserEngine.h"
#include "IPlugVST3.h"

// The product: a stereo (or mono) equaliser modelled on a passive analogue circuit.
// It defines the parameter set and the default preset and hands parameter changes,
// resets and blocks to its engine under the plug-in lock.
class VORLA : public IPlugVST3 {
public:
    // Parameter indices: what the state block, the host tags and the controls use.
    enum ParamIndex {
        kHigh = 0,
        kHpf,
        kLowBoost,
        kLowAtten,
        kLpf,
        kMid,
        kOut,
        kOversample,
        kBypass,
        kSpare,  // never defined; serialised with the others
        kParamCount
    };

    VORLA();
    ~VORLA() override;

    void ResetEngine() override;
    void ParamChanged(int paramIndex) override;
    void ProcessBlock(double** inputs, double** outputs, int32_t frames) override;

    // Defines the product's parameter set on a core with kParamCount records. The
    // constructor uses it; so do tests of the core that need the product's table.
    static void DefineParameters(IPlugBase& plug);

private:
    EqualiserEngine engine_;
};
