#include "host/device/output_engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace Ostrel {

namespace {

constexpr std::int64_t kLongest = std::int64_t{1} << 60;
constexpr std::int64_t kNever = -(std::int64_t{1} << 62);
// Samples processed per pass: the slot states of a pass stay in the first-level cache.
constexpr std::int64_t kChunk = 1024;

// One rule slot as a Schmitt trigger. A below slot is an above slot on the negated input, so
// both run the same update: true once x' > rise, kept true while x' >= keep.
struct SlotRunner {
    const std::int16_t* input = nullptr;
    bool below = false;
    std::int32_t rise = 0;
    std::int32_t keep = 0;
    std::uint8_t state = 0;  // at the last sample run; false before the first sample
    std::vector<std::uint8_t> states = std::vector<std::uint8_t>(kChunk);

    SlotRunner(const RuleProgram& rule, const std::int16_t* samples) : input(samples) {
        // Thresholds outside the 16-bit range are clamped to just beyond it: the comparisons
        // with 16-bit samples come out the same.
        constexpr std::int64_t kBeyond = 40000;
        const std::int64_t high = rule.Threshold;
        const std::int64_t low = high - rule.Hysteresis;
        below = rule.Below;
        rise = static_cast<std::int32_t>(std::clamp(below ? -low : high, -kBeyond, kBeyond));
        keep = static_cast<std::int32_t>(std::clamp(below ? -high : low, -kBeyond, kBeyond));
    }

    template <bool kBelow>
    void RunAs(std::int64_t from, std::int64_t count) {
        const std::int16_t* x = input + from;
        std::uint8_t s = state;
        const std::int32_t r = rise;
        const std::int32_t k = keep;
        for (std::int64_t j = 0; j < count; ++j) {
            const std::int32_t v = kBelow ? -std::int32_t{x[j]} : std::int32_t{x[j]};
            s = static_cast<std::uint8_t>((v > r) | (s & (v >= k)));
            states[j] = s;
        }
        state = s;
    }

    void Run(std::int64_t from, std::int64_t count) {
        if (below)
            RunAs<true>(from, count);
        else
            RunAs<false>(from, count);
    }
};

// One output's pulse logic over the combined state of its slots.
class OutputRunner {
public:
    OutputRunner(const OutputProgram& program, double sampleRate, std::int64_t sampleCount,
                 Preview::OutputTrace& trace)
        : trace_(trace),
          all_(program.Mode == OutputCommandBlock::kAllRules),
          follow_(program.PulseWidth == 0.0),
          delay_(SamplesFor(program.PulseDelay, sampleRate)),
          width_(SamplesFor(program.PulseWidth, sampleRate)),
          holdoff_(SamplesFor(program.Holdoff, sampleRate)),
          limit_(program.PulseCountLimit),
          count_(sampleCount) {}

    std::vector<std::size_t> slots;  // indices into the replay's slot runners
    std::vector<std::uint8_t> combined = std::vector<std::uint8_t>(kChunk);

    // Combines the slot states of the pass [from, from + count) and acts on every change.
    void Run(const std::vector<SlotRunner>& runners, std::int64_t from, std::int64_t count) {
        const std::uint8_t* state = Combine(runners, count);
        std::int64_t j = 0;
        if (from == 0) {
            // At the first sample a fixed-width output only learns the state; a following
            // output sees a state that is already true as a rise.
            if (follow_ && state[0] != 0)
                Rise(0);
            last_ = state[0];
            j = 1;
        }
        while (j < count) {
            // Long stretches without a change are passed over eight samples at a time.
            const std::uint64_t same = last_ ? 0x0101010101010101u : 0u;
            if (j + 8 <= count) {
                std::uint64_t eight;
                std::memcpy(&eight, state + j, sizeof eight);
                if (eight == same) {
                    j += 8;
                    continue;
                }
            }
            if (state[j] != last_) {
                last_ = state[j];
                if (last_)
                    Rise(from + j);
                else
                    Fall(from + j);
            }
            ++j;
        }
    }

    // Closes an output still high at the end of the replay.
    void Finish() {
        if (follow_ && open_ != kNever)
            AddPulse(open_, count_);
    }

private:
    const std::uint8_t* Combine(const std::vector<SlotRunner>& runners, std::int64_t count) {
        if (slots.size() == 1)
            return runners[slots[0]].states.data();
        std::uint8_t* out = combined.data();
        std::memcpy(out, runners[slots[0]].states.data(), static_cast<std::size_t>(count));
        for (std::size_t k = 1; k < slots.size(); ++k) {
            const std::uint8_t* in = runners[slots[k]].states.data();
            if (all_) {
                for (std::int64_t j = 0; j < count; ++j)
                    out[j] &= in[j];
            } else {
                for (std::int64_t j = 0; j < count; ++j)
                    out[j] |= in[j];
            }
        }
        return out;
    }

    void Ignore(std::int64_t sample, Preview::IgnoredBecause why) {
        trace_.Ignored.push_back(Preview::IgnoredTrigger{sample, why});
    }

