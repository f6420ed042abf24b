#include "ResponsePlot.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>

namespace vorla::render {

namespace {

constexpr double kMaxSpanDb = 72.0;

struct Colour {
    double r, g, b;
};
constexpr Colour kPaper {1.0, 1.0, 1.0};
constexpr Colour kInk {0.15, 0.15, 0.15};
constexpr Colour kGrid {0.86, 0.86, 0.86};
constexpr Colour kMajorGrid {0.70, 0.70, 0.70};
constexpr Colour kCurve {0.80, 0.30, 0.05};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void SetColour(cairo_t* cr, Colour colour) { cairo_set_source_rgb(cr, colour.r, colour.g, colour.b); }

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Colour colour, double width)
{
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

enum class Align { kLeft, kCentre, kRight };

void Text(cairo_t* cr, const std::string& text, double x, double y, double size, Align align,
          cairo_font_weight_t weight = CAIRO_FONT_WEIGHT_NORMAL)
{
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, weight);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    const double shift = align == Align::kLeft ? 0.0 : align == Align::kCentre ? extents.x_advance / 2 : extents.x_advance;
    SetColour(cr, kInk);
    cairo_move_to(cr, x - shift, y);
    cairo_show_text(cr, text.c_str());
}

std::string FrequencyLabel(double frequency)
{
    char text[16];
    if (frequency >= 1000.0)
        std::snprintf(text, sizeof text, "%gk", frequency / 1000.0);
    else
        std::snprintf(text, sizeof text, "%g", frequency);
    return text;
}

// Thin lines at every 1, 2 ... 9 of each decade, darker and labelled at 1, 2 and 5.
void FrequencyGrid(cairo_t* cr, const PlotFrame& frame)
{
    for (double decade = 10.0; decade <= PlotFrame::kHighHz; decade *= 10.0)
        for (int multiple = 1; multiple <= 9; ++multiple) {
            const double frequency = decade * multiple;
            if (frequency < PlotFrame::kLowHz || frequency > PlotFrame::kHighHz) continue;
            const bool major = multiple == 1 || multiple == 2 || multiple == 5;
            const double x = frame.X(frequency);
            Line(cr, x, frame.Top(), x, frame.Bottom(), major ? kMajorGrid : kGrid, 1.0);
            if (major) Text(cr, FrequencyLabel(frequency), x, frame.Bottom() + 16, 11, Align::kCentre);
        }
    Text(cr, "Hz", frame.Right(), frame.Bottom() + 34, 11, Align::kRight);
}

void GainGrid(cairo_t* cr, const PlotFrame& frame)
{
    for (double gain = frame.LowDb(); gain <= frame.HighDb() + 1e-9; gain += PlotFrame::kStepDb) {
        const double y = frame.Y(gain);
        Line(cr, frame.Left(), y, frame.Right(), y, gain == 0.0 ? kMajorGrid : kGrid, gain == 0.0 ? 1.5 : 1.0);
        char label[16];
        std::snprintf(label, sizeof label, "%+g", gain);
        Text(cr, gain == 0.0 ? "0" : label, frame.Left() - 8, y + 4, 11, Align::kRight);
    }
    Text(cr, "dB", frame.Left() - 8, frame.Top() - 10, 11, Align::kRight);
}

void Curve(cairo_t* cr, const PlotFrame& frame, const ResponseCurve& curve)
{
    cairo_save(cr);
    cairo_rectangle(cr, frame.Left(), frame.Top(), frame.Right() - frame.Left(), frame.Bottom() - frame.Top());
    cairo_clip(cr);
    for (size_t i = 0; i < curve.frequencies.size() && i < curve.gainsDb.size(); ++i)
        cairo_line_to(cr, frame.X(curve.frequencies[i]), frame.Y(curve.gainsDb[i]));
    SetColour(cr, kCurve);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Draw(cairo_t* cr, const ResponseCurve& curve)
{
    const PlotFrame frame(curve.gainsDb);
    SetColour(cr, kPaper);
    cairo_paint(cr);
    Text(cr, curve.title, frame.Left(), 26, 16, Align::kLeft, CAIRO_FONT_WEIGHT_BOLD);
    Text(cr, curve.subtitle, frame.Left(), 46, 12, Align::kLeft);
    FrequencyGrid(cr, frame);
    GainGrid(cr, frame);
    Curve(cr, frame, curve);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, frame.Left(), frame.Top(), frame.Right() - frame.Left(), frame.Bottom() - frame.Top());
    cairo_stroke(cr);
}

bool Failed(cairo_status_t status, std::string& error)
{
    if (status == CAIRO_STATUS_SUCCESS) return false;
    error = cairo_status_to_string(status);
    return true;
}

}  // namespace

PlotFrame::PlotFrame(const std::vector<double>& gainsDb)
{
    double lowest = 0.0, highest = 0.0;
    for (double gain : gainsDb)
        if (std::isfinite(gain)) {
            lowest = std::min(lowest, gain);
            highest = std::max(highest, gain);
        }
    highDb = std::max(12.0, kStepDb * std::ceil(highest / kStepDb));
    lowDb = std::max(highDb - kMaxSpanDb, std::min(-12.0, kStepDb * std::floor(lowest / kStepDb)));
}

double PlotFrame::X(double frequency) const
{
    const double position = std::log(frequency / kLowHz) / std::log(kHighHz / kLowHz);
    return Left() + position * (Right() - Left());
}

double PlotFrame::Y(double gainDb) const
{
    return Top() + (highDb - gainDb) / (highDb - lowDb) * (Bottom() - Top());
}

PlotFormat PlotFormatFor(const std::string& path)
{
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "svg") return PlotFormat::kSvg;
    if (extension == "png") return PlotFormat::kPng;
    return PlotFormat::kNone;
}

namespace {

bool WritePicture(const std::string& path, PlotFormat format, const ResponseCurve& curve, std::string& error)
{
    if (format == PlotFormat::kNone) {
        error = "no picture format";
        return false;
    }
    Surface surface(format == PlotFormat::kSvg
                        ? cairo_svg_surface_create(path.c_str(), PlotFrame::kWidth, PlotFrame::kHeight)
                        : cairo_image_surface_create(CAIRO_FORMAT_RGB24, PlotFrame::kWidth, PlotFrame::kHeight),
                    cairo_surface_destroy);
    if (Failed(cairo_surface_status(surface.get()), error)) return false;
    {
        Context cr(cairo_create(surface.get()), cairo_destroy);
        Draw(cr.get(), curve);
        if (Failed(cairo_status(cr.get()), error)) return false;
    }
    if (format == PlotFormat::kPng && Failed(cairo_surface_write_to_png(surface.get(), path.c_str()), error))
        return false;
    cairo_surface_finish(surface.get());  // an SVG file is complete only now
    return !Failed(cairo_surface_status(surface.get()), error);
}

}  // namespace

bool WriteResponsePlot(const std::string& path, PlotFormat format, const ResponseCurve& curve, std::string& error)
{
    const bool written = WritePicture(path, format, curve, error);
    // cairo keeps the fonts it found through fontconfig, and fontconfig its
    // configuration, for the rest of the process. A run draws one plot, so both let
    // them go once the picture's cairo objects are gone, and leak checkers stay quiet.
    cairo_debug_reset_static_data();
    FcFini();
    return written;
}

}  // namespace vorla::render
