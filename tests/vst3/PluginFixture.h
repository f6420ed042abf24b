#pragma once

// Shared set-up of the end-to-end tests: the built module, loaded once per test
// program through the host library, and fresh instances of its class. The module
// path is compiled in and can be overridden with the environment variable
// VORLA_PLUGIN (the Windows suite points it at the DLL). Core parameters are named
// by the product's own indices (ParamIndex::kOut and so on).
#include <memory>
#include <string>
#include <vector>

#include "AudioBlock.h"
#include "HostApplication.h"
#include "ParameterChanges.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "ParamIndex.h"

namespace vorla::test {

constexpr Steinberg::Vst::ParamID kPresetId = 0x70727374;
constexpr Steinberg::Vst::ParamID kBypassId = 0x62706173;

host::PluginModule& Module();

// A new instance, initialised with a named host context unless asked otherwise.
std::unique_ptr<host::PluginInstance> NewInstance(bool initialise = true);

// A new instance, initialised and set up for symmetric buses.
std::unique_ptr<host::PluginInstance> PreparedInstance(double sampleRate, int maxBlock,
                                                       Steinberg::int32 sampleSize, int channels = 2);

// Runs one block of the given length through the instance, with optional changes.
void ProcessBlock(host::PluginInstance& plugin, host::AudioBlock& block, int frames,
                  host::ParameterChanges* changes = nullptr);

// Channel outputs of a run of blocks, channel by channel.
using Rendering = std::vector<std::vector<double>>;

// A deterministic broadband test signal, exactly representable as floats.
double Signal(int channel, int frame);

// Fills the first `frames` input samples of every channel with the signal from
// `startFrame` on.
void Fill(host::AudioBlock& block, int startFrame, int frames);

// Output of `blocks` host blocks of `frames` through the instance, the signal at its
// input, and the changes (if any) in the first block.
Rendering Render(host::PluginInstance& plugin, host::AudioBlock& block, int frames, int blocks,
                 host::ParameterChanges* firstChanges = nullptr);

// A one-point change list: the value applies to the next block.
Steinberg::IPtr<host::ParameterChanges> Change(Steinberg::Vst::ParamID id, double value);

}  // namespace vorla::test
