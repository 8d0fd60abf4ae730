#include "host/ostrel/tune_heat_map.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/picture_file.h"
#include "host/preview/reports/report_file.h"

namespace ostrel {
namespace {

constexpr int kLeft = 90, kTop = 50, kPlotWidth = 640, kLegend = 110, kBottom = 70;

struct Rgb {
    double R, G, B;
};

// A perceptually even ramp from dark blue through teal and green to yellow.
Rgb Ramp(double t) {
    static constexpr Rgb kStops[] = {{0.267, 0.005, 0.329},
                                     {0.230, 0.322, 0.546},
                                     {0.128, 0.567, 0.551},
                                     {0.369, 0.789, 0.383},
                                     {0.993, 0.906, 0.144}};
    constexpr int kLast = static_cast<int>(std::size(kStops)) - 1;
    t = std::clamp(t, 0.0, 1.0) * kLast;
    const int low = std::min(static_cast<int>(t), kLast - 1);
    const double f = t - low;
    const Rgb& a = kStops[low];
    const Rgb& b = kStops[low + 1];
    return {a.R + (b.R - a.R) * f, a.G + (b.G - a.G) * f, a.B + (b.B - a.B) * f};
}

std::string Number(double value, const char* format = "%g") {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void Text(cairo_t* cr, double x, double y, const std::string& text, double size,
          double alignX = 0.0, bool bold = false) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - alignX * extents.x_advance, y);
    cairo_show_text(cr, text.c_str());
}

// Every n-th value gets a label, at most about ten along an axis.
std::size_t LabelStride(std::size_t count) {
    return std::max<std::size_t>(1, (count + 9) / 10);
}

void Draw(cairo_t* cr, const HeatMap& map, int plotHeight) {
    const std::size_t nx = map.X.size(), ny = map.Y.size();
    const double cellWidth = static_cast<double>(kPlotWidth) / static_cast<double>(nx);
    const double cellHeight = static_cast<double>(plotHeight) / static_cast<double>(ny);
    double low = INFINITY, high = -INFINITY;
    for (const double f1 : map.F1) {
        if (!std::isnan(f1)) {
            low = std::min(low, f1);
            high = std::max(high, f1);
        }
    }
    const auto shade = [&](double f1) { return high > low ? (f1 - low) / (high - low) : 1.0; };

    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Text(cr, kLeft, 28, map.Title, 14, 0.0, true);
    for (std::size_t y = 0; y < ny; ++y) {
        for (std::size_t x = 0; x < nx; ++x) {
            const double f1 = map.F1[y * nx + x];
            const Rgb colour = std::isnan(f1) ? Rgb{0.8, 0.8, 0.8} : Ramp(shade(f1));
            cairo_set_source_rgb(cr, colour.R, colour.G, colour.B);
            // Cells overlap by a hair so that no seam shows between them.
            cairo_rectangle(cr, kLeft + static_cast<double>(x) * cellWidth,
                            kTop + static_cast<double>(ny - 1 - y) * cellHeight, cellWidth + 0.5,
                            cellHeight + 0.5);
            cairo_fill(cr);
        }
    }
    // The best combination, ringed in white over black so that it shows on any colour.
    const double bestX = kLeft + (static_cast<double>(map.BestX) + 0.5) * cellWidth;
    const double bestY = kTop + (static_cast<double>(ny - 1 - map.BestY) + 0.5) * cellHeight;
    const double radius = std::clamp(std::min(cellWidth, cellHeight) * 0.4, 5.0, 14.0);
    for (const auto& [width, grey] : {std::pair{4.0, 0.0}, std::pair{2.0, 1.0}}) {
        cairo_set_line_width(cr, width);
        cairo_set_source_rgb(cr, grey, grey, grey);
        cairo_arc(cr, bestX, bestY, radius, 0, 2 * std::numbers::pi);
        cairo_stroke(cr);
    }
    // Axes: every few values labelled under and beside the cells.
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    for (std::size_t x = 0; x < nx; x += LabelStride(nx))
        Text(cr, kLeft + (static_cast<double>(x) + 0.5) * cellWidth, kTop + plotHeight + 16,
             Number(map.X[x]), 11, 0.5);
    Text(cr, kLeft + kPlotWidth / 2.0, kTop + plotHeight + 36, map.XLabel, 12, 0.5, true);
    if (!map.YLabel.empty()) {
        for (std::size_t y = 0; y < ny; y += LabelStride(ny))
            Text(cr, kLeft - 6, kTop + (static_cast<double>(ny - 1 - y) + 0.5) * cellHeight + 4,
                 Number(map.Y[y]), 11, 1.0);
        cairo_save(cr);
        cairo_translate(cr, 22, kTop + plotHeight / 2.0);
        cairo_rotate(cr, -std::numbers::pi / 2);
        Text(cr, 0, 0, map.YLabel, 12, 0.5, true);
        cairo_restore(cr);
    }
    Text(cr, kLeft, kTop + plotHeight + 58, map.BestText, 12);
    // The legend: the ramp from the lowest F1 drawn to the highest.
    const double legendX = kLeft + kPlotWidth + 30;
    for (int i = 0; i < plotHeight; ++i) {
        const Rgb colour = Ramp(1.0 - static_cast<double>(i) / std::max(1, plotHeight - 1));
        cairo_set_source_rgb(cr, colour.R, colour.G, colour.B);
        cairo_rectangle(cr, legendX, kTop + i, 18, 1.5);
        cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Text(cr, legendX, kTop - 8, "F1", 12, 0.0, true);
    if (std::isfinite(low)) {
        Text(cr, legendX + 24, kTop + 10, Number(high, "%.4f"), 11);
        Text(cr, legendX + 24, kTop + plotHeight, Number(low, "%.4f"), 11);
    }
}

}  // namespace

void DrawHeatMap(const HeatMap& map, const std::string& path) {
    if (map.X.empty() || map.Y.empty() || map.F1.size() != map.X.size() * map.Y.size())
        throw preview::SignalFileError(path, 0, "a heat map needs one F1 per cell");
    const int plotHeight = map.YLabel.empty() ? 80 : 420;
    preview::ReportFile file(path);
    preview::WritePicture(file, kLeft + kPlotWidth + kLegend, kTop + plotHeight + kBottom,
                          [&](cairo_t* cr) { Draw(cr, map, plotHeight); });
    file.Commit();
}

}  // namespace ostrel
