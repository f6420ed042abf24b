// vorla-render run as a user runs it: the response table, processed files, saved
// state, and errors that leave nothing behind.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "DecodePng.h"
#include "ResponsePlot.h"
#include "RunCommand.h"
#include "TestFiles.h"

namespace {

using Result = vorla::test::CommandResult;

Result RunRender(const std::string& arguments) { return vorla::test::RunCommand(VORLA_RENDER " " + arguments); }

class RenderCli : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir / name; }
    std::vector<std::string> Files() const { return vorla::test::FilesBelow(dir.path()); }

    void WriteSound(const std::string& name, int format, int channels, const std::vector<float>& samples)
    {
        SF_INFO info {};
        info.channels = channels;
        info.samplerate = 44100;
        info.format = format;
        SNDFILE* file = sf_open(Path(name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels);
        sf_close(file);
    }

    std::vector<float> ReadSound(const std::string& name, SF_INFO& info)
    {
        SNDFILE* file = sf_open(Path(name).c_str(), SFM_READ, &info);
        EXPECT_NE(file, nullptr) << name;
        if (!file) return {};
        std::vector<float> samples(size_t(info.frames * info.channels));
        sf_readf_float(file, samples.data(), info.frames);
        sf_close(file);
        return samples;
    }

    vorla::test::ScratchFolder dir;
};

std::vector<float> Noise(size_t count)
{
    std::vector<float> samples(count);
    unsigned state = 12345;
    for (float& s : samples) {
        state = state * 1103515245u + 12345u;
        s = float((state >> 8) & 0xFFFF) / 65536.0f - 0.5f;
    }
    return samples;
}

}  // namespace

TEST_F(RenderCli, WithoutArgumentsPrintsTheResponseAndSpeed)
{
    const Result result = RunRender("");
    ASSERT_EQ(result.status, 0) << result.output;
    for (const char* row : {"20 Hz", "100 Hz", "1 kHz", "5 kHz", "16 kHz", "x real time"})
        EXPECT_NE(result.output.find(row), std::string::npos) << row << " in\n" << result.output;
    double oneKilohertz = 0.0;
    const size_t at = result.output.find("1 kHz");
    ASSERT_EQ(std::sscanf(result.output.c_str() + at, "1 kHz %lf dB", &oneKilohertz), 1);
    EXPECT_NEAR(oneKilohertz, 0.02, 0.01);
}

