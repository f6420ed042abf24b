#include "Renderer.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "AudioBlock.h"
#include "HostApplication.h"
#include "MemoryStream.h"

namespace vorla::render {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string Number(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace

std::unique_ptr<Renderer> Renderer::Open(const RenderOptions& options, std::string& error)
{
    std::unique_ptr<Renderer> renderer(new Renderer());
    renderer->blockSize = options.blockSize;
    renderer->sampleSize = options.doublePrecision ? kSample64 : kSample32;
    renderer->module = host::PluginModule::load(options.plugin, error);
    if (!renderer->module) return nullptr;
    renderer->instance = host::PluginInstance::createFirstEffect(renderer->module->factory(), error);
    if (!renderer->instance) return nullptr;
    if (!renderer->instance->controller()) {
        error = options.plugin + ": the plug-in is not its own edit controller";
        return nullptr;
    }
    auto context = owned(new host::HostApplication("vorla-render"));
    if (renderer->instance->initialize(static_cast<IHostApplication*>(context.get())) != kResultOk) {
        error = options.plugin + ": the plug-in refused to initialise";
        return nullptr;
    }
    if (!options.stateIn.empty() && !renderer->RestoreState(options.stateIn, error)) return nullptr;
    if (!renderer->QueueSettings(options, error)) return nullptr;
    return renderer;
}

bool Renderer::RestoreState(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto stream = owned(new host::MemoryStream(std::move(bytes)));
    if (instance->controller()->setState(stream) != kResultOk) {
        error = path + ": the plug-in could not restore this state";
        return false;
    }
    return true;
}

// Each setting is a plain value, as the plug-in displays it, checked against the
// parameter's range before anything is rendered.
bool Renderer::QueueSettings(const RenderOptions& options, std::string& error)
{
    IEditController* controller = instance->controller();
    firstChanges = owned(new host::ParameterChanges());
    for (const auto& [name, value] : options.settings) {
        const long long id = instance->findParameter(name);
        if (id < 0) {
            error = "unknown parameter '" + name + "'";
            return false;
        }
        const ParamID tag = ParamID(id);
        const double low = controller->normalizedParamToPlain(tag, 0.0);
        const double high = controller->normalizedParamToPlain(tag, 1.0);
        if (value < std::min(low, high) || value > std::max(low, high)) {
            error = name + "=" + Number(value) + " is out of range (" + Number(low) + " to " + Number(high) + ")";
            return false;
        }
        firstChanges->add(tag, 0, controller->plainParamToNormalized(tag, value));
    }
    return true;
}

bool Renderer::Prepare(int channelCount, double sampleRate, std::string& error)
{
    if (channelCount != 1 && channelCount != 2) {
        error = "unsupported channel count " + std::to_string(channelCount) + " (mono or stereo only)";
        return false;
    }
    channels = channelCount;
    if (instance->prepare(sampleRate, blockSize, sampleSize, channels) != kResultOk) {
        error = "the plug-in refused " + std::to_string(channels) + " channels at " + Number(sampleRate) + " Hz";
        return false;
    }
    return true;
}

void Renderer::Process(Sound& sound, const std::function<void(double)>& progress)
{
    host::AudioBlock block(channels, blockSize, sampleSize);
    const long long total = sound.frames();
    long long done = 0;
    do {
        const int frames = int(std::min<long long>(blockSize, total - done));
        double* samples = sound.samples.data() + done * channels;
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c) block.setInput(c, i, samples[i * channels + c]);
        ProcessData& data = block.processData(frames, done == 0 ? firstChanges.get() : nullptr);
        const auto start = std::chrono::steady_clock::now();
        instance->process(data);
        processingSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c) samples[i * channels + c] = block.output(c, i);
        done += frames;
        if (progress) progress(total ? double(done) / double(total) : 1.0);
    } while (done < total);
}

bool Renderer::SaveState(const std::string& path, std::string& error)
{
    auto stream = owned(new host::MemoryStream());
    if (instance->controller()->getState(stream) != kResultOk) {
        error = "the plug-in could not save its state";
        return false;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(stream->bytes().data()), std::streamsize(stream->bytes().size()));
    if (!file.flush()) {
        error = "the write failed";
        return false;
    }
    return true;
}

}  // namespace vorla::render
