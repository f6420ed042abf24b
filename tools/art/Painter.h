#pragma once

#include <cairo.h>

#include <string>

// Drawing helpers for the panel art. Angles of knobs and scales are in degrees,
// 0 pointing up and positive clockwise, as a knob turns.
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

namespace palette {
constexpr Rgb kPanel = {0.235, 0.290, 0.341};
constexpr Rgb kRail = {0.125, 0.141, 0.161};
constexpr Rgb kLegend = {0.925, 0.886, 0.784};
constexpr Rgb kAmber = {1.0, 0.690, 0.247};
constexpr Rgb kLampRed = {0.98, 0.16, 0.10};
} // namespace palette

enum class Align { kLeft, kCentre, kRight };

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// The point at `radius` from (cx, cy) in the direction `degrees`.
void PolarPoint(double cx, double cy, double radius, double degrees, double& x, double& y);

void SelectFont(cairo_t* cr, double size, bool bold = true, const char* family = "DejaVu Sans Condensed");
// Legend text engraved into the panel and filled with paint, centred vertically on
// y and placed horizontally by `align` around x.
void EngravedText(cairo_t* cr, const std::string& text, double x, double y, Align align = Align::kCentre,
                  Rgb fill = palette::kLegend);
// Plain text with the same placement rules.
void PlainText(cairo_t* cr, const std::string& text, double x, double y, Align align, Rgb fill, double alpha = 1.0);
void EngravedLine(cairo_t* cr, double x0, double y0, double x1, double y1);

// Painted, lightly textured metal filling the rectangle; `seed` varies the texture.
void PaintedMetal(cairo_surface_t* surface, int x, int y, int w, int h, Rgb base, unsigned seed);
// A chrome hexagonal nut with its threaded bushing, as switches are mounted.
void HexNut(cairo_t* cr, double cx, double cy, double radius);
void Screw(cairo_t* cr, double cx, double cy, double radius, double slotDegrees);
// Ticks from r0 to r1 at each angle.
void Tick(cairo_t* cr, double cx, double cy, double r0, double r1, double degrees, double width);

// A skirted knob of radius `radius` whose pointer is at `degrees`.
void SkirtedKnob(cairo_t* cr, double cx, double cy, double radius, double degrees);
// A bar-shaped pointer knob for stepped selectors.
void PointerKnob(cairo_t* cr, double cx, double cy, double radius, double degrees);
// A square illuminated push button of half-size `half`, lit or dark.
void LitButton(cairo_t* cr, double cx, double cy, double half, Rgb colour, bool lit);
// A round indicator lamp, lit or dark.
void Lamp(cairo_t* cr, double cx, double cy, double radius, Rgb colour, bool lit);
