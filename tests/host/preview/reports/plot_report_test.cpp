// The plot of a small replay: a PNG of the laid-out size with the band, the trace and the pulses
// where the layout puts them; an SVG; and a window outside the recording refused.
#include "host/preview/reports/plot_report.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/time_axis.h"
#include "host/preview/reports/trace_labels.h"
#include "tests/helpers/temp_folder.h"

namespace {

using namespace preview;
using namespace device;

// The drawing library's caches go before the leak checker looks.
class ReleaseCaches : public ::testing::Environment {
public:
    void TearDown() override { ReleasePlotCaches(); }
};
const auto* const kReleaseCaches = ::testing::AddGlobalTestEnvironment(new ReleaseCaches);

struct Pixel {
    int Red, Green, Blue;
};

class Png {
public:
    explicit Png(const std::string& path)
        : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Png() { cairo_surface_destroy(surface_); }
    bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(surface_); }
    int Height() const { return cairo_image_surface_get_height(surface_); }
    Pixel At(double x, double y) const {
        cairo_surface_flush(surface_);
        const unsigned char* row = cairo_image_surface_get_data(surface_) +
                                   static_cast<int>(y) * cairo_image_surface_get_stride(surface_);
        const std::uint32_t value =
            reinterpret_cast<const std::uint32_t*>(row)[static_cast<int>(x)];
        return {static_cast<int>(value >> 16 & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                static_cast<int>(value & 0xFF)};
    }

private:
    cairo_surface_t* surface_;
};

void ExpectColour(Pixel pixel, Rgb colour, const char* what) {
    EXPECT_NEAR(pixel.Red, colour.Red, 3) << what;
    EXPECT_NEAR(pixel.Green, colour.Green, 3) << what;
    EXPECT_NEAR(pixel.Blue, colour.Blue, 3) << what;
}

struct Replay {
    Signals Recorded;
    Trace Result;
    std::vector<OutputCommandBlock> Blocks;
    std::vector<InputScale> Inputs = {{10.0, "V"}, {5.0, "V"}};
};

// Input 2 sits at 0 V for a second at 1 kHz; analog output 2 watches it "above 2.5 V" with a
// hysteresis of 0.5 V and pulses from 0.4 s to 0.6 s; input 1 is not watched.
Replay SmallReplay() {
    Replay replay;
    replay.Recorded.SampleRate = 1000.0;
    replay.Recorded.Channels = {{"Input 1", "V", std::vector<double>(1000, 7.0)},
                                {"Input 2", "V", std::vector<double>(1000, 0.0)}};
    replay.Result.SampleRate = 1000.0;
    replay.Result.SampleCount = 1000;
    replay.Result.Outputs = {{1, {}, {}}, {2, {{400, 600}}, {{500, IgnoredBecause::kPulse}}}};
    OutputCommandBlock off{}, watching{};
    off.Output = 1;
    watching.Output = 2;
    watching.Mode = OutputCommandBlock::kAllRules;
    watching.Rules[0].Input = 2;
    watching.Rules[0].Threshold = 16000;  // 2.5 V of 5 V
    watching.Rules[0].Hysteresis = 3200;  // 0.5 V
    watching.Rules[0].Direction = RuleSlot::kAbove;
    replay.Blocks = {off, watching};
    return replay;
}

// What WritePlot refuses the replay with; empty when it draws.
std::string RefusalOf(const std::string& path, const Replay& replay,
                      const PlotOptions& options = {}) {
    try {
        WritePlot(path, replay.Recorded, replay.Result, replay.Blocks, replay.Inputs, options);
    } catch (const SignalFileError& error) {
        return error.what();
    }
    return "";
}

TEST(PlotWriter, PngShowsTheBandTheTraceAndThePulsesWhereTheLayoutPutsThem) {
    const TempFolder folder;
    const Replay replay = SmallReplay();
    const PlotOptions options{std::nullopt, std::nullopt, 1000};
    const std::string path = folder.PathOf("plot.png");
    WritePlot(path, replay.Recorded, replay.Result, replay.Blocks, replay.Inputs, options);
    const PlotLayout layout =
        LayoutPlot(path, replay.Recorded, replay.Result, replay.Blocks, replay.Inputs, options);

    // One lane for the watched input, one for the output that is not off.
    ASSERT_EQ(layout.Inputs.size(), 1u);
    EXPECT_EQ(layout.Inputs[0].Input, 1u);
    ASSERT_EQ(layout.Outputs.size(), 1u);
    EXPECT_EQ(layout.Outputs[0].Output, 1u);
    EXPECT_LE(layout.Inputs[0].Low, 0.0);
    EXPECT_GE(layout.Inputs[0].High, 2.5);

    const Png png(path);
    ASSERT_TRUE(png.Ok());
    EXPECT_EQ(png.Width(), 1000);
    EXPECT_EQ(png.Height(), layout.Height);
    const PlotLayout::InputLane& lane = layout.Inputs[0];
    // Between two time grid lines (every 0.1 s): 0.05 s and 0.25 s.
    for (const double t : {0.05, 0.25}) {
        ExpectColour(png.At(layout.XOf(t), lane.YOf(2.25)), BandColourOnWhite(0), "band");
        ExpectColour(png.At(layout.XOf(t), lane.YOf(1.5)), {255, 255, 255}, "lane background");
        // The trace's line, antialiased across at most two rows around 0 V.
        int darkest = 3 * 255;
        for (const double dy : {-1.0, 0.0, 1.0}) {
            const Pixel pixel = png.At(layout.XOf(t), lane.YOf(0.0) + dy);
            darkest = std::min(darkest, pixel.Red + pixel.Green + pixel.Blue);
        }
        EXPECT_LT(darkest, 450) << "the trace at 0 V, darker than the grid (675)";
    }
    const PlotLayout::OutputLane& output = layout.Outputs[0];
    const double middle = (output.Top + output.Bottom) / 2;
    const Rgb pulse = OutputColour(0);
    const Pixel inPulse = png.At(layout.XOf(0.45), middle);
    EXPECT_GT(inPulse.Blue, inPulse.Red) << "the pulse in the output's colour";
    EXPECT_NEAR(inPulse.Red, 255 * 0.15 + pulse.Red * 0.85, 4);
    ExpectColour(png.At(layout.XOf(0.35), middle), {255, 255, 255}, "no pulse before it");
    ExpectColour(png.At(layout.XOf(0.65), middle), {255, 255, 255}, "nor after it");
}

TEST(PlotWriter, WritesSvgAndDrawsAWindow) {
    const TempFolder folder;
    const Replay replay = SmallReplay();
    WritePlot(folder.PathOf("plot.svg"), replay.Recorded, replay.Result, replay.Blocks,
              replay.Inputs, {0.45, 0.55, 800});
    EXPECT_GT(std::filesystem::file_size(folder.PathOf("plot.svg")), 2000u);

    const PlotOptions window{0.45, 0.55, 800};
    const PlotLayout layout =
        LayoutPlot("w.png", replay.Recorded, replay.Result, replay.Blocks, replay.Inputs, window);
    EXPECT_DOUBLE_EQ(layout.XOf(0.45), layout.Left);
    EXPECT_DOUBLE_EQ(layout.XOf(0.55), layout.Right);

    for (const PlotOptions& wrong :
         {PlotOptions{0.6, 0.5, 800}, PlotOptions{2.0, 3.0, 800}, PlotOptions{-2.0, -1.0, 800}}) {
        const std::string refusal = RefusalOf(folder.PathOf("wrong.png"), replay, wrong);
        EXPECT_NE(refusal.find("outside the recording (0 s to 1 s)"), std::string::npos) << refusal;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("wrong.png")));
}