    void AddPulse(std::int64_t start, std::int64_t end) {
        if (start < count_)
            trace_.Pulses.push_back(Preview::Pulse{start, std::min(end, count_)});
    }

    bool LimitReached() const { return limit_ > 0 && pulses_ >= limit_; }

    void Rise(std::int64_t sample) {
        using Preview::IgnoredBecause;
        if (follow_) {
            // The output is the state delayed: a rise is a pulse start unless the hold-off of
            // the last start or the count limit holds it back for this whole high stretch.
            if (start_ != kNever && sample < start_ - delay_ + holdoff_) {
                Ignore(sample, IgnoredBecause::kHoldoff);
            } else if (LimitReached()) {
                Ignore(sample, IgnoredBecause::kCountLimit);
            } else {
                ++pulses_;
                start_ = sample + delay_;
                open_ = start_;
            }
            return;
        }
        if (sample < start_) {
            Ignore(sample, IgnoredBecause::kDelay);
        } else if (sample < start_ + width_) {
            Ignore(sample, IgnoredBecause::kPulse);
        } else if (sample < start_ + holdoff_) {
            Ignore(sample, IgnoredBecause::kHoldoff);
        } else if (LimitReached()) {
            Ignore(sample, IgnoredBecause::kCountLimit);
        } else {
            ++pulses_;
            start_ = sample + delay_;
            AddPulse(start_, start_ + width_);
        }
    }

    void Fall(std::int64_t sample) {
        if (follow_ && open_ != kNever) {
            AddPulse(open_, sample + delay_);
            open_ = kNever;
        }
    }

    Preview::OutputTrace& trace_;
    bool all_;
    bool follow_;
    std::int64_t delay_;
    std::int64_t width_;
    std::int64_t holdoff_;
    std::int32_t limit_;
    std::int64_t count_;
    std::uint8_t last_ = 0;        // the combined state at the last sample run
    std::int32_t pulses_ = 0;      // accepted triggers (fixed width) or rises (following)
    std::int64_t start_ = kNever;  // the last accepted pulse's start
    std::int64_t open_ = kNever;   // following: the start of the pulse still high
};

void CheckInputs(const std::vector<OutputProgram>& programs, const DeviceSamples& samples) {
    for (const auto& input : samples.Inputs) {
        if (static_cast<std::int64_t>(input.size()) != samples.Count)
            throw std::invalid_argument("an input holds " + std::to_string(input.size()) +
                                        " samples, not " + std::to_string(samples.Count));
    }
    for (const OutputProgram& program : programs) {
        if (!program.Active())
            continue;
        for (const RuleProgram& rule : program.Rules) {
            if (rule.Input < 1 || static_cast<std::size_t>(rule.Input) > samples.Inputs.size())
                throw std::invalid_argument(
                    "output " + std::to_string(program.Output) + " slot " +
                    std::to_string(rule.Slot + 1) + " watches input " + std::to_string(rule.Input) +
                    ", but only " + std::to_string(samples.Inputs.size()) + " inputs are sampled");
        }
    }
}

}  // namespace

std::int64_t SamplesFor(double seconds, double sampleRate) {
    const double periods = seconds * sampleRate;
    if (!(periods > 0.0))
        return 0;
    if (periods >= static_cast<double>(kLongest))
        return kLongest;
    const double tolerance = 1e-9 * periods;
    return static_cast<std::int64_t>(std::ceil(periods - tolerance));
}

Preview::Trace ReplayOutputs(const std::vector<OutputProgram>& programs,
                             const DeviceSamples& samples) {
    CheckInputs(programs, samples);
    Preview::Trace trace;
    trace.SampleRate = samples.SampleRate;
    trace.StartTime = samples.StartTime;
    trace.SampleCount = samples.Count;
    trace.Outputs.reserve(programs.size());

    std::vector<SlotRunner> slots;
    std::vector<OutputRunner> outputs;
    outputs.reserve(programs.size());
    for (const OutputProgram& program : programs) {
        Preview::OutputTrace& output = trace.Outputs.emplace_back();
        output.Output = program.Output;
        if (!program.Active() || samples.Count == 0)
            continue;
        OutputRunner& runner =
            outputs.emplace_back(program, samples.SampleRate, samples.Count, output);
        for (const RuleProgram& rule : program.Rules) {
            runner.slots.push_back(slots.size());
            slots.emplace_back(rule,
                               samples.Inputs[static_cast<std::size_t>(rule.Input - 1)].data());
        }
    }
    for (std::int64_t from = 0; from < samples.Count; from += kChunk) {
        const std::int64_t count = std::min(kChunk, samples.Count - from);
        for (SlotRunner& slot : slots)
            slot.Run(from, count);
        for (OutputRunner& output : outputs)
            output.Run(slots, from, count);
    }
    for (OutputRunner& output : outputs)
        output.Finish();
    return trace;
}

}  // namespace Ostrel