TEST_F(RenderCli, BypassedStereoFloatFileComesOutUnchanged)
{
    const std::vector<float> input = Noise(2 * 5000);
    WriteSound("in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, input);
    const Result result = RunRender("--set Bypass=1 --block 333 " + Path("in.wav") + " " + Path("out.wav"));
    ASSERT_EQ(result.status, 0) << result.output;
    SF_INFO info {};
    EXPECT_EQ(ReadSound("out.wav", info), input);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(info.samplerate, 44100);
}

TEST_F(RenderCli, MonoFileIsProcessedAtItsOwnRate)
{
    WriteSound("in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, Noise(3000));
    ASSERT_EQ(RunRender("--double " + Path("in.flac") + " " + Path("loud.aiff")).status, 0);
    const Result result = RunRender("--double --set Out=-12 " + Path("in.flac") + " " + Path("quiet.aiff"));
    ASSERT_EQ(result.status, 0) << result.output;
    SF_INFO info {};
    const std::vector<float> loud = ReadSound("loud.aiff", info);
    const std::vector<float> quiet = ReadSound("quiet.aiff", info);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.frames, 3000);
    EXPECT_EQ(info.format, SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
    ASSERT_EQ(loud.size(), quiet.size());
    const double scale = std::pow(10.0, -0.6);
    for (size_t i = 0; i < loud.size(); ++i) {
        if (std::fabs(loud[i]) >= 0.999f) continue;  // the louder render clipped here
        ASSERT_NEAR(quiet[i], loud[i] * scale, 2.0 / 32768) << i;
    }
}

TEST_F(RenderCli, StateOutRecordsTheSettingsAndStateInRestoresThem)
{
    ASSERT_EQ(RunRender("--set Out=-6 --set HPF=2 --state-out " + Path("vorla.state")).status, 0);
    std::ifstream file(Path("vorla.state"), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 84u);
    double hpf = 0.0, out = 0.0;
    std::memcpy(&hpf, bytes.data() + 8, 8);
    std::memcpy(&out, bytes.data() + 48, 8);
    EXPECT_EQ(hpf, 2.0);
    EXPECT_EQ(out, -6.0);

    const Result restored = RunRender("--state-in " + Path("vorla.state"));
    ASSERT_EQ(restored.status, 0) << restored.output;
    double oneKilohertz = 0.0;
    ASSERT_EQ(std::sscanf(restored.output.c_str() + restored.output.find("1 kHz"), "1 kHz %lf", &oneKilohertz), 1);
    EXPECT_NEAR(oneKilohertz, -6.0, 0.2);
}

TEST_F(RenderCli, ErrorsExplainThemselvesAndLeaveNoFiles)
{
    WriteSound("three.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3, Noise(3 * 100));
    WriteSound("in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, Noise(2 * 100));
    const struct {
        std::string arguments;
        const char* message;
    } cases[] = {
        {Path("missing.wav") + " " + Path("out.wav"), "cannot read"},
        {"--set Loudness=3 " + Path("in.wav") + " " + Path("out.wav"), "unknown parameter"},
        {"--set Out=13 " + Path("in.wav") + " " + Path("out.wav"), "out of range"},
        {Path("three.wav") + " " + Path("out.wav"), "unsupported channel count 3"},
        {Path("in.wav") + " " + Path("out.mp9"), "kind of file"},
        {"--plugin " + Path("nothing.vst3") + " " + Path("out.wav"), "nothing"},
        {"--state-in " + Path("missing.state") + " --state-out " + Path("s") + " " + Path("out.wav"), "cannot read"},
        {"--block 0 " + Path("out.wav"), "--block"},
        {"--plot " + Path("response.gif"), "kind of picture"},
        {"--plot " + Path("response.png") + " " + Path("in.wav") + " " + Path("out.wav"), "no sound files"},
        {"--plot " + Path("response.png") + " --set Mid=2", "out of range"},
    };
    for (const auto& c : cases) {
        const Result result = RunRender(c.arguments);
        EXPECT_NE(result.status, 0) << c.arguments;
        EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << ":\n" << result.output;
        std::vector<std::string> left = Files();
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string> {"in.wav", "three.wav"})) << c.arguments;
    }
}

// Bypassed, the plug-in passes its input unchanged: the measured curve is the 0 dB
// line from one end of the frequency axis to the other.
TEST_F(RenderCli, PlotOfTheBypassedPlugInIsFlat)
{
    const Result result = RunRender("--set Bypass=1 --plot " + Path("flat.png"));
    ASSERT_EQ(result.status, 0) << result.output;
    std::ifstream file(Path("flat.png"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::unique_ptr<LICE_MemBitmap> picture(DecodePng(bytes.data(), bytes.size()));
    ASSERT_NE(picture, nullptr);
    using vorla::render::PlotFrame;
    const PlotFrame frame({0.0});
    auto pixel = [&](double frequency, double gainDb) {
        return picture->PixelData()[int(frame.Y(gainDb)) * picture->RowStride() + int(frame.X(frequency))] & 0xFFFFFF;
    };
    const LICE_pixel curve = pixel(1000.0, 0.0);
    EXPECT_NE(curve, 0xFFFFFFu);
    for (double frequency : {21.0, 60.0, 200.0, 2000.0, 10000.0, 19500.0}) {
        EXPECT_EQ(pixel(frequency, 0.0), curve) << frequency;
        EXPECT_NE(pixel(frequency, 1.0), curve) << frequency;
        EXPECT_NE(pixel(frequency, -1.0), curve) << frequency;
    }

    ASSERT_EQ(RunRender("--set HPF=5 --set Out=-6 --plot " + Path("response.svg")).status, 0);
    EXPECT_EQ(Files().size(), 2u);
}
