#include "host/preview/reports/plot_report.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>

#include "host/files/output_file.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/time_axis.h"
#include "host/preview/reports/trace_labels.h"

namespace preview {

namespace {

constexpr double kTitleHeight = 34;
constexpr double kInputLaneHeight = 190;
constexpr double kOutputLaneHeight = 46;
constexpr double kLaneGap = 10;
constexpr double kAxisHeight = 46;
constexpr double kLeftMargin = 150;
constexpr double kRightMargin = 24;
constexpr double kBandAlpha = 0.28;

constexpr Rgb kPalette[] = {{31, 119, 180},  {255, 127, 14}, {44, 160, 44},   {214, 39, 40},
                            {148, 103, 189}, {140, 86, 75},  {227, 119, 194}, {127, 127, 127},
                            {188, 189, 34},  {23, 190, 207}};

// The largest picture the drawing library makes as an image, in pixels either way.
constexpr int kLargestImage = 32767;

struct Band {
    double Low, High;
    bool Above;  // true above High, otherwise true below Low
    std::size_t Colour;
    std::string Label;
};

struct PlottedBlock {
    const OutputCommandBlock* Block;
    std::size_t Colour;
};

// The outputs that get a lane: those whose block is not off (all when no blocks are known).
std::vector<std::size_t> PlottedOutputs(const device::Trace& trace,
                                        const std::vector<OutputCommandBlock>& blocks) {
    std::vector<std::size_t> outputs;
    for (std::size_t o = 0; o < trace.Outputs.size(); ++o) {
        const OutputCommandBlock* block = BlockOf(blocks, trace.Outputs[o].Output);
        if (blocks.empty() || (block != nullptr && block->Mode != OutputCommandBlock::kOff))
            outputs.push_back(o);
    }
    return outputs;
}

std::vector<Band> BandsOf(std::size_t input, const device::Trace& trace,
                          const std::vector<OutputCommandBlock>& blocks,
                          const std::vector<InputScale>& inputs,
                          const std::vector<std::size_t>& plotted) {
    std::vector<Band> bands;
    const InputScale& scale = inputs[input];
    for (std::size_t lane = 0; lane < plotted.size(); ++lane) {
        const OutputCommandBlock* block = BlockOf(blocks, trace.Outputs[plotted[lane]].Output);
        if (block == nullptr)
            continue;
        for (const RuleSlot& slot : block->Rules) {
            if (slot.Input != input + 1)
                continue;
            const double threshold = slot.Threshold / 32000.0 * scale.Range;
            const double low = threshold - slot.Hysteresis / 32000.0 * scale.Range;
            const std::string unit = scale.Unit.empty() ? "" : " " + scale.Unit;
            const bool above = slot.Direction == RuleSlot::kAbove;
            bands.push_back({std::min(low, threshold), std::max(low, threshold), above, lane,
                             OutputName(block->Output) + ": " +
                                 (above ? "above " + ShortNumber(threshold) + unit +
                                              ", re-arms below " + ShortNumber(low) + unit
                                        : "below " + ShortNumber(low) + unit + ", re-arms above " +
                                              ShortNumber(threshold) + unit)});
        }
    }
    return bands;
}

std::pair<std::int64_t, std::int64_t> SampleWindow(const device::Signals& signals, double from,
                                                   double to) {
    const double rate = signals.SampleRate;
    const auto count = static_cast<std::int64_t>(signals.SampleCount());
    // Held within the recording before they become whole numbers.
    const double samples = static_cast<double>(count);
    const auto first = static_cast<std::int64_t>(
        std::clamp(std::floor((from - signals.StartTime) * rate), 0.0, samples));
    const auto last = static_cast<std::int64_t>(
        std::clamp(std::ceil((to - signals.StartTime) * rate) + 1, 0.0, samples));
    return {first, last};
}

void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0) {
    cairo_set_source_rgba(cr, colour.Red / 255.0, colour.Green / 255.0, colour.Blue / 255.0, alpha);
}

// Draws `text` with its baseline at y, aligned by alignX (0 left, 0.5 centre, 1 right); with
// `backing`, on a white patch so that it stays legible over a trace.
void Text(cairo_t* cr, double x, double y, const std::string& text, double size,
          double alignX = 0.0, bool bold = false, bool backing = false) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    const double left = x - alignX * extents.x_advance;
    if (backing) {
        cairo_pattern_t* colour = cairo_get_source(cr);
        cairo_pattern_reference(colour);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
        cairo_rectangle(cr, left - 3, y - size, extents.x_advance + 6, size * 1.3);
        cairo_fill(cr);
        cairo_set_source(cr, colour);
        cairo_pattern_destroy(colour);
    }
    cairo_move_to(cr, left, y);
    cairo_show_text(cr, text.c_str());
}

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// The output lanes' labels: the output's name and its counts.
std::string CountsLabel(const device::OutputTrace& output) {
    return std::to_string(output.Pulses.size()) + " pulses, " +
           std::to_string(output.Ignored.size()) + " ignored in all";
}

