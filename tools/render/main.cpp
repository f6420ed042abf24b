// vorla-render: renders a sound file, or a built-in test signal, through the
// plug-in as a host would. See Usage() for the command line.
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "ProgressBar.h"
#include "RenderOptions.h"
#include "Renderer.h"
#include "SoundFile.h"
#include "TestSignal.h"

using namespace vorla::render;

namespace {

constexpr double kLongFileSeconds = 10.0;  // longer files show a progress bar

int Fail(const std::string& message)
{
    std::fprintf(stderr, "vorla-render: %s\n", message.c_str());
    return 1;
}

bool WantsHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) return true;
    return false;
}

void PrintResponse(const Sound& processed, double processingSeconds)
{
    std::printf("%s", FormatResponse(TestSignal::ResponseDb(processed)).c_str());
    const double audioSeconds = double(processed.frames()) / processed.sampleRate;
    std::printf("speed: %.1f x real time (%.1f s of audio in %.3f s)\n", audioSeconds / processingSeconds,
                audioSeconds, processingSeconds);
}

}  // namespace

int main(int argc, char** argv)
{
    if (WantsHelp(argc, argv)) {
        std::printf("%s", Usage());
        return 0;
    }
    RenderOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, VORLA_DEFAULT_PLUGIN, options, error)) {
        std::fprintf(stderr, "vorla-render: %s\n%s", error.c_str(), Usage());
        return 2;
    }

    const bool builtIn = options.input.empty();
    Sound sound;
    if (builtIn)
        sound = TestSignal::Make();
    else if (!ReadSound(options.input, sound, error))
        return Fail(error);
    const int format = options.output.empty() ? 0 : OutputFormatFor(options.output, sound);
    if (!options.output.empty() && format == 0)
        return Fail("cannot tell the kind of file from " + options.output + " (use .wav, .flac, .aif or .aiff)");

    auto renderer = Renderer::Open(options, error);
    if (!renderer || !renderer->Prepare(sound.channels, sound.sampleRate, error)) return Fail(error);
    {
        ProgressBar bar(stderr, !builtIn && sound.frames() > kLongFileSeconds * sound.sampleRate);
        renderer->Process(sound, [&bar](double fraction) { bar.Update(fraction); });
    }

    // Nothing appears under the requested names unless everything was written.
    std::optional<PendingFile> audioFile, stateFile;
    if (!options.output.empty()) {
        audioFile.emplace(options.output);
        if (!WriteSound(audioFile->temporaryPath(), format, sound, error))
            return Fail("cannot write " + options.output + ": " + error);
    }
    if (!options.stateOut.empty()) {
        stateFile.emplace(options.stateOut);
        if (!renderer->SaveState(stateFile->temporaryPath(), error))
            return Fail("cannot write " + options.stateOut + ": " + error);
    }
    if ((audioFile && !audioFile->commit(error)) || (stateFile && !stateFile->commit(error))) return Fail(error);

    if (builtIn) PrintResponse(sound, renderer->ProcessingSeconds());
    return 0;
}
