#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

double radians(double degrees)
{
    return degrees * kPi / 180.0;
}

void placeText(cairo_t* cr, const std::string& text, double x, double y, Align align)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    double left = x - e.x_bearing;
    if (align == Align::kCentre) left -= e.width / 2;
    else if (align == Align::kRight) left -= e.width;
    cairo_move_to(cr, left, y - e.y_bearing - e.height / 2);
}

void fillText(cairo_t* cr, const std::string& text, double x, double y, Align align, Rgb c, double alpha)
{
    SetColour(cr, c, alpha);
    placeText(cr, text, x, y, align);
    cairo_show_text(cr, text.c_str());
}

// A disc lit from the top left: light at the top-left edge fading to `dark`.
void shadedDisc(cairo_t* cr, double cx, double cy, double r, Rgb light, Rgb dark)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - r * 0.7, cy - r * 0.7, cx + r * 0.7, cy + r * 0.7);
    cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void softShadow(cairo_t* cr, double cx, double cy, double r, double spread)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx + 1.5, cy + 2.5, r * 0.8, cx + 1.5, cy + 2.5, r + spread);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    cairo_arc(cr, cx + 1.5, cy + 2.5, r + spread, 0, 2 * kPi);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// A rim highlight on the upper-left half of a circle.
void rimLight(cairo_t* cr, double cx, double cy, double r, double alpha)
{
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_arc(cr, cx, cy, r - 0.5, radians(150), radians(300));
    cairo_stroke(cr);
}

void pointerLine(cairo_t* cr, double cx, double cy, double r0, double r1, double degrees, double width)
{
    double x0, y0, x1, y1;
    PolarPoint(cx, cy, r0, degrees, x0, y0);
    PolarPoint(cx, cy, r1, degrees, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width + 1.4);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    cairo_set_line_width(cr, width);
    SetColour(cr, palette::kLegend);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

} // namespace

void SetColour(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void PolarPoint(double cx, double cy, double radius, double degrees, double& x, double& y)
{
    x = cx + radius * std::sin(radians(degrees));
    y = cy - radius * std::cos(radians(degrees));
}

void SelectFont(cairo_t* cr, double size, bool bold, const char* family)
{
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void EngravedText(cairo_t* cr, const std::string& text, double x, double y, Align align, Rgb fill)
{
    fillText(cr, text, x - 0.6, y - 0.6, align, {0, 0, 0}, 0.55);
    fillText(cr, text, x + 0.5, y + 0.6, align, {1, 1, 1}, 0.18);
    fillText(cr, text, x, y, align, fill, 1.0);
}

void PlainText(cairo_t* cr, const std::string& text, double x, double y, Align align, Rgb fill, double alpha)
{
    fillText(cr, text, x, y, align, fill, alpha);
}

void EngravedLine(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
    cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_move_to(cr, x0 + 1.5, y0 + 1.5);
    cairo_line_to(cr, x1 + 1.5, y1 + 1.5);
    cairo_stroke(cr);
}

void PaintedMetal(cairo_surface_t* surface, int x, int y, int w, int h, Rgb base, unsigned seed)
{
    // A fine hammered grain: smooth noise blobs plus a little per-pixel grit, kept
    // to a few levels so the picture still compresses well.
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const int cell = 6;
    const int gw = w / cell + 2, gh = h / cell + 2;
    std::vector<double> grid(std::size_t(gw * gh));
    for (double& g : grid) g = unit(random);

    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int j = 0; j < h; ++j) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y + j) * stride) + x;
        const double gy = double(j) / cell;
        for (int i = 0; i < w; ++i) {
            const double gx = double(i) / cell;
            const int ix = int(gx), iy = int(gy);
            const double fx = gx - ix, fy = gy - iy;
            const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
            auto at = [&](int a, int b) { return grid[std::size_t(b * gw + a)]; };
            const double blob = (at(ix, iy) * (1 - sx) + at(ix + 1, iy) * sx) * (1 - sy) +
                                (at(ix, iy + 1) * (1 - sx) + at(ix + 1, iy + 1) * sx) * sy;
            const double shade = 1.0 + 0.045 * blob + 0.02 * std::round(unit(random));
            auto level = [&](double c) { return std::uint32_t(std::clamp(c * shade * 255.0, 0.0, 255.0)); };
            row[i] = 0xff000000u | level(base.r) << 16 | level(base.g) << 8 | level(base.b);
        }
    }
    cairo_surface_mark_dirty(surface);
}

