#pragma once

#include "EqualiserEngine.h"
#include "IPlugVST3.h"
#include "ParamIndex.h"

// The product: a stereo (or mono) equaliser modelled on a passive analogue circuit.
// It defines the parameter set, builds its editor panel and the default preset, and
// hands parameter changes, resets and blocks to its engine under the plug-in lock.
class VORLA : public IPlugVST3 {
public:
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
