// Draws the editor's ten pictures: vorla-art <output folder>
#include "Painter.h"
#include "PanelLayout.h"
#include "PngWriter.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One printed mark of a knob's scale, at a normalised position.
struct ScaleMark {
    double unit;
    std::string label;
};

struct KnobArt {
    PanelSlot picture;
    double radius;
    double halfSweep; // degrees either side of straight up
    bool selector;    // a bar-pointer selector rather than a skirted knob
    std::vector<ScaleMark> marks;
    int minorSteps; // unlabelled ticks dividing the sweep evenly; 0 for none
};

double angleOf(const KnobArt& knob, double unit)
{
    return -knob.halfSweep + 2 * knob.halfSweep * unit;
}

std::vector<ScaleMark> evenMarks(const std::vector<std::string>& labels)
{
    std::vector<ScaleMark> marks;
    for (std::size_t i = 0; i < labels.size(); ++i) marks.push_back({double(i) / double(labels.size() - 1), labels[i]});
    return marks;
}

// The LPF setting whose corner is `kHz`, as a normalised knob position. The
// low-pass corner at setting v (0.01 .. 1) is 0.0302480338777979 (v + 10) /
// (1.421657592256505e-05 v) rad/s; 0.01 itself switches the filter off.
double lpfUnitForCorner(double kHz)
{
    const double omega = 2 * kPi * kHz * 1000.0;
    const double v = 0.302480338777979 / (omega * 1.421657592256505e-05 - 0.0302480338777979);
    return (v - 0.01) / 0.99;
}

std::vector<KnobArt> knobArts()
{
    const std::vector<std::string> zeroToTen = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const std::vector<std::string> cutBoost = {"5", "4", "3", "2", "1", "0", "1", "2", "3", "4", "5"};
    std::vector<ScaleMark> lpf = {{0.0, "OFF"}};
    for (double kHz : {20.0, 10.0, 7.0, 5.0, 4.0}) lpf.push_back({lpfUnitForCorner(kHz), std::to_string(int(kHz))});
    return {
        {kPanelHpf, 27, 120, true, evenMarks({"OFF", "1", "2", "3", "4", "5"}), 0},
        {kPanelLowBoost, 22, 135, false, evenMarks(zeroToTen), 20},
        {kPanelLowAtten, 21, 135, false, evenMarks(zeroToTen), 20},
        {kPanelMid, 30, 135, false, evenMarks(cutBoost), 20},
        {kPanelHigh, 27, 135, false, evenMarks(cutBoost), 20},
        {kPanelLpf, 25, 135, false, lpf, 0},
    };
}

void centreOf(const PanelElement& p, double& cx, double& cy)
{
    cx = p.x + p.width / 2.0;
    cy = p.y + p.height / 2.0;
}

void drawScale(cairo_t* cr, const KnobArt& knob)
{
    double cx, cy;
    centreOf(kPanelElements[knob.picture], cx, cy);
    const double inner = knob.radius + 4;
    for (int i = 0; i <= knob.minorSteps && knob.minorSteps > 0; ++i)
        Tick(cr, cx, cy, inner, inner + 3, angleOf(knob, double(i) / knob.minorSteps), 0.9);
    SelectFont(cr, knob.radius > 26 ? 8.5 : 8.0);
    for (const ScaleMark& mark : knob.marks) {
        const double degrees = angleOf(knob, mark.unit);
        Tick(cr, cx, cy, inner, inner + 6, degrees, 1.4);
        double x, y;
        PolarPoint(cx, cy, inner + 6 + (mark.label.size() > 2 ? 10 : 7.5), degrees, x, y);
        EngravedText(cr, mark.label, x, y);
    }
}

void drawKnobLegends(cairo_t* cr)
{
    SelectFont(cr, 11);
    EngravedText(cr, "HPF", 81.5, 17);
    EngravedText(cr, "MID", 397.5, 18);
    EngravedText(cr, "HIGH", 557, 18);
    EngravedText(cr, "LPF", 717, 18);
    SelectFont(cr, 10);
    EngravedText(cr, "LOW", 278, 38);
    EngravedText(cr, "BOOST", 278, 51);
    EngravedText(cr, "LOW", 202, 122);
    EngravedText(cr, "ATTEN", 202, 135);
    SelectFont(cr, 7.5);
    EngravedText(cr, "kHz", 717, 116);
    EngravedText(cr, "CUT", 371, 131);
    EngravedText(cr, "BOOST", 425, 131);
    EngravedText(cr, "CUT", 535, 117);
    EngravedText(cr, "BOOST", 580, 117);
}

// The state of the rail's switches and read-out that a picture shows.
struct RailState {
    int oversampleFrame = 1;
    int bypassFrame = 0;
    int outFrame = 12;
};

void drawOversample(cairo_t* cr, int frame)
{
    const bool on = frame == 0; // frame 0: 16 times oversampling
    LitButton(cr, 16, 175, 7, palette::kAmber, on);
    SelectFont(cr, 8.5);
    EngravedText(cr, "OVERSAMPLING", 31, 169, Align::kLeft);
    SelectFont(cr, 9.5);
    if (on) PlainText(cr, "ON  \u00d716", 31, 181.5, Align::kLeft, palette::kAmber);
    else EngravedText(cr, "OFF  \u00d74", 31, 181.5, Align::kLeft);
}