void Screw(cairo_t* cr, double cx, double cy, double radius, double slotDegrees)
{
    softShadow(cr, cx, cy, radius, 2.0);
    shadedDisc(cr, cx, cy, radius, {0.86, 0.87, 0.88}, {0.38, 0.40, 0.42});
    shadedDisc(cr, cx, cy, radius - 1.2, {0.72, 0.73, 0.75}, {0.55, 0.56, 0.58});
    double x0, y0, x1, y1;
    PolarPoint(cx, cy, radius - 1.5, slotDegrees, x0, y0);
    PolarPoint(cx, cy, radius - 1.5, slotDegrees + 180, x1, y1);
    cairo_set_line_width(cr, 1.6);
    cairo_set_source_rgba(cr, 0.12, 0.12, 0.13, 1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

void HexNut(cairo_t* cr, double cx, double cy, double radius)
{
    softShadow(cr, cx, cy, radius * 0.9, 2.0);
    for (int corner = 0; corner < 6; ++corner) {
        double x, y;
        PolarPoint(cx, cy, radius, 30.0 + corner * 60.0, x, y);
        if (corner == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - radius, cy - radius, cx + radius, cy + radius);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.92, 0.92, 0.93);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.38, 0.39, 0.41);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 0.7);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_stroke(cr);
    shadedDisc(cr, cx, cy, radius * 0.55, {0.45, 0.46, 0.48}, {0.82, 0.82, 0.84});
}

void Tick(cairo_t* cr, double cx, double cy, double r0, double r1, double degrees, double width)
{
    double x0, y0, x1, y1;
    PolarPoint(cx, cy, r0, degrees, x0, y0);
    PolarPoint(cx, cy, r1, degrees, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, width);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_move_to(cr, x0 - 0.5, y0 - 0.5);
    cairo_line_to(cr, x1 - 0.5, y1 - 0.5);
    cairo_stroke(cr);
    SetColour(cr, palette::kLegend);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

void SkirtedKnob(cairo_t* cr, double cx, double cy, double radius, double degrees)
{
    // A spun-aluminium skirt carrying the pointer, under a fluted black grip and a
    // glossy cap. The lighting stays put; only the pointer and flutes turn.
    softShadow(cr, cx, cy, radius, 4.0);
    shadedDisc(cr, cx, cy, radius, {0.90, 0.90, 0.89}, {0.40, 0.41, 0.42});
    for (double ring = radius * 0.72; ring < radius - 0.6; ring += 1.1) {
        cairo_set_line_width(cr, 0.45);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.08);
        cairo_arc(cr, cx, cy, ring, 0, 2 * kPi);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 0.8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_arc(cr, cx, cy, radius - 0.4, 0, 2 * kPi);
    cairo_stroke(cr);
    double x0, y0, x1, y1;
    PolarPoint(cx, cy, radius * 0.70, degrees, x0, y0);
    PolarPoint(cx, cy, radius * 0.97, degrees, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, std::max(1.8, radius * 0.09));
    cairo_set_source_rgb(cr, 0.06, 0.06, 0.07);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);

    const double grip = radius * 0.70;
    softShadow(cr, cx, cy, grip, 2.5);
    shadedDisc(cr, cx, cy, grip, {0.22, 0.22, 0.23}, {0.03, 0.03, 0.03});
    // Flutes: scallops cut into the grip's edge, showing the skirt through them.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, grip, 0, 2 * kPi);
    cairo_clip(cr);
    for (int flute = 0; flute < 16; ++flute) {
        double fx, fy;
        PolarPoint(cx, cy, grip + radius * 0.02, degrees + flute * 22.5 + 11.25, fx, fy);
        cairo_arc(cr, fx, fy, radius * 0.085, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.55, 0.56, 0.57, 1.0);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.7);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    rimLight(cr, cx, cy, grip, 0.18);
    const double cap = radius * 0.54;
    cairo_pattern_t* gloss = cairo_pattern_create_radial(cx - cap * 0.35, cy - cap * 0.45, cap * 0.1, cx, cy, cap);
    cairo_pattern_add_color_stop_rgb(gloss, 0, 0.40, 0.40, 0.42);
    cairo_pattern_add_color_stop_rgb(gloss, 1, 0.06, 0.06, 0.07);
    cairo_arc(cr, cx, cy, cap, 0, 2 * kPi);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    rimLight(cr, cx, cy, cap, 0.25);
    pointerLine(cr, cx, cy, radius * 0.12, radius * 0.50, degrees, std::max(1.6, radius * 0.085));
}