// The time axis ends whatever the times: each tick from its index, a window too narrow for its
// times refused with what it would need.
TEST(PlotWriter, TheTimeAxisEndsForAnyWindowAndRefusesOneTooNarrow) {
    const struct {
        double From, To, Step;
        std::size_t Ticks;
    } cases[] = {
        {-0.05, 0.05, 0.01, 11},
        {1.7e9, 1.7e9 + 60, 5.0, 13},  // Unix time, a minute
        {1e18, 1e18 + 1e6, 1e5, 11},
        {0.0, 1e300, 1e299, 11},
    };
    for (const auto& c : cases) {
        const TimeTicks ticks = TicksFor(c.From, c.To, 1400);
        EXPECT_DOUBLE_EQ(ticks.Step, c.Step) << c.From;
        EXPECT_EQ(ticks.At.size(), c.Ticks) << c.From;
        EXPECT_TRUE(std::is_sorted(ticks.At.begin(), ticks.At.end()));
        EXPECT_FALSE(TooNarrow(c.From, c.To, 1400)) << c.From;
    }
    // Unix times a microsecond apart, a recording at 1e18 s: refused, not drawn forever.
    for (const auto& [start, window, refusal] :
         {std::tuple{1.7e9, PlotOptions{1.7e9 + 0.1, 1.7e9 + 0.100001, 1400},
                     "cannot be drawn: times near 1.7e+09 s are told apart only to 2.38e-07 s, "
                     "too coarse for 1226 pixel columns: the window must be at least 0.000292 s"},
          std::tuple{1e18, PlotOptions{}, "times near 1e+18 s are told apart only to 128 s"}}) {
        Replay late = SmallReplay();
        late.Recorded.StartTime = late.Result.StartTime = start;
        EXPECT_NE(RefusalOf("late.png", late, window).find(refusal), std::string::npos)
            << RefusalOf("late.png", late, window);
    }
    // The title's lengths as a person reads them.
    EXPECT_EQ(DurationText(59.4) + ", " + DurationText(250) + ", " + DurationText(10799.7),
              "59.4 s, 4 min 10 s, 3 h 0 min");
}

