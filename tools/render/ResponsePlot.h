#pragma once

#include <string>
#include <vector>

namespace vorla::render {

// A measured magnitude response and what to call it.
struct ResponseCurve {
    std::vector<double> frequencies;  // Hz, rising
    std::vector<double> gainsDb;      // one per frequency
    std::string title;
    std::string subtitle;
};

// Where the plot puts things: a logarithmic frequency axis from 20 Hz to 20 kHz
// across, decibels up. The gain range holds the whole curve in whole steps of 6 dB,
// at least -12 to +12 dB and at most 72 dB down; lower gains run off the bottom.
class PlotFrame {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 450;
    static constexpr double kLowHz = 20.0;
    static constexpr double kHighHz = 20000.0;
    static constexpr double kStepDb = 6.0;

    explicit PlotFrame(const std::vector<double>& gainsDb);

    double X(double frequency) const;
    double Y(double gainDb) const;
    double Left() const { return kLeft; }
    double Right() const { return kWidth - kRight; }
    double Top() const { return kTop; }
    double Bottom() const { return kHeight - kBottom; }
    double LowDb() const { return lowDb; }
    double HighDb() const { return highDb; }

private:
    static constexpr double kLeft = 64, kRight = 24, kTop = 64, kBottom = 48;
    double lowDb;
    double highDb;
};

enum class PlotFormat { kNone, kSvg, kPng };

// The kind of picture a file name asks for: .svg or .png (any case), else kNone.
PlotFormat PlotFormatFor(const std::string& path);

// Draws the curve into `path`; false with the reason in `error`.
bool WriteResponsePlot(const std::string& path, PlotFormat format, const ResponseCurve& curve, std::string& error);

}  // namespace vorla::render
