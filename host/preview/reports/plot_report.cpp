#include "host/preview/reports/plot_report.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <memory>
#include <tuple>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/picture_file.h"
#include "host/preview/reports/report_file.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/spill_queue.h"
#include "host/preview/reports/time_axis.h"
#include "host/preview/reports/trace_labels.h"
#include "host/preview/reports/trace_scoring.h"

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
std::vector<std::size_t> PlottedOutputs(const std::vector<std::int32_t>& numbers,
                                        const std::vector<OutputCommandBlock>& blocks) {
    std::vector<std::size_t> outputs;
    for (std::size_t o = 0; o < numbers.size(); ++o) {
        const OutputCommandBlock* block = BlockOf(blocks, numbers[o]);
        if (blocks.empty() || (block != nullptr && block->Mode != OutputCommandBlock::kOff))
            outputs.push_back(o);
    }
    return outputs;
}

std::vector<Band> BandsOf(std::size_t input, const std::vector<std::int32_t>& numbers,
                          const std::vector<OutputCommandBlock>& blocks,
                          const std::vector<InputScale>& inputs,
                          const std::vector<std::size_t>& plotted) {
    std::vector<Band> bands;
    const InputScale& scale = inputs[input];
    for (std::size_t lane = 0; lane < plotted.size(); ++lane) {
        const OutputCommandBlock* block = BlockOf(blocks, numbers[plotted[lane]]);
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

// A sample index for a real one, range-checked: the window's ends may lie far outside.
std::int64_t ClampedSample(double index, std::int64_t count) {
    if (!(index > 0.0))
        return 0;
    if (index >= static_cast<double>(count))
        return count;
    return static_cast<std::int64_t>(index);
}

std::pair<std::int64_t, std::int64_t> SampleWindow(const device::RecordingInfo& recording,
                                                   double from, double to) {
    const double rate = recording.SampleRate;
    const std::int64_t count = recording.SampleCount;
    return {ClampedSample(std::floor((from - recording.StartTime) * rate), count),
            ClampedSample(std::ceil((to - recording.StartTime) * rate) + 1, count)};
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
std::string CountsLabel(std::size_t pulses, std::size_t ignored) {
    return std::to_string(pulses) + " pulses, " + std::to_string(ignored) + " ignored in all";
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

// The same width, measured without a surface: the margins the replay may need are weighed
// before it, and a picture's surfaces stay those it draws (an SVG names its surface by the
// surfaces made before it).
double MeasuredWidth(const std::string& text, double size, bool bold) {
    cairo_font_face_t* face =
        cairo_toy_font_face_create("DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                                   bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_matrix_t scale, identity;
    cairo_matrix_init_scale(&scale, size, size);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    // As an image surface measures: the advances hinted to whole pixels.
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_scaled_font_t* font = cairo_scaled_font_create(face, &scale, &identity, options);
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(font, text.c_str(), &extents);
    cairo_scaled_font_destroy(font);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(face);
    return extents.x_advance;
}

// Coordinates as the drawing library takes them: in 256ths of a unit.
constexpr double kFixedUnits = 256.0;

// What an input's lane draws of the samples in the window: per pixel column the range of its
// samples when the window holds many, else the samples themselves.
struct ColumnRange {
    double Low, High;
};
struct LaneSamples {
    std::int64_t First = 0;  // the window's first sample
    std::vector<ColumnRange> Columns;
    std::vector<double> Points;
    bool Dots = false;  // so few samples that each is drawn as a dot
};

// What an output's lane draws: its pulses (those that overlap joined) and the places of its
// ignored triggers (one mark for all at one place), in the drawing library's units.
struct LaneMarks {
    std::int32_t Output = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> Pulses;
    std::vector<std::int64_t> Ignored;
    // Scored: where the missed events lie and where the false pulses start.
    std::vector<std::int64_t> Missed;
    std::vector<std::int64_t> FalsePulses;
    std::size_t PulseCount = 0;
    std::size_t IgnoredCount = 0;
};

// Keeps of a replay, block by block, what the picture draws, in a memory that grows with the
// picture, never with the recording. The margin at the left widens for long counts, which are
// known only at the end, and with it the pixel columns change: so the ranges of the samples are
// kept for the pieces between every column edge the margins the counts could give may draw
// (at most a few tens of thousands), and joined into the columns of the margin they give. The
// pulses and ignored triggers in the window wait in a queue (set aside in a temporary file when
// many) until the margin is known.
class PlotCollector {
public:
    // Throws SignalFileError (naming `path`) when the window is empty or outside the recording,
    // too narrow for its times, or the picture too large.
    PlotCollector(const std::string& path, const ReplaySetup& setup, const PlotOptions& options);
    void Needs(device::BlockNeeds& needs) const;
    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events);
    // Once every block is in.
    const PlotLayout& Layout();
    const ReplaySetup& Setup() const { return setup_; }
    const LaneSamples& SamplesOf(std::size_t k) const { return drawn_[k]; }
    const LaneMarks& MarksOf(std::size_t lane) const { return marks_[lane]; }
    std::vector<Band> Bands(std::size_t input) const;

private:
    // The samples of one input's lane, by piece between column edges.
    struct Piece {
        double Low = INFINITY, High = -INFINITY, Last = 0;
        bool Any = false;
    };
    struct LaneCollected {
        double Low = INFINITY, High = -INFINITY;  // of every sample in the window
        double FirstValue = 0;
        bool Started = false;
        std::vector<Piece> Pieces;   // [piece]
        std::vector<double> Points;  // the samples themselves, when they may be drawn so
    };
    // A run of a block's samples within one piece.
    struct Run {
        std::int64_t From, To;
        std::size_t Piece;
    };

    static constexpr std::size_t kNoLane = static_cast<std::size_t>(-1);
    // The margin at the left for the output lanes' labels with these counts.
    // `measured`: weighed without a surface; otherwise measured as the picture's layout does.
    double LeftFor(const std::vector<std::pair<std::size_t, std::size_t>>& counts,
                   bool measured = true) const;
    void Lay(double left);
    void Edges();
    void Cut(std::int64_t from, std::int64_t to);
    double TimeOf(std::int64_t sample) const;
    std::int64_t FirstAtOrAfter(double time, std::int64_t from, std::int64_t to) const;
    void Samples(std::size_t k, const double* values, std::int64_t from, std::int64_t to);
    void Columns(std::size_t k, int columns);
    void Marks(std::size_t lane);
    void Scored(const device::TraceBlock& events, double before, double after);
    static std::int64_t Fixed(double x);

    std::string path_;
    ReplaySetup setup_;
    PlotOptions options_;
    PlotLayout layout_;
    std::int64_t first_ = 0, last_ = 0;  // the window's samples [first_, last_)
    std::vector<std::int32_t> numbers_;  // the outputs, in the programs' order
    std::vector<std::size_t> laneOf_;    // by output: its lane, or kNoLane
    std::vector<std::string> names_;     // of the plotted outputs
    double mostPoints_ = 0;              // the samples drawn one by one at most
    std::vector<double> edges_;          // every column edge any margin may draw, ascending
    std::size_t piece_ = 0;              // the piece the next sample falls in
    std::vector<Run> runs_;              // of the block being collected
    std::vector<LaneCollected> collected_;
    std::vector<LaneSamples> drawn_;
    std::vector<LaneMarks> marks_;
    std::vector<SpillQueue<device::Pulse>> pulses_;            // by lane, in the window
    std::vector<SpillQueue<device::IgnoredTrigger>> ignored_;  // by lane, in the window
    // Scored: the missed events and false pulses' starts, by lane, in the window (seconds).
    std::optional<TraceScoring> scoring_;
    std::vector<SpillQueue<double>> missed_;
    std::vector<SpillQueue<double>> false_;
    bool outputsKnown_ = false;
    bool laidOut_ = false;
};

void DrawInputLane(cairo_t* cr, const PlotLayout& layout, const PlotLayout::InputLane& lane,
                   const device::RecordingInfo& recording, const LaneSamples& samples,
                   const std::vector<Band>& bands) {
    const double left = layout.Left, right = layout.Right;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_fill(cr);

    // Value grid and labels.
    const device::ChannelName& channel = recording.Channels[lane.Input];
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
    const double rate = recording.SampleRate;
    const auto xOfSample = [&](std::int64_t sample) {
        return layout.XOf(recording.StartTime + static_cast<double>(sample) / rate);
    };
    if (!samples.Columns.empty()) {
        // Per pixel column the range of its samples, joined to the column before.
        for (std::size_t column = 0; column < samples.Columns.size(); ++column) {
            const double x = left + static_cast<double>(column) + 0.5;
            cairo_move_to(cr, x, lane.YOf(samples.Columns[column].High) - 0.5);
            cairo_line_to(cr, x, lane.YOf(samples.Columns[column].Low) + 0.5);
        }
        cairo_stroke(cr);
    } else if (!samples.Points.empty()) {
        const std::int64_t first = samples.First;
        const auto valueOf = [&](std::int64_t sample) {
            return samples.Points[static_cast<std::size_t>(sample - first)];
        };
        const std::int64_t last = first + static_cast<std::int64_t>(samples.Points.size());
        for (std::int64_t sample = first; sample < last; ++sample) {
            const double x = xOfSample(sample), y = lane.YOf(valueOf(sample));
            if (sample == first)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
        if (samples.Dots) {
            // Few samples: each one as a dot, so the sample instants show.
            for (std::int64_t sample = first; sample < last; ++sample) {
                cairo_arc(cr, xOfSample(sample), lane.YOf(valueOf(sample)), 1.8, 0, 2 * M_PI);
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
                    std::size_t colour, const LaneMarks& marks) {
    const double left = layout.Left, right = layout.Right;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_fill(cr);
    const double high = lane.Top + 9, low = lane.Bottom - 1;

    cairo_save(cr);
    cairo_rectangle(cr, left, lane.Top, right - left, lane.Bottom - lane.Top);
    cairo_clip(cr);
    SetColour(cr, OutputColour(colour), 0.85);
    for (const auto& [from, to] : marks.Pulses)
        cairo_rectangle(cr, from / kFixedUnits, high, (to - from) / kFixedUnits, low - high);
    cairo_fill(cr);
    // Ignored triggers: small dark-red marks hanging from the top.
    cairo_set_source_rgb(cr, 0.7, 0.05, 0.05);
    for (const std::int64_t at : marks.Ignored) {
        const double x = at / kFixedUnits;
        cairo_move_to(cr, x - 3.5, lane.Top + 1);
        cairo_line_to(cr, x + 3.5, lane.Top + 1);
        cairo_line_to(cr, x, lane.Top + 7);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    // Scored: a false pulse is crossed out in red at its start; a missed event is a purple
    // triangle standing on the lane's bottom where it lies.
    cairo_set_source_rgb(cr, 0.85, 0.0, 0.0);
    cairo_set_line_width(cr, 2);
    const double middle = (high + low) / 2;
    for (const std::int64_t at : marks.FalsePulses) {
        const double x = at / kFixedUnits;
        cairo_move_to(cr, x - 5, middle - 5);
        cairo_line_to(cr, x + 5, middle + 5);
        cairo_move_to(cr, x - 5, middle + 5);
        cairo_line_to(cr, x + 5, middle - 5);
    }
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.5, 0.1, 0.75);
    for (const std::int64_t at : marks.Missed) {
        const double x = at / kFixedUnits;
        cairo_move_to(cr, x - 5, low);
        cairo_line_to(cr, x + 5, low);
        cairo_line_to(cr, x, low - 12);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);

    SetColour(cr, OutputColour(colour));
    Text(cr, left - 6, lane.Top + 18, OutputName(marks.Output), 11, 1.0, true);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    Text(cr, left - 6, lane.Top + 32, CountsLabel(marks.PulseCount, marks.IgnoredCount), 10, 1.0);
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

// The picture's kind by the file name's extension: ".svg" or ".png" (letter case aside).
std::string PictureExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

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

namespace {

PlotCollector::PlotCollector(const std::string& path, const ReplaySetup& setup,
                             const PlotOptions& options)
    : path_(path), setup_(setup), options_(options) {
    if (setup.Scoring)
        scoring_.emplace(setup, true);
    const device::RecordingInfo& recording = setup.Recording;
    if (recording.SampleCount == 0 || !(recording.SampleRate > 0))
        throw SignalFileError(path, 0, "there are no samples to plot");
    if (recording.Channels.size() > setup.Inputs.size())
        throw SignalFileError(path, 0, "the signals have more channels than the device inputs");
    const std::string extension = PictureExtension(path);
    if (extension != ".png" && extension != ".svg")
        throw SignalFileError(path, 0, "a picture is written as .png or .svg");
    // The outputs as the blocks name them; the first block of the replay names them again.
    for (const OutputCommandBlock& block : setup.Blocks)
        numbers_.push_back(block.Output);
    std::vector<std::pair<std::size_t, std::size_t>> none;
    for (const std::size_t o : PlottedOutputs(numbers_, setup.Blocks)) {
        (void)o;
        none.emplace_back(0, 0);
    }
    names_.clear();
    for (const std::size_t o : PlottedOutputs(numbers_, setup.Blocks))
        names_.push_back(OutputName(numbers_[o]));
    Lay(LeftFor(none));

    const double start = recording.StartTime;
    const double end = start + static_cast<double>(recording.SampleCount) / recording.SampleRate;
    // A window in order whose times cannot be told apart (a recording long after time 0 may
    // even end where it starts) has nothing to draw them on.
    if (layout_.From <= layout_.To) {
        if (const auto narrow = TooNarrow(layout_.From, layout_.To, layout_.Right - layout_.Left))
            throw SignalFileError(path, 0,
                                  "the window from " + ShortNumber(layout_.From, 17) + " s to " +
                                      ShortNumber(layout_.To, 17) +
                                      " s cannot be drawn: " + *narrow);
    }
    if (!(layout_.From < layout_.To) || layout_.To <= start || layout_.From >= end) {
        throw SignalFileError(path, 0,
                              "the window from " + ShortNumber(layout_.From, 9) + " s to " +
                                  ShortNumber(layout_.To, 9) +
                                  " s is empty or outside the recording (" + ShortNumber(start, 9) +
                                  " s to " + ShortNumber(end, 9) + " s)");
    }
    std::tie(first_, last_) = SampleWindow(recording, layout_.From, layout_.To);
    std::vector<std::size_t> used = UsedInputs(setup.Blocks, recording.Channels.size());
    if (used.empty()) {
        for (std::size_t input = 0; input < recording.Channels.size(); ++input)
            used.push_back(input);
    }
    for (const std::size_t input : used) {
        PlotLayout::InputLane lane;
        lane.Input = input;
        layout_.Inputs.push_back(lane);
    }
    collected_.resize(used.size());
    drawn_.resize(used.size());
    // The picture's height is known now; a PNG too large is refused before the replay.
    double height = kTitleHeight;
    height += static_cast<double>(used.size()) * (kInputLaneHeight + kLaneGap);
    height += static_cast<double>(none.size()) * (kOutputLaneHeight + 4);
    const int pictureHeight = static_cast<int>(std::ceil(height + kAxisHeight));
    if (extension == ".png" && (pictureHeight > kLargestImage || layout_.Width > kLargestImage))
        throw SignalFileError(
            path, 0,
            "with " + std::to_string(none.size()) + " outputs and " + std::to_string(used.size()) +
                " inputs to draw the picture would be " + std::to_string(layout_.Width) + " by " +
                std::to_string(pictureHeight) + " pixels, larger than the " +
                std::to_string(kLargestImage) +
                " a PNG can have here; write an SVG (.svg) instead");
}

double PlotCollector::LeftFor(const std::vector<std::pair<std::size_t, std::size_t>>& counts,
                              bool measured) const {
    const auto width = measured ? &MeasuredWidth : &TextWidth;
    // Room at the left for the widest output label.
    double left = kLeftMargin;
    for (std::size_t lane = 0; lane < counts.size(); ++lane) {
        const double name = lane < names_.size() ? width(names_[lane], 11, true) + 12 : 0.0;
        left =
            std::max({left, name,
                      width(CountsLabel(counts[lane].first, counts[lane].second), 10, false) + 12});
    }
    return left;
}

void PlotCollector::Lay(double left) {
    const device::RecordingInfo& recording = setup_.Recording;
    layout_.Width = std::clamp(options_.Width, 400, 20000);
    layout_.Left = left;
    layout_.Right = std::max(layout_.Left + 100, layout_.Width - kRightMargin);
    layout_.Width = static_cast<int>(std::ceil(layout_.Right + kRightMargin));
    layout_.From = options_.From.value_or(recording.StartTime);
    layout_.To = options_.To.value_or(
        recording.StartTime + static_cast<double>(recording.SampleCount) / recording.SampleRate);
}

// The column edges of every margin the counts may give: each count is at most the sample count,
// so a label has at most twice its digits.
void PlotCollector::Edges() {
    const std::size_t digits = std::to_string(setup_.Recording.SampleCount).size();
    std::vector<int> widths;
    for (std::size_t pulses = 1; pulses <= digits; ++pulses) {
        for (std::size_t ignored = 1; ignored <= digits; ++ignored) {
            const auto count = [](std::size_t n) { return std::stoull(std::string(n, '8')); };
            std::vector<std::pair<std::size_t, std::size_t>> counts(
                marks_.size(), {count(pulses), count(ignored)});
            Lay(LeftFor(counts));
            widths.push_back(static_cast<int>(layout_.Right - layout_.Left));
        }
    }
    std::vector<std::pair<std::size_t, std::size_t>> none(marks_.size(), {0, 0});
    Lay(LeftFor(none));
    widths.push_back(static_cast<int>(layout_.Right - layout_.Left));
    std::sort(widths.begin(), widths.end());
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
    mostPoints_ = 2.0 * std::max(1, widths.back());
    for (const int columns : widths) {
        for (int column = 0; column < columns; ++column)
            edges_.push_back(layout_.From + (column + 1) * (layout_.To - layout_.From) / columns);
    }
    std::sort(edges_.begin(), edges_.end());
    edges_.erase(std::unique(edges_.begin(), edges_.end()), edges_.end());
    for (LaneCollected& lane : collected_)
        lane.Pieces.resize(edges_.size() + 1);
}

void PlotCollector::Needs(device::BlockNeeds& needs) const {
    for (const PlotLayout::InputLane& lane : layout_.Inputs)
        needs.Values[lane.Input] = true;
}

void PlotCollector::Consume(const device::SampleBlock& samples, const device::TraceBlock& events) {
    if (!outputsKnown_) {
        numbers_.clear();
        for (const device::OutputTrace& output : events.Outputs)
            numbers_.push_back(output.Output);
        laneOf_.assign(numbers_.size(), kNoLane);
        names_.clear();
        for (const std::size_t o : PlottedOutputs(numbers_, setup_.Blocks)) {
            laneOf_[o] = marks_.size();
            marks_.emplace_back().Output = numbers_[o];
            names_.push_back(OutputName(numbers_[o]));
        }
        pulses_.resize(marks_.size());
        ignored_.resize(marks_.size());
        missed_.resize(marks_.size());
        false_.resize(marks_.size());
        Edges();
        outputsKnown_ = true;
    }
    const std::int64_t from = std::max(first_, samples.First);
    const std::int64_t to = std::min(last_, samples.First + samples.Count);
    if (from < to)
        Cut(from, to);
    for (std::size_t k = 0; k < layout_.Inputs.size() && from < to; ++k)
        Samples(k, samples.Values[layout_.Inputs[k].Input].data() + (from - samples.First), from,
                to);
    // The pulses and ignored triggers that may show in the window, whatever the margin.
    const double before = layout_.From - (layout_.To - layout_.From);
    const double after = layout_.To + (layout_.To - layout_.From);
    for (std::size_t o = 0; o < events.Outputs.size() && o < laneOf_.size(); ++o) {
        const std::size_t lane = laneOf_[o];
        if (lane == kNoLane)
            continue;
        marks_[lane].PulseCount += events.Outputs[o].Pulses.size();
        marks_[lane].IgnoredCount += events.Outputs[o].Ignored.size();
        for (const device::Pulse& pulse : events.Outputs[o].Pulses) {
            if (TimeOf(pulse.End) >= before && TimeOf(pulse.Start) <= after)
                pulses_[lane].Push(pulse);
        }
        for (const device::IgnoredTrigger& ignored : events.Outputs[o].Ignored) {
            if (TimeOf(ignored.Sample) >= before && TimeOf(ignored.Sample) <= after)
                ignored_[lane].Push(ignored);
        }
    }
    if (scoring_)
        Scored(events, before, after);
}

void PlotCollector::Scored(const device::TraceBlock& events, double before, double after) {
    scoring_->Consume(events);
    const auto shown = [&](double time) { return time >= before && time <= after; };
    for (std::size_t o = 0; o < scoring_->Outputs(); ++o) {
        const std::size_t lane = o < laneOf_.size() ? laneOf_[o] : kNoLane;
        if (!scoring_->Scores(o))
            continue;
        scoring::Matcher& matcher = scoring_->Of(o);
        for (std::optional<scoring::PulseFate> fate; (fate = matcher.NextFate());
             matcher.TakeFate()) {
            if (lane != kNoLane && fate->Counted && !fate->Hit && shown(fate->Start))
                false_[lane].Push(fate->Start);
        }
        for (std::optional<double> missed; (missed = matcher.NextMissed()); matcher.TakeMissed()) {
            if (lane != kNoLane && shown(*missed))
                missed_[lane].Push(*missed);
        }
    }
}

void PlotCollector::Cut(std::int64_t from, std::int64_t to) {
    runs_.clear();
    std::int64_t sample = from;
    while (sample < to) {
        const std::int64_t end =
            piece_ < edges_.size() ? FirstAtOrAfter(edges_[piece_], sample, to) : to;
        if (end > sample)
            runs_.push_back({sample, end, piece_});
        if (end >= to)
            break;
        while (piece_ < edges_.size() && TimeOf(end) >= edges_[piece_])
            ++piece_;
        sample = end;
    }
}

double PlotCollector::TimeOf(std::int64_t sample) const {
    return setup_.Recording.StartTime + static_cast<double>(sample) / setup_.Recording.SampleRate;
}

std::int64_t PlotCollector::FirstAtOrAfter(double time, std::int64_t from, std::int64_t to) const {
    // An estimate, then corrected by the very times the samples have.
    const double estimate =
        std::ceil((time - setup_.Recording.StartTime) * setup_.Recording.SampleRate);
    std::int64_t sample = estimate <= static_cast<double>(from) ? from
                          : estimate >= static_cast<double>(to)
                              ? to
                              : static_cast<std::int64_t>(estimate);
    while (sample > from && TimeOf(sample - 1) >= time)
        --sample;
    while (sample < to && TimeOf(sample) < time)
        ++sample;
    return sample;
}

void PlotCollector::Samples(std::size_t k, const double* values, std::int64_t from,
                            std::int64_t to) {
    LaneCollected& lane = collected_[k];
    if (!lane.Started) {
        lane.FirstValue = values[0];
        lane.Started = true;
    }
    if (static_cast<double>(last_ - first_) <= mostPoints_)
        lane.Points.insert(lane.Points.end(), values, values + (to - from));
    for (const Run& run : runs_) {
        Piece& piece = lane.Pieces[run.Piece];
        double low = piece.Low, high = piece.High;
        double windowLow = lane.Low, windowHigh = lane.High;
        for (std::int64_t sample = run.From; sample < run.To; ++sample) {
            const double value = values[sample - from];
            low = std::min(low, value);
            high = std::max(high, value);
            windowLow = std::min(windowLow, value);
            windowHigh = std::max(windowHigh, value);
        }
        piece.Low = low;
        piece.High = high;
        piece.Last = values[run.To - 1 - from];
        piece.Any = true;
        lane.Low = windowLow;
        lane.High = windowHigh;
    }
}

// The ranges of `columns` pixel columns from the pieces, as a walk over the samples gives them:
// per column the range of its samples, each column starting from the last sample of the one
// before (a column without samples is that sample alone); the columns after the last one the
// window holds get none.
void PlotCollector::Columns(std::size_t k, int columns) {
    const LaneCollected& lane = collected_[k];
    std::vector<ColumnRange>& out = drawn_[k].Columns;
    out.clear();
    if (!lane.Started)
        return;
    double previous = lane.FirstValue;
    double low = previous, high = previous;
    int column = 0;
    int edge = 0;  // the columns whose end lies at or before the piece's start
    double end = layout_.From + (edge + 1) * (layout_.To - layout_.From) / columns;
    for (std::size_t p = 0; p < lane.Pieces.size(); ++p) {
        // The piece starts at edges_[p - 1]; its samples are in column `edge`.
        while (p > 0 && edge < columns && edges_[p - 1] >= end) {
            ++edge;
            end = layout_.From + (edge + 1) * (layout_.To - layout_.From) / columns;
        }
        const Piece& piece = lane.Pieces[p];
        if (!piece.Any)
            continue;
        for (; column < edge && column < columns; ++column) {
            out.push_back({low, high});
            low = high = previous;
        }
        if (column >= columns)
            return;
        low = std::min(low, piece.Low);
        high = std::max(high, piece.High);
        previous = piece.Last;
    }
    if (column < columns)
        out.push_back({low, high});
}

std::int64_t PlotCollector::Fixed(double x) {
    // As the drawing library takes coordinates: in 256ths of a unit, rounded to the nearest. A
    // pulse that starts or ends far outside a narrow window is held within a trillion pixels,
    // far beyond what the picture shows.
    constexpr double kFar = 1e12;
    return static_cast<std::int64_t>(std::nearbyint(std::clamp(x, -kFar, kFar) * kFixedUnits));
}

void PlotCollector::Marks(std::size_t lane) {
    LaneMarks& marks = marks_[lane];
    const auto xOf = [&](std::int64_t sample) { return layout_.XOf(TimeOf(sample)); };
    for (SpillQueue<device::Pulse>& pulses = pulses_[lane]; !pulses.Empty(); pulses.Pop()) {
        const device::Pulse pulse = pulses.Front();
        const double x0 = xOf(pulse.Start), x1 = xOf(pulse.End);
        if (x1 < layout_.Left || x0 > layout_.Right)
            continue;
        // At least a pixel wide, so that every pulse of a long recording shows. Pulses that
        // overlap are kept as one: the same area, filled at once.
        const std::int64_t from = Fixed(x0);
        const std::int64_t to = from + Fixed(std::max(1.0, x1 - x0));
        if (!marks.Pulses.empty() && from <= marks.Pulses.back().second &&
            from >= marks.Pulses.back().first)
            marks.Pulses.back().second = std::max(marks.Pulses.back().second, to);
        else
            marks.Pulses.emplace_back(from, to);
    }
    for (SpillQueue<device::IgnoredTrigger>& ignored = ignored_[lane]; !ignored.Empty();
         ignored.Pop()) {
        const double x = xOf(ignored.Front().Sample);
        if (x < layout_.Left || x > layout_.Right)
            continue;
        // Marks at the same place are one.
        const std::int64_t at = Fixed(x);
        if (marks.Ignored.empty() || marks.Ignored.back() != at)
            marks.Ignored.push_back(at);
    }
    const auto place = [&](SpillQueue<double>& times, std::vector<std::int64_t>& at) {
        for (; !times.Empty(); times.Pop()) {
            const double x = layout_.XOf(times.Front());
            if (x >= layout_.Left && x <= layout_.Right && (at.empty() || at.back() != Fixed(x)))
                at.push_back(Fixed(x));
        }
    };
    place(missed_[lane], marks.Missed);
    place(false_[lane], marks.FalsePulses);
}

const PlotLayout& PlotCollector::Layout() {
    if (laidOut_)
        return layout_;
    std::vector<std::pair<std::size_t, std::size_t>> counts;
    for (const LaneMarks& marks : marks_)
        counts.emplace_back(marks.PulseCount, marks.IgnoredCount);
    Lay(LeftFor(counts, false));
    if (const auto narrow = TooNarrow(layout_.From, layout_.To, layout_.Right - layout_.Left))
        throw SignalFileError(path_, 0,
                              "the window from " + ShortNumber(layout_.From, 17) + " s to " +
                                  ShortNumber(layout_.To, 17) + " s cannot be drawn: " + *narrow);
    const double pixels = layout_.Right - layout_.Left;
    const double samplesPerPixel = static_cast<double>(last_ - first_) / std::max(1.0, pixels);
    const bool ranges = last_ - first_ >= 1 && samplesPerPixel > 2.0;
    double y = kTitleHeight;
    for (std::size_t k = 0; k < layout_.Inputs.size(); ++k) {
        PlotLayout::InputLane& lane = layout_.Inputs[k];
        LaneSamples& drawn = drawn_[k];
        drawn.First = first_;
        drawn.Dots = !ranges && samplesPerPixel < 1.0 / 6;
        if (ranges)
            Columns(k, static_cast<int>(pixels));
        else
            drawn.Points = std::move(collected_[k].Points);
        lane.Top = y;
        lane.Bottom = y + kInputLaneHeight;
        double low = collected_[k].Low, high = collected_[k].High;
        for (const Band& band : Bands(lane.Input)) {
            low = std::min(low, band.Low);
            high = std::max(high, band.High);
        }
        if (!(low <= high))
            low = high = 0.0;
        const double margin = std::max((high - low) * 0.08, 1e-9 * std::max(1.0, std::fabs(high)));
        // Room at the top for the lane's title and band labels.
        lane.Low = low - margin;
        lane.High = high + margin + (high - low + 2 * margin) * 0.18;
        y = lane.Bottom + kLaneGap;
    }
    for (std::size_t o = 0; o < laneOf_.size(); ++o) {
        if (laneOf_[o] == kNoLane)
            continue;
        layout_.Outputs.push_back({o, y, y + kOutputLaneHeight});
        y += kOutputLaneHeight + 4;
        Marks(laneOf_[o]);
    }
    layout_.Height = static_cast<int>(std::ceil(y + kAxisHeight));
    laidOut_ = true;
    return layout_;
}

std::vector<Band> PlotCollector::Bands(std::size_t input) const {
    return BandsOf(input, numbers_, setup_.Blocks, setup_.Inputs,
                   PlottedOutputs(numbers_, setup_.Blocks));
}

void DrawPlot(PlotCollector& collected, ReportFile& file) {
    const PlotLayout& layout = collected.Layout();
    const device::RecordingInfo& recording = collected.Setup().Recording;
    const std::string& path = file.Path();
    const bool svg = PictureExtension(path) == ".svg";
    if (!svg && (layout.Height > kLargestImage || layout.Width > kLargestImage))
        throw SignalFileError(
            path, 0,
            "with " + std::to_string(layout.Outputs.size()) + " outputs and " +
                std::to_string(layout.Inputs.size()) + " inputs to draw the picture would be " +
                std::to_string(layout.Width) + " by " + std::to_string(layout.Height) +
                " pixels, larger than the " + std::to_string(kLargestImage) +
                " a PNG can have here; write an SVG (.svg) instead");
    WritePicture(file, layout.Width, layout.Height, [&](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0.965, 0.965, 0.965);
        cairo_paint(cr);

        const int decimals = TicksFor(layout.From, layout.To, layout.Right - layout.Left).Decimals;
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        Text(cr, layout.Left, 22,
             "Replay of " +
                 DurationText(static_cast<double>(recording.SampleCount) / recording.SampleRate) +
                 " at " + ShortNumber(recording.SampleRate, 7) + " samples/s, shown from " +
                 FixedText(layout.From, decimals) + " s to " + FixedText(layout.To, decimals) +
                 " s (" + DurationText(layout.To - layout.From) + ")" +
                 (collected.Setup().Scoring
                      ? "; purple triangles: missed events, red crosses: false pulses"
                      : ""),
             13, 0.0, true);
        for (std::size_t k = 0; k < layout.Inputs.size(); ++k)
            DrawInputLane(cr, layout, layout.Inputs[k], recording, collected.SamplesOf(k),
                          collected.Bands(layout.Inputs[k].Input));
        for (std::size_t i = 0; i < layout.Outputs.size(); ++i)
            DrawOutputLane(cr, layout, layout.Outputs[i], i, collected.MarksOf(i));
        const double axisY = layout.Height - kAxisHeight + 4;
        DrawTimeAxis(cr, layout, kTitleHeight, axisY);
    });
}

ReplaySetup WholeSetup(const device::Signals& signals,
                       const std::vector<OutputCommandBlock>& blocks,
                       const std::vector<InputScale>& inputs, const PlotOptions& options) {
    ReplaySetup setup;
    setup.Blocks = blocks;
    setup.Inputs = inputs;
    setup.From = options.From;
    setup.To = options.To;
    setup.Recording = RecordingOf(signals);
    return setup;
}

// Collects a whole replay as the writer collects its blocks.
class WholeCollector final : public ReportWriter {
public:
    WholeCollector(const std::string& path, const ReplaySetup& setup, const PlotOptions& options)
        : collector(path, setup, options) {}
    void Begin(const ReplaySetup&) override {}
    void Needs(device::BlockNeeds&) const override {}
    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) override {
        collector.Consume(samples, events);
    }
    std::string Finish() override { return ""; }
    PlotCollector collector;
};

class PlotWriter final : public ReportWriter {
public:
    explicit PlotWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup& setup) override {
        PlotOptions options;
        options.From = setup.From;
        options.To = setup.To;
        collector_ = std::make_unique<PlotCollector>(path_, setup, options);
        file_ = std::make_unique<ReportFile>(path_);
    }
    void Needs(device::BlockNeeds& needs) const override { collector_->Needs(needs); }
    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) override {
        collector_->Consume(samples, events);
    }
    std::string Finish() override {
        DrawPlot(*collector_, *file_);
        file_->Commit();
        return "Picture written to " + WhereTo(path_);
    }

private:
    std::string path_;
    std::unique_ptr<PlotCollector> collector_;
    std::unique_ptr<ReportFile> file_;
};

}  // namespace

PlotLayout LayoutPlot(const std::string& path, const device::Signals& signals,
                      const device::Trace& trace, const std::vector<OutputCommandBlock>& blocks,
                      const std::vector<InputScale>& inputs, const PlotOptions& options) {
    const ReplaySetup setup = WholeSetup(signals, blocks, inputs, options);
    WholeCollector whole(path, setup, options);
    ConsumeWhole(whole, setup, signals, trace);
    return whole.collector.Layout();
}

void WritePlot(const std::string& path, const device::Signals& signals, const device::Trace& trace,
               const std::vector<OutputCommandBlock>& blocks, const std::vector<InputScale>& inputs,
               const PlotOptions& options) {
    const ReplaySetup setup = WholeSetup(signals, blocks, inputs, options);
    WholeCollector whole(path, setup, options);
    ConsumeWhole(whole, setup, signals, trace);
    ReportFile file(path);
    DrawPlot(whole.collector, file);
    file.Commit();
}

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