void drawBypass(cairo_t* cr, int frame)
{
    const bool engaged = frame == 1;
    const double cx = 391, cy = 175;
    Lamp(cr, 410, cy, 3.8, palette::kLampRed, engaged);
    // A bat-handle toggle seen from the front: hex nut, bushing, lever up or down.
    HexNut(cr, cx, cy, 7.0);
    const double direction = engaged ? 1.0 : -1.0;
    const double tipY = cy + direction * 10.5;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3.6);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_move_to(cr, cx + 1.5, cy + 1.5);
    cairo_line_to(cr, cx + 1.5, tipY + 1.5);
    cairo_stroke(cr);
    cairo_pattern_t* chrome = cairo_pattern_create_linear(cx - 3, 0, cx + 3, 0);
    cairo_pattern_add_color_stop_rgb(chrome, 0, 0.55, 0.56, 0.58);
    cairo_pattern_add_color_stop_rgb(chrome, 0.35, 0.98, 0.98, 0.99);
    cairo_pattern_add_color_stop_rgb(chrome, 1, 0.35, 0.36, 0.38);
    cairo_set_source(cr, chrome);
    cairo_set_line_width(cr, 3.2);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, tipY);
    cairo_stroke(cr);
    cairo_arc(cr, cx, tipY, 2.8, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
}

void drawOutReadout(cairo_t* cr, int frame)
{
    const PanelElement& out = kPanelElements[kPanelOut];
    const double x = out.x + 4, y = out.y + 3, w = out.width - 8, h = 22;
    RoundedRect(cr, x - 1, y - 1, w + 2, h + 2, 3.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, 3);
    cairo_set_source_rgb(cr, 0.04, 0.035, 0.03);
    cairo_fill(cr);
    const int decibels = frame - 12;
    const std::string text = (decibels > 0 ? "+" : decibels < 0 ? "\u2212" : "") + std::to_string(std::abs(decibels));
    SelectFont(cr, 13, true, "DejaVu Sans Mono");
    PlainText(cr, text, x + w - 24, y + h / 2 + 0.5, Align::kRight, palette::kAmber);
    SelectFont(cr, 8.5);
    PlainText(cr, "dB", x + w - 7, y + h / 2 + 1, Align::kRight, palette::kAmber, 0.75);
}

void drawRail(cairo_surface_t* surface, cairo_t* cr, int height)
{
    const int railTop = 157;
    PaintedMetal(surface, 0, railTop, kPanelWidth, height - railTop, palette::kRail, 7);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_move_to(cr, 0, railTop + 0.5);
    cairo_line_to(cr, kPanelWidth, railTop + 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
    cairo_move_to(cr, 0, railTop + 1.5);
    cairo_line_to(cr, kPanelWidth, railTop + 1.5);
    cairo_stroke(cr);

    SelectFont(cr, 8.5);
    EngravedText(cr, "OUTPUT", 196, 175, Align::kRight);
    EngravedText(cr, "BYPASS", 374, 175, Align::kRight);

    // The name plate and the maker's badge (the badge is the web link).
    SelectFont(cr, 17, true, "DejaVu Serif");
    EngravedText(cr, "V O R L A", 520, 174);
    SelectFont(cr, 7.5);
    EngravedText(cr, "PASSIVE PROGRAM EQUALISER", 640, 170);
    EngravedText(cr, "STEREO \u00b7 OVERSAMPLED", 640, 180);
    RoundedRect(cr, 711, 164, 78, 21, 3);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, 164, 0, 185);
    cairo_pattern_add_color_stop_rgb(plate, 0, 0.80, 0.78, 0.72);
    cairo_pattern_add_color_stop_rgb(plate, 1, 0.56, 0.54, 0.49);
    cairo_set_source(cr, plate);
    cairo_fill(cr);
    cairo_pattern_destroy(plate);
    SelectFont(cr, 9, true, "DejaVu Serif");
    PlainText(cr, "QUILLMARSH", 750, 174.5, Align::kCentre, {0.14, 0.13, 0.12});
}

