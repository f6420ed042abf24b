// The response plot's measurement against theory, and its picture: the axes where
// the frame says and the curve drawn on them.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <string>
#include <vector>

#include "DecodePng.h"
#include "ResponsePlot.h"
#include "TestFiles.h"
#include "TestSignal.h"

using namespace vorla::render;
using vorla::test::ReadText;
using vorla::test::ScratchFolder;

namespace {

constexpr double kPi = 3.14159265358979323846;

LICE_pixel PixelAt(const LICE_MemBitmap& bitmap, double x, double y)
{
    return bitmap.PixelData()[int(y) * bitmap.RowStride() + int(x)] & 0xFFFFFF;
}

}  // namespace

TEST(Sweep, TwelveTonesAnOctaveFrom20HzTo20kHzOnTheWholePeriodGrid)
{
    const std::vector<double>& frequencies = TestSignal::SweepFrequencies();
    ASSERT_GT(frequencies.size(), 100u);
    EXPECT_EQ(frequencies.front(), 20.0);
    EXPECT_EQ(frequencies.back(), 20000.0);
    for (size_t i = 1; i < frequencies.size(); ++i) {
        EXPECT_GT(frequencies[i], frequencies[i - 1]);
        EXPECT_EQ(std::fmod(frequencies[i], 2.0), 0.0) << frequencies[i];
        EXPECT_LE(frequencies[i] / frequencies[i - 1], std::pow(2.0, 1.0 / 12) + 2.0 / frequencies[i - 1]);
    }
}

// A one-pole low-pass y[n] = (1 - a) x[n] + a y[n-1] has |H| = (1 - a) / |1 - a e^(-jw)|.
TEST(Sweep, MeasuresAKnownFilterAsTheoryHasIt)
{
    const std::vector<double>& frequencies = TestSignal::SweepFrequencies();
    Sound sound = TestSignal::Make(frequencies);
    const double a = 0.9;
    double state[2] = {0.0, 0.0};
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        double& y = state[i % 2];
        y = (1 - a) * sound.samples[i] + a * y;
        sound.samples[i] = y;
    }
    const std::vector<double> measured = TestSignal::ResponseDb(sound, frequencies);
    ASSERT_EQ(measured.size(), frequencies.size());
    for (size_t t = 0; t < frequencies.size(); ++t) {
        const double w = 2 * kPi * frequencies[t] / TestSignal::kSampleRate;
        const double expected = 20 * std::log10((1 - a) / std::abs(1.0 - a * std::polar(1.0, -w)));
        EXPECT_NEAR(measured[t], expected, 0.001) << frequencies[t] << " Hz";
    }
}

TEST(PlotFrame, AxesSpan20HzTo20kHzAndWholeStepsOfTheCurve)
{
    const PlotFrame flat(std::vector<double>(5, 0.0));
    EXPECT_EQ(flat.LowDb(), -12.0);
    EXPECT_EQ(flat.HighDb(), 12.0);
    EXPECT_DOUBLE_EQ(flat.X(20.0), flat.Left());
    EXPECT_DOUBLE_EQ(flat.X(20000.0), flat.Right());
    EXPECT_NEAR(flat.X(std::sqrt(20.0 * 20000.0)), (flat.Left() + flat.Right()) / 2, 1e-9);
    EXPECT_DOUBLE_EQ(flat.Y(12.0), flat.Top());
    EXPECT_DOUBLE_EQ(flat.Y(-12.0), flat.Bottom());

    const PlotFrame boosted({-40.0, 13.0, std::nan("")});
    EXPECT_EQ(boosted.LowDb(), -42.0);
    EXPECT_EQ(boosted.HighDb(), 18.0);

    const PlotFrame deep({-200.0, 0.0});  // a deep notch runs off the bottom
    EXPECT_EQ(deep.HighDb(), 12.0);
    EXPECT_EQ(deep.LowDb(), -60.0);
}

TEST(PlotFiles, PngHasTheCurveOnItsAxes)
{
    const ScratchFolder dir;
    ResponseCurve curve {{20.0, 1000.0, 20000.0}, {0.0, 0.0, 0.0}, "Flat", "at 0 dB"};
    const std::string path = dir / "flat.PNG";
    ASSERT_EQ(PlotFormatFor(path), PlotFormat::kPng);
    std::string error;
    ASSERT_TRUE(WriteResponsePlot(path, PlotFormat::kPng, curve, error)) << error;

    const std::string bytes = ReadText(path);
    std::unique_ptr<LICE_MemBitmap> picture(DecodePng(bytes.data(), bytes.size()));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->Width(), PlotFrame::kWidth);
    ASSERT_EQ(picture->Height(), PlotFrame::kHeight);
    const PlotFrame frame(curve.gainsDb);
    const LICE_pixel paper = PixelAt(*picture, 2, 2);
    const LICE_pixel curveColour = PixelAt(*picture, frame.X(100.0), frame.Y(0.0));
    EXPECT_EQ(paper, 0xFFFFFFu);
    EXPECT_NE(curveColour, paper);
    for (double frequency : {30.0, 300.0, 3000.0, 15000.0}) {
        EXPECT_EQ(PixelAt(*picture, frame.X(frequency), frame.Y(0.0)), curveColour) << frequency;
        EXPECT_NE(PixelAt(*picture, frame.X(frequency), frame.Y(3.0)), curveColour) << frequency;
        EXPECT_NE(PixelAt(*picture, frame.X(frequency), frame.Y(-3.0)), curveColour) << frequency;
    }
}

TEST(PlotFiles, SvgIsAScalableDrawingOfTheSameSize)
{
    const ScratchFolder dir;
    ResponseCurve curve {{20.0, 20000.0}, {-3.0, 3.0}, "Tilt", ""};
    const std::string path = dir / "tilt.svg";
    ASSERT_EQ(PlotFormatFor(path), PlotFormat::kSvg);
    std::string error;
    ASSERT_TRUE(WriteResponsePlot(path, PlotFormat::kSvg, curve, error)) << error;
    const std::string text = ReadText(path);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("viewBox=\"0 0 800 450\""), std::string::npos);
    EXPECT_NE(text.find("</svg>"), std::string::npos);

    EXPECT_EQ(PlotFormatFor(dir / "plot.jpg"), PlotFormat::kNone);
    EXPECT_EQ(PlotFormatFor("svg"), PlotFormat::kNone);
    EXPECT_FALSE(WriteResponsePlot(dir / "missing/folder/plot.png", PlotFormat::kPng, curve, error));
    EXPECT_FALSE(error.empty());
}
