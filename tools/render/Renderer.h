#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ParameterChanges.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "RenderOptions.h"
#include "SoundFile.h"

namespace vorla::render {

// Runs sound through one plug-in instance as a host would: state restored first,
// the requested settings sent as parameter changes with the first block, then the
// audio block by block.
class Renderer {
public:
    // Loads the plug-in, restores --state-in and checks every --set against the
    // plug-in's parameters; null with a message in `error` on any problem.
    static std::unique_ptr<Renderer> Open(const RenderOptions& options, std::string& error);

    // Mono or stereo only, at the sound's rate.
    bool Prepare(int channels, double sampleRate, std::string& error);
    // Processes the sound in place; `progress` hears the fraction done after each block.
    void Process(Sound& sound, const std::function<void(double)>& progress = nullptr);
    // Wall-clock time spent inside the plug-in's process calls.
    double ProcessingSeconds() const { return processingSeconds; }
    // False with the reason in `error` when the state cannot be saved to `path`.
    bool SaveState(const std::string& path, std::string& error);

private:
    Renderer() = default;
    bool RestoreState(const std::string& path, std::string& error);
    bool QueueSettings(const RenderOptions& options, std::string& error);

    // The instance is released before the module that holds its code.
    std::unique_ptr<host::PluginModule> module;
    std::unique_ptr<host::PluginInstance> instance;
    Steinberg::IPtr<host::ParameterChanges> firstChanges;
    int blockSize = 512;
    Steinberg::int32 sampleSize = Steinberg::Vst::kSample32;
    int channels = 0;
    double processingSeconds = 0.0;
};

}  // namespace vorla::render