void drawFaceplate(cairo_surface_t* surface, cairo_t* cr, int height)
{
    PaintedMetal(surface, 0, 0, kPanelWidth, height, palette::kPanel, 3);
    // Light falling from above: the top of the plate a little brighter.
    cairo_pattern_t* light = cairo_pattern_create_linear(0, 0, 0, 157);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.07);
    cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.10);
    cairo_rectangle(cr, 0, 0, kPanelWidth, 157);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    for (const KnobArt& knob : knobArts()) drawScale(cr, knob);
    drawKnobLegends(cr);
    for (double x : {146.0, 333.0, 472.0, 641.0}) EngravedLine(cr, x, 12, x, 148);
    // Rack ears: a fold line either side and slotted mounting holes with screws.
    for (double x : {27.0, 768.0}) EngravedLine(cr, x, 0, x, 156);
    for (double x : {13.5, 782.5}) {
        for (double y : {24.0, 133.0}) {
            RoundedRect(cr, x - 6.5, y - 12, 13, 24, 6.5);
            cairo_set_source_rgba(cr, 0.02, 0.02, 0.03, 0.9);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
            cairo_stroke(cr);
        }
        Screw(cr, x, 20, 5.5, 35);
        Screw(cr, x, 137, 5.5, 125);
    }
    drawRail(surface, cr, height);
    // Bevelled edges of the plate.
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_move_to(cr, 0.5, kPanelHeight);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, kPanelWidth, 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_move_to(cr, kPanelWidth - 0.5, 0);
    cairo_line_to(cr, kPanelWidth - 0.5, kPanelHeight - 0.5);
    cairo_line_to(cr, 0, kPanelHeight - 0.5);
    cairo_stroke(cr);
}

// The whole panel with the rail in the given state, a few rows taller than the
// editor because the rail's controls reach below its bottom edge.
cairo_surface_t* renderPanel(const RailState& state)
{
    const int height = kPanelHeight + 3;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPanelWidth, height);
    cairo_t* cr = cairo_create(surface);
    drawFaceplate(surface, cr, height);
    drawOversample(cr, state.oversampleFrame);
    drawBypass(cr, state.bypassFrame);
    drawOutReadout(cr, state.outFrame);
    cairo_destroy(cr);
    return surface;
}

// A film strip of `frames` frames stacked top to bottom.
struct Strip {
    cairo_surface_t* surface;
    cairo_t* cr;

    explicit Strip(const PanelElement& p)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height * p.frames)),
          cr(cairo_create(surface))
    {
    }
    ~Strip()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

void copyPanelArea(cairo_t* strip, cairo_surface_t* panel, const PanelElement& p, int frame)
{
    cairo_save(strip);
    cairo_rectangle(strip, 0, frame * p.height, p.width, p.height);
    cairo_clip(strip);
    cairo_set_source_surface(strip, panel, -p.x, frame * p.height - p.y);
    cairo_paint(strip);
    cairo_restore(strip);
}

// Cairo keeps premultiplied ARGB words; PNG wants straight R, G, B, A.
PngImage straightRgba(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    PngImage image;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t a = row[x] >> 24;
            for (int shift : {16, 8, 0}) {
                const std::uint32_t c = (row[x] >> shift) & 0xff;
                image.samples.push_back(std::uint8_t(a ? (c * 255 + a / 2) / a : 0));
            }
            image.samples.push_back(std::uint8_t(a));
        }
    }
    return image;
}

bool save(cairo_surface_t* surface, const std::string& folder, const PanelElement& p)
{
    const std::string name = p.picture;
    const std::string path = folder + "/" + name.substr(name.rfind('/') + 1);
    if (WriteFile(path, EncodePng(straightRgba(surface)))) return true;
    std::fprintf(stderr, "vorla-art: cannot write %s\n", path.c_str());
    return false;
}

bool drawBackground(const std::string& folder)
{
    cairo_surface_t* panel = renderPanel(RailState{});
    Strip background(kPanelElements[kPanelBackground]);
    copyPanelArea(background.cr, panel, kPanelElements[kPanelBackground], 0);
    cairo_surface_destroy(panel);
    return save(background.surface, folder, kPanelElements[kPanelBackground]);
}

// A rail picture: each frame is the panel rendered in that state, cut out.
bool drawRailStrip(const std::string& folder, PanelSlot index, int RailState::*member)
{
    const PanelElement& p = kPanelElements[index];
    Strip strip(p);
    for (int frame = 0; frame < p.frames; ++frame) {
        RailState state;
        state.*member = frame;
        cairo_surface_t* panel = renderPanel(state);
        copyPanelArea(strip.cr, panel, p, frame);
        cairo_surface_destroy(panel);
    }
    return save(strip.surface, folder, p);
}

bool drawKnobStrip(const std::string& folder, const KnobArt& knob)
{
    const PanelElement& p = kPanelElements[knob.picture];
    Strip strip(p);
    for (int frame = 0; frame < p.frames; ++frame) {
        const double degrees = angleOf(knob, double(frame) / (p.frames - 1));
        const double cx = p.width / 2.0, cy = frame * p.height + p.height / 2.0;
        if (knob.selector) PointerKnob(strip.cr, cx, cy, knob.radius, degrees);
        else SkirtedKnob(strip.cr, cx, cy, knob.radius, degrees);
    }
    return save(strip.surface, folder, p);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorla-art <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = drawBackground(folder);
    ok = drawRailStrip(folder, kPanelOversample, &RailState::oversampleFrame) && ok;
    ok = drawRailStrip(folder, kPanelBypass, &RailState::bypassFrame) && ok;
    ok = drawRailStrip(folder, kPanelOut, &RailState::outFrame) && ok;
    for (const KnobArt& knob : knobArts()) ok = drawKnobStrip(folder, knob) && ok;
    return ok ? 0 : 1;
}