// How wide `text` is drawn at `size` points.
double TextWidth(const std::string& text, double size, bool bold) {
    const std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
    const std::unique_ptr<cairo_t, CairoDeleter> context(cairo_create(surface.get()));
    cairo_select_font_face(context.get(), "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context.get(), size);
    cairo_text_extents_t extents;
    cairo_text_extents(context.get(), text.c_str(), &extents);
    return extents.x_advance;
}

void DrawInputLane(cairo_t* cr, const PlotLayout& layout, const PlotLayout::InputLane& lane,
                   const device::Signals& signals, const std::vector<Band>& bands) {
    const double left = layout.Left, right = layout.Right;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_fill(cr);

    // Value grid and labels.
    const device::SignalChannel& channel = signals.Channels[lane.Input];
    const std::string unit = channel.Unit.empty() ? "" : " " + channel.Unit;
    const double step = NiceStep(lane.High - lane.Low, 4);
    for (const double value : MultiplesWithin(lane.Low, lane.High, step, 100)) {
        const double y = std::round(lane.YOf(value)) + 0.5;
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.25, 0.25, 0.25);
        Text(cr, left - 6, y + 4, ShortNumber(value) + unit, 11, 1.0);
    }

    // Bands, each with a dashed line at its threshold side and its label at the right.
    for (const Band& band : bands) {
        const double top = lane.YOf(band.High), bottom = lane.YOf(band.Low);
        SetColour(cr, OutputColour(band.Colour), kBandAlpha);
        cairo_rectangle(cr, left, top, right - left, std::max(1.0, bottom - top));
        cairo_fill(cr);
    }
    for (const Band& band : bands) {
        // The level at which the rule becomes true, dashed: visible even without hysteresis.
        const double y = lane.YOf(band.Above ? band.High : band.Low);
        const double dash[] = {6.0, 4.0};
        SetColour(cr, OutputColour(band.Colour));
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1.2);
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }

    // The trace, clipped to the lane.
    cairo_save(cr);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.12);
    cairo_set_line_width(cr, 1.0);
    const auto [first, last] = SampleWindow(signals, layout.From, layout.To);
    const std::vector<double>& values = channel.Values;
    const double rate = signals.SampleRate;
    const auto xOfSample = [&](std::int64_t sample) {
        return layout.XOf(signals.StartTime + static_cast<double>(sample) / rate);
    };
    const double samplesPerPixel = static_cast<double>(last - first) / std::max(1.0, right - left);
    if (last - first >= 1 && samplesPerPixel > 2.0) {
        // Per pixel column the range of its samples, joined to the column before.
        const int columns = static_cast<int>(right - left);
        std::int64_t sample = first;
        double previous = values[static_cast<std::size_t>(first)];
        for (int column = 0; column < columns && sample < last; ++column) {
            const double columnEnd =
                layout.From + (column + 1) * (layout.To - layout.From) / columns;
            double low = previous, high = previous;
            for (; sample < last &&
                   signals.StartTime + static_cast<double>(sample) / rate < columnEnd;
                 ++sample) {
                low = std::min(low, values[static_cast<std::size_t>(sample)]);
                high = std::max(high, values[static_cast<std::size_t>(sample)]);
                previous = values[static_cast<std::size_t>(sample)];
            }
            const double x = left + column + 0.5;
            cairo_move_to(cr, x, lane.YOf(high) - 0.5);
            cairo_line_to(cr, x, lane.YOf(low) + 0.5);
        }
        cairo_stroke(cr);
    } else if (last - first >= 1) {
        for (std::int64_t sample = first; sample < last; ++sample) {
            const double x = xOfSample(sample),
                         y = lane.YOf(values[static_cast<std::size_t>(sample)]);
            if (sample == first)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
        if (samplesPerPixel < 1.0 / 6) {
            // Few samples: each one as a dot, so the sample instants show.
            for (std::int64_t sample = first; sample < last; ++sample) {
                cairo_arc(cr, xOfSample(sample), lane.YOf(values[static_cast<std::size_t>(sample)]),
                          1.8, 0, 2 * M_PI);
                cairo_fill(cr);
            }
        }
    }
    cairo_restore(cr);

    // Labels last, over the trace.
    for (std::size_t i = 0; i < bands.size(); ++i) {
        SetColour(cr, OutputColour(bands[i].Colour));
        Text(cr, right - 6, lane.Top + 32 + 15 * static_cast<double>(i), bands[i].Label, 11, 1.0,
             false, true);
    }
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Text(cr, left + 8, lane.Top + 16,
         channel.Name + (unit.empty() ? "" : " (" + channel.Unit + ")"), 13, 0.0, true, true);
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, left + 0.5, lane.Top + 0.5, right - left - 1, lane.Bottom - lane.Top - 1);
    cairo_stroke(cr);
}