// A lane label of many pulses is drawn whole, its first digit inside the picture; with so many
// outputs that a PNG would be too tall, the picture is refused with what to do instead.
TEST(PlotWriter, LabelsFitAndTooManyOutputsForAPngAreRefused) {
    const TempFolder folder;
    Replay replay = SmallReplay();
    for (std::int64_t start = 0; start < 15336; ++start)
        replay.Result.Outputs[1].Pulses.push_back({start * 2 % 1000, start * 2 % 1000 + 1});
    const std::string path = folder.PathOf("many.png");
    WritePlot(path, replay.Recorded, replay.Result, replay.Blocks, replay.Inputs, {{}, {}, 1000});
    const PlotLayout layout = LayoutPlot(path, replay.Recorded, replay.Result, replay.Blocks,
                                         replay.Inputs, {{}, {}, 1000});
    const Png png(path);
    ASSERT_TRUE(png.Ok());
    const PlotLayout::OutputLane& lane = layout.Outputs[0];
    int leftmost = png.Width();
    for (double y = lane.Top + 22; y < lane.Top + 34; ++y) {
        for (int x = 0; x < layout.Left; ++x) {
            const Pixel pixel = png.At(x, y);
            if (pixel.Red + pixel.Green + pixel.Blue < 600)
                leftmost = std::min(leftmost, x);
        }
    }
    EXPECT_GE(leftmost, 4) << "the label \"15336 pulses, 1 ignored in all\" is cut at the left";

    for (std::int32_t output = 3; output <= 700; ++output) {
        replay.Result.Outputs.push_back({output, {}, {}});
        replay.Blocks.push_back(replay.Blocks[1]);
        replay.Blocks.back().Output = output;
    }
    const std::string refusal = RefusalOf(folder.PathOf("tall.png"), replay);
    EXPECT_NE(refusal.find("with 699 outputs and 1 inputs to draw the picture would be 1600 by 35"),
              std::string::npos)
        << refusal;
    EXPECT_TRUE(refusal.ends_with("; write an SVG (.svg) instead")) << refusal;
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("tall.png")));
}

}  // namespace
