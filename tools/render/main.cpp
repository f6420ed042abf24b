// vorla-render: renders a sound file, or a built-in test signal, through the
// plug-in as a host would. See Usage() for the command line.
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "ProgressBar.h"
#include "RenderOptions.h"
#include "ResponsePlot.h"
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

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// What the plot was measured at, in the words of the command line.
ResponseCurve MeasuredCurve(const RenderOptions& options, const Sound& processed)
{
    ResponseCurve curve;
    curve.frequencies = TestSignal::SweepFrequencies();
    curve.gainsDb = TestSignal::ResponseDb(processed, curve.frequencies);
    curve.title = "Magnitude response through the plug-in";
    std::string settings;
    for (const auto& [name, value] : options.settings)
        settings += (settings.empty() ? "" : ", ") + name + "=" + Number(value);
    const std::string rest = options.stateIn.empty() ? "at their defaults" : "as in " + options.stateIn;
    curve.subtitle = (settings.empty() ? "All parameters " + rest : settings + "; the others " + rest) + ". " +
                     Number(processed.sampleRate / 1000.0) + " kHz.";
    return curve;
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

    const bool plotting = !options.plot.empty();
    const bool builtIn = options.input.empty();
    const PlotFormat plotFormat = PlotFormatFor(options.plot);
    if (plotting && plotFormat == PlotFormat::kNone)
        return Fail("cannot tell the kind of picture from " + options.plot + " (use .svg or .png)");
    Sound sound;
    if (plotting)
        sound = TestSignal::Make(TestSignal::SweepFrequencies());
    else if (builtIn)
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
    std::optional<PendingFile> audioFile, stateFile, plotFile;
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
    if (plotting) {
        plotFile.emplace(options.plot);
        if (!WriteResponsePlot(plotFile->temporaryPath(), plotFormat, MeasuredCurve(options, sound), error))
            return Fail("cannot write " + options.plot + ": " + error);
    }
    for (auto* file : {&audioFile, &stateFile, &plotFile})
        if (*file && !(*file)->commit(error)) return Fail(error);

    if (builtIn && !plotting) PrintResponse(sound, renderer->ProcessingSeconds());
    return 0;
}