void DrawOutputLane(cairo_t* cr, const PlotLayout& layout, const PlotLayout::OutputLane& lane,
                    std::size_t colour, const device::Trace& trace) {
    const double left = layout.Left, right = layout.Right;
    const device::OutputTrace& output = trace.Outputs[lane.Output];
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_fill(cr);
    const double high = lane.Top + 9, low = lane.Bottom - 1;
    const auto xOf = [&](std::int64_t sample) {
        return layout.XOf(trace.StartTime + static_cast<double>(sample) / trace.SampleRate);
    };

    cairo_save(cr);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_clip(cr);
    SetColour(cr, OutputColour(colour), 0.85);
    for (const device::Pulse& pulse : output.Pulses) {
        const double x0 = xOf(pulse.Start), x1 = xOf(pulse.End);
        if (x1 < left || x0 > right)
            continue;
        // At least a pixel wide, so that every pulse of a long recording shows.
        cairo_rectangle(cr, x0, high, std::max(1.0, x1 - x0), low - high);
    }
    cairo_fill(cr);
    // Ignored triggers: small dark-red marks hanging from the top.
    cairo_set_source_rgb(cr, 0.7, 0.05, 0.05);
    for (const device::IgnoredTrigger& ignored : output.Ignored) {
        const double x = xOf(ignored.Sample);
        if (x < left || x > right)
            continue;
        cairo_move_to(cr, x - 3.5, lane.Top + 1);
        cairo_line_to(cr, x + 3.5, lane.Top + 1);
        cairo_line_to(cr, x, lane.Top + 7);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);

    SetColour(cr, OutputColour(colour));
    Text(cr, left - 6, lane.Top + 18, OutputName(output.Output), 11, 1.0, true);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    Text(cr, left - 6, lane.Top + 32, CountsLabel(output), 10, 1.0);
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    cairo_rectangle(cr, left + 0.5, lane.Top + 0.5, right - left - 1, lane.Bottom - lane.Top - 1);
    cairo_stroke(cr);
}

void DrawTimeAxis(cairo_t* cr, const PlotLayout& layout, double gridTop, double axisY) {
    const TimeTicks ticks = TicksFor(layout.From, layout.To, layout.Right - layout.Left);
    cairo_set_line_width(cr, 1);
    for (const double tick : ticks.At) {
        const double x = std::round(layout.XOf(tick)) + 0.5;
        cairo_set_source_rgba(cr, 0.5, 0.5, 0.5, 0.35);
        cairo_move_to(cr, x, gridTop);
        cairo_line_to(cr, x, axisY);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_move_to(cr, x, axisY);
        cairo_line_to(cr, x, axisY + 5);
        cairo_stroke(cr);
        Text(cr, x, axisY + 18, FixedText(tick, ticks.Decimals), 11, 0.5);
    }
    Text(cr, (layout.Left + layout.Right) / 2, axisY + 36, "time (s)", 12, 0.5, true);
}

// Hands the drawing library's output to the file; an error of the file is kept for the caller
// to throw, as it cannot pass through the library.
struct CairoOutput {
    files::OutputFile& File;
    std::exception_ptr Failure;

    static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
        auto* output = static_cast<CairoOutput*>(closure);
        try {
            output->File.Write({reinterpret_cast<const char*>(data), length});
            return CAIRO_STATUS_SUCCESS;
        } catch (...) {
            output->Failure = std::current_exception();
            return CAIRO_STATUS_WRITE_ERROR;
        }
    }
};

}  // namespace

void ReleasePlotCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

Rgb OutputColour(std::size_t index) {
    return kPalette[index % std::size(kPalette)];
}