void PointerKnob(cairo_t* cr, double cx, double cy, double radius, double degrees)
{
    softShadow(cr, cx, cy, radius * 0.62, 4.0);
    shadedDisc(cr, cx, cy, radius * 0.62, {0.26, 0.26, 0.27}, {0.04, 0.04, 0.05});
    rimLight(cr, cx, cy, radius * 0.62, 0.3);

    // The bar: a tapered pointer from a short tail to a rounded tip.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, radians(degrees));
    const double tip = radius, tail = radius * 0.55, half = radius * 0.2;
    cairo_move_to(cr, -half * 1.4, tail);
    cairo_line_to(cr, -half * 0.55, -tip + half * 0.5);
    cairo_arc(cr, 0, -tip + half * 0.5, half * 0.55, kPi, 2 * kPi);
    cairo_line_to(cr, half * 1.4, tail);
    cairo_arc(cr, 0, tail, half * 1.4, 0, kPi);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(-half * 1.4, 0, half * 1.4, 0);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.30, 0.30, 0.31);
    cairo_pattern_add_color_stop_rgb(body, 0.45, 0.12, 0.12, 0.13);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.02, 0.02, 0.02);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_set_line_width(cr, 0.8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);

    pointerLine(cr, cx, cy, radius * 0.15, radius * 0.88, degrees, std::max(1.6, radius * 0.08));
    shadedDisc(cr, cx, cy, radius * 0.16, {0.85, 0.85, 0.83}, {0.42, 0.43, 0.44});
}

void Lamp(cairo_t* cr, double cx, double cy, double radius, Rgb colour, bool lit)
{
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, radius * 0.5, cx, cy, radius * 2.6);
        cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, 0.45);
        cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0.0);
        cairo_arc(cr, cx, cy, radius * 2.6, 0, 2 * kPi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    shadedDisc(cr, cx, cy, radius + 1.5, {0.80, 0.81, 0.82}, {0.30, 0.31, 0.33}); // bezel
    const double level = lit ? 1.0 : 0.28;
    cairo_pattern_t* glass = cairo_pattern_create_radial(cx - radius * 0.3, cy - radius * 0.3, radius * 0.1, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(glass, 0, std::min(1.0, colour.r * level + (lit ? 0.5 : 0.1)),
                                     std::min(1.0, colour.g * level + (lit ? 0.5 : 0.08)),
                                     std::min(1.0, colour.b * level + (lit ? 0.4 : 0.06)));
    cairo_pattern_add_color_stop_rgb(glass, 1, colour.r * level * 0.7, colour.g * level * 0.7, colour.b * level * 0.7);
    cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
}

void LitButton(cairo_t* cr, double cx, double cy, double half, Rgb colour, bool lit)
{
    RoundedRect(cr, cx - half + 1.5, cy - half + 2, 2 * half, 2 * half, 2.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    RoundedRect(cr, cx - half, cy - half, 2 * half, 2 * half, 2.5);
    cairo_pattern_t* bezel = cairo_pattern_create_linear(cx - half, cy - half, cx + half, cy + half);
    cairo_pattern_add_color_stop_rgb(bezel, 0, 0.85, 0.86, 0.87);
    cairo_pattern_add_color_stop_rgb(bezel, 1, 0.32, 0.33, 0.35);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);

    const double inner = half - 2;
    const double level = lit ? 1.0 : 0.3;
    cairo_pattern_t* cap = cairo_pattern_create_radial(cx - inner * 0.3, cy - inner * 0.4, 0.5, cx, cy, inner * 1.5);
    cairo_pattern_add_color_stop_rgb(cap, 0, std::min(1.0, colour.r * level + (lit ? 0.35 : 0.05)),
                                     std::min(1.0, colour.g * level + (lit ? 0.35 : 0.05)),
                                     std::min(1.0, colour.b * level + (lit ? 0.3 : 0.05)));
    cairo_pattern_add_color_stop_rgb(cap, 1, colour.r * level * 0.6, colour.g * level * 0.6, colour.b * level * 0.6);
    RoundedRect(cr, cx - inner, cy - inner, 2 * inner, 2 * inner, 1.5);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
}