Rgb BandColourOnWhite(std::size_t index) {
    const Rgb colour = OutputColour(index);
    const auto blend = [](int c) {
        return static_cast<int>(std::lround(255.0 * (1 - kBandAlpha) + c * kBandAlpha));
    };
    return {blend(colour.Red), blend(colour.Green), blend(colour.Blue)};
}

PlotLayout LayoutPlot(const std::string& path, const device::Signals& signals,
                      const device::Trace& trace, const std::vector<OutputCommandBlock>& blocks,
                      const std::vector<InputScale>& inputs, const PlotOptions& options) {
    if (signals.SampleCount() == 0 || !(signals.SampleRate > 0))
        throw SignalFileError(path, 0, "there are no samples to plot");
    if (signals.Channels.size() > inputs.size())
        throw SignalFileError(path, 0, "the signals have more channels than the device inputs");
    const double start = signals.StartTime;
    const double end = start + static_cast<double>(signals.SampleCount()) / signals.SampleRate;
    PlotLayout layout;
    layout.Width = std::clamp(options.Width, 400, 20000);
    const std::vector<std::size_t> plotted = PlottedOutputs(trace, blocks);
    // Room at the left for the widest output label.
    layout.Left = kLeftMargin;
    for (const std::size_t output : plotted) {
        const device::OutputTrace& lane = trace.Outputs[output];
        layout.Left = std::max({layout.Left, TextWidth(OutputName(lane.Output), 11, true) + 12,
                                TextWidth(CountsLabel(lane), 10, false) + 12});
    }
    layout.Right = std::max(layout.Left + 100, layout.Width - kRightMargin);
    layout.Width = static_cast<int>(std::ceil(layout.Right + kRightMargin));

    layout.From = options.From.value_or(start);
    layout.To = options.To.value_or(end);
    // A window in order whose times cannot be told apart (a recording long after time 0 may
    // even end where it starts) has nothing to draw them on.
    if (layout.From <= layout.To) {
        if (const auto narrow = TooNarrow(layout.From, layout.To, layout.Right - layout.Left))
            throw SignalFileError(path, 0,
                                  "the window from " + ShortNumber(layout.From, 17) + " s to " +
                                      ShortNumber(layout.To, 17) +
                                      " s cannot be drawn: " + *narrow);
    }
    if (!(layout.From < layout.To) || layout.To <= start || layout.From >= end) {
        throw SignalFileError(path, 0,
                              "the window from " + ShortNumber(layout.From, 9) + " s to " +
                                  ShortNumber(layout.To, 9) +
                                  " s is empty or outside the recording (" + ShortNumber(start, 9) +
                                  " s to " + ShortNumber(end, 9) + " s)");
    }

    std::vector<std::size_t> used = UsedInputs(blocks, signals.Channels.size());
    if (used.empty()) {
        for (std::size_t input = 0; input < signals.Channels.size(); ++input)
            used.push_back(input);
    }
    double y = kTitleHeight;
    const auto [first, last] = SampleWindow(signals, layout.From, layout.To);
    for (const std::size_t input : used) {
        PlotLayout::InputLane lane;
        lane.Input = input;
        lane.Top = y;
        lane.Bottom = y + kInputLaneHeight;
        double low = INFINITY, high = -INFINITY;
        const std::vector<double>& values = signals.Channels[input].Values;
        for (std::int64_t sample = first; sample < last; ++sample) {
            low = std::min(low, values[static_cast<std::size_t>(sample)]);
            high = std::max(high, values[static_cast<std::size_t>(sample)]);
        }
        for (const Band& band : BandsOf(input, trace, blocks, inputs, plotted)) {
            low = std::min(low, band.Low);
            high = std::max(high, band.High);
        }
        if (!(low <= high))
            low = high = 0.0;
        const double margin = std::max((high - low) * 0.08, 1e-9 * std::max(1.0, std::fabs(high)));
        // Room at the top for the lane's title and band labels.
        lane.Low = low - margin;
        lane.High = high + margin + (high - low + 2 * margin) * 0.18;
        layout.Inputs.push_back(lane);
        y = lane.Bottom + kLaneGap;
    }
    for (const std::size_t output : plotted) {
        layout.Outputs.push_back({output, y, y + kOutputLaneHeight});
        y += kOutputLaneHeight + 4;
    }
    layout.Height = static_cast<int>(std::ceil(y + kAxisHeight));
    return layout;
}

void WritePlot(const std::string& path, const device::Signals& signals, const device::Trace& trace,
               const std::vector<OutputCommandBlock>& blocks, const std::vector<InputScale>& inputs,
               const PlotOptions& options) {
    const PlotLayout layout = LayoutPlot(path, signals, trace, blocks, inputs, options);
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".png" && extension != ".svg")
        throw SignalFileError(path, 0, "a picture is written as .png or .svg");
    const bool svg = extension == ".svg";
    if (!svg && (layout.Height > kLargestImage || layout.Width > kLargestImage))
        throw SignalFileError(
            path, 0,
            "with " + std::to_string(layout.Outputs.size()) + " outputs and " +
                std::to_string(layout.Inputs.size()) + " inputs to draw the picture would be " +
                std::to_string(layout.Width) + " by " + std::to_string(layout.Height) +
                " pixels, larger than the " + std::to_string(kLargestImage) +
                " a PNG can have here; write an SVG (.svg) instead");
    files::OutputFile file(path);
    CairoOutput output{file, nullptr};
    const std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface(
        svg ? cairo_svg_surface_create_for_stream(&CairoOutput::Write, &output, layout.Width,
                                                  layout.Height)
            : cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.Width, layout.Height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw SignalFileError(path, 0,
                              "cannot be drawn: " + std::string(cairo_status_to_string(
                                                        cairo_surface_status(surface.get()))));
    {
        const std::unique_ptr<cairo_t, CairoDeleter> context(cairo_create(surface.get()));
        cairo_t* cr = context.get();
        cairo_set_source_rgb(cr, 0.965, 0.965, 0.965);
        cairo_paint(cr);

        const std::vector<std::size_t> plotted = PlottedOutputs(trace, blocks);
        const int decimals = TicksFor(layout.From, layout.To, layout.Right - layout.Left).Decimals;
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        Text(cr, layout.Left, 22,
             "Replay of " +
                 DurationText(static_cast<double>(signals.SampleCount()) / signals.SampleRate) +
                 " at " + ShortNumber(signals.SampleRate, 7) + " samples/s, shown from " +
                 FixedText(layout.From, decimals) + " s to " + FixedText(layout.To, decimals) +
                 " s (" + DurationText(layout.To - layout.From) + ")",
             13, 0.0, true);
        for (const PlotLayout::InputLane& lane : layout.Inputs)
            DrawInputLane(cr, layout, lane, signals,
                          BandsOf(lane.Input, trace, blocks, inputs, plotted));
        for (std::size_t i = 0; i < layout.Outputs.size(); ++i)
            DrawOutputLane(cr, layout, layout.Outputs[i], i, trace);
        const double axisY = layout.Height - kAxisHeight + 4;
        DrawTimeAxis(cr, layout, kTitleHeight, axisY);
    }
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (svg) {
        cairo_surface_finish(surface.get());
        status = cairo_surface_status(surface.get());
    } else {
        status = cairo_surface_write_to_png_stream(surface.get(), &CairoOutput::Write, &output);
    }
    if (output.Failure)
        std::rethrow_exception(output.Failure);
    if (status != CAIRO_STATUS_SUCCESS)
        throw SignalFileError(path, 0,
                              std::string("could not be drawn: ") + cairo_status_to_string(status));
    file.Commit();
}

namespace {

class PlotWriter final : public ReportWriter {
public:
    explicit PlotWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup& setup) override { setup_ = setup; }
    void Consume(const device::Signals& samples, const device::Trace& events) override {
        samples_ = &samples;
        events_ = &events;
    }
    std::string Finish() override {
        static const device::Signals kNoSamples;
        static const device::Trace kNothing;
        PlotOptions options;
        options.From = setup_.From;
        options.To = setup_.To;
        WritePlot(path_, samples_ != nullptr ? *samples_ : kNoSamples,
                  events_ != nullptr ? *events_ : kNothing, setup_.Blocks, setup_.Inputs, options);
        return "Picture written to " + WhereTo(path_);
    }

private:
    std::string path_;
    ReplaySetup setup_;
    const device::Signals* samples_ = nullptr;
    const device::Trace* events_ = nullptr;
};

}  // namespace

const ReportKind& PlotReport() {
    static const ReportKind kind{
        "--plot",
        "OUT.png|OUT.svg",
        "draws the used inputs with each rule's band and the outputs' pulses, as PNG or SVG",
        [](const std::string& path) -> std::unique_ptr<ReportWriter> {
            return std::make_unique<PlotWriter>(path);
        },
        {".png", ".svg"},
        nullptr,
    };
    return kind;
}

}  // namespace preview
