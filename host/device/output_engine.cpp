#include "host/device/output_engine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "host/device/sample_masks.h"

namespace device {

namespace {

constexpr std::int64_t kLongest = std::int64_t{1} << 60;
constexpr std::int64_t kNever = -(std::int64_t{1} << 62);
// Samples processed per pass, a whole number of mask words.
constexpr std::int64_t kChunk = 4096;
constexpr std::size_t kWords = kChunk / kMaskSamples;

// One rule slot as a Schmitt trigger, 64 samples at a time. With S the samples that set the
// state (above: x > T; below: x < T - H) and K those that keep it (above: x >= T - H; below:
// x <= T), S within K, the state at sample j is true when some sample i <= j is in S and every
// sample after i up to j is in K. That is exactly where the carry of K + S (plus the state
// before the word as carry into bit 0) runs into a K bit, so one addition does the whole word.
struct SlotRunner {
    std::size_t input = 0;  // zero-based
    bool below = false;
    std::int32_t setLevel = 0;   // above: x >= setLevel sets; below: x <= setLevel sets
    std::int32_t keepLevel = 0;  // above: x >= keepLevel keeps; below: x <= keepLevel keeps
    std::uint64_t state = 0;     // at the last sample run, 0 or 1; false before the first
    std::vector<std::uint64_t> words = std::vector<std::uint64_t>(kWords);

    explicit SlotRunner(const RuleProgram& rule)
        : input(static_cast<std::size_t>(rule.Input - 1)), below(rule.Below) {
        // Levels beyond the 16-bit range are clamped to just beyond it: the comparisons with
        // 16-bit samples come out the same.
        constexpr std::int64_t kBeyond = 40000;
        const std::int64_t high = rule.Threshold;
        const std::int64_t low = high - rule.Hysteresis;
        setLevel =
            static_cast<std::int32_t>(std::clamp(below ? low - 1 : high + 1, -kBeyond, kBeyond));
        keepLevel = static_cast<std::int32_t>(std::clamp(below ? high : low, -kBeyond, kBeyond));
    }

    // The `count` samples of a pass, at most kChunk, from `x`.
    void Run(const std::int16_t* x, std::int64_t count) {
        for (std::size_t w = 0; w * kMaskSamples < static_cast<std::size_t>(count); ++w) {
            const int n = static_cast<int>(std::min<std::int64_t>(
                kMaskSamples, count - static_cast<std::int64_t>(w) * kMaskSamples));
            const std::int16_t* at = x + w * kMaskSamples;
            const std::uint64_t set =
                below ? AtMostMask(at, n, setLevel) : AtLeastMask(at, n, setLevel);
            const std::uint64_t keep =
                below ? AtMostMask(at, n, keepLevel) : AtLeastMask(at, n, keepLevel);
            const std::uint64_t carries = (keep + set + state) ^ keep ^ set;
            const std::uint64_t states = (set | (keep & carries)) & LowBits(n);
            words[w] = states;
            state = (states >> (n - 1)) & 1;
        }
    }
};

// One output's pulse logic over the combined state of its slots.
class OutputRunner {
public:
    OutputRunner(const OutputProgram& program, double sampleRate, std::int64_t sampleCount,
                 std::size_t index)
        : index_(index),
          all_(program.Mode == OutputCommandBlock::kAllRules),
          follow_(program.PulseWidth == 0.0),
          delay_(SamplesFor(program.PulseDelay, sampleRate)),
          width_(SamplesFor(program.PulseWidth, sampleRate)),
          holdoff_(SamplesFor(program.Holdoff, sampleRate)),
          limit_(program.PulseCountLimit),
          count_(sampleCount) {}

    std::vector<std::size_t> slots;  // indices into the replay's slot runners
    std::vector<std::uint64_t> combined = std::vector<std::uint64_t>(kWords);

    // Combines the slot states of the pass [from, from + count) and acts on every change; what
    // becomes known goes to `block`.
    void Run(const std::vector<SlotRunner>& runners, std::int64_t from, std::int64_t count,
             device::TraceBlock& block) {
        trace_ = &block.Outputs[index_];
        changes_ = &block.Changes[index_];
        const std::uint64_t* states = Combine(runners, count);
        for (std::size_t w = 0; w * kMaskSamples < static_cast<std::size_t>(count); ++w) {
            const std::int64_t base = from + static_cast<std::int64_t>(w) * kMaskSamples;
            const int n =
                static_cast<int>(std::min<std::int64_t>(kMaskSamples, from + count - base));
            const std::uint64_t word = states[w];
            if (base == 0) {
                // At the first sample a fixed-width output only learns the state; a following
                // output sees a state that is already true as a rise.
                last_ = follow_ ? 0 : (word & 1);
            }
            std::uint64_t changes = (word ^ ((word << 1) | last_)) & LowBits(n);
            while (changes != 0) {
                const int bit = std::countr_zero(changes);
                if ((word >> bit) & 1)
                    Rise(base + bit);
                else
                    Fall(base + bit);
                changes &= changes - 1;
            }
            last_ = (word >> (n - 1)) & 1;
        }
    }

    // Closes an output still high at the end of the replay.
    void Finish(device::TraceBlock& block) {
        trace_ = &block.Outputs[index_];
        changes_ = &block.Changes[index_];
        if (follow_ && open_ != kNever)
            AddPulse(open_, count_);
    }

private:
    const std::uint64_t* Combine(const std::vector<SlotRunner>& runners, std::int64_t count) {
        if (slots.size() == 1)
            return runners[slots[0]].words.data();
        const std::size_t words =
            static_cast<std::size_t>((count + kMaskSamples - 1) / kMaskSamples);
        std::uint64_t* out = combined.data();
        std::copy_n(runners[slots[0]].words.data(), words, out);
        for (std::size_t k = 1; k < slots.size(); ++k) {
            const std::uint64_t* in = runners[slots[k]].words.data();
            for (std::size_t w = 0; w < words; ++w)
                out[w] = all_ ? (out[w] & in[w]) : (out[w] | in[w]);
        }
        return out;
    }

    void Ignore(std::int64_t sample, device::IgnoredBecause why) {
        trace_->Ignored.push_back(device::IgnoredTrigger{sample, why});
    }

    void AddPulse(std::int64_t start, std::int64_t end) {
        if (start < count_)
            trace_->Pulses.push_back(device::Pulse{start, std::min(end, count_)});
    }

    void Change(std::int64_t sample, bool high) {
        if (sample < count_)
            changes_->push_back(device::LevelChange{sample, high});
    }

    bool LimitReached() const { return limit_ > 0 && pulses_ >= limit_; }

    void Rise(std::int64_t sample) {
        using device::IgnoredBecause;
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
                Change(start_, true);
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
            Change(start_, true);
            Change(start_ + width_, false);
        }
    }

    void Fall(std::int64_t sample) {
        if (follow_ && open_ != kNever) {
            AddPulse(open_, sample + delay_);
            Change(sample + delay_, false);
            open_ = kNever;
        }
    }

    std::size_t index_;                     // the output's place among the programs
    device::OutputTrace* trace_ = nullptr;  // of the block being run
    std::vector<device::LevelChange>* changes_ = nullptr;
    bool all_;
    bool follow_;
    std::int64_t delay_;
    std::int64_t width_;
    std::int64_t holdoff_;
    std::int32_t limit_;
    std::int64_t count_;
    std::uint64_t last_ = 0;       // the combined state at the last sample run, 0 or 1
    std::int32_t pulses_ = 0;      // accepted triggers (fixed width) or rises (following)
    std::int64_t start_ = kNever;  // the last accepted pulse's start
    std::int64_t open_ = kNever;   // following: the start of the pulse still high
};

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

struct OutputEngine::Runners {
    std::vector<SlotRunner> Slots;
    std::vector<OutputRunner> Outputs;
};

OutputEngine::OutputEngine(const std::vector<OutputProgram>& programs, double sampleRate,
                           std::int64_t sampleCount, std::size_t inputCount)
    : runners_(std::make_unique<Runners>()),
      sampleCount_(sampleCount),
      watched_(inputCount, false),
      outputs_(programs.size()) {
    for (std::size_t k = 0; k < programs.size(); ++k) {
        const OutputProgram& program = programs[k];
        outputs_[k] = program.Output;
        if (!program.Active())
            continue;
        for (const RuleProgram& rule : program.Rules) {
            if (rule.Input < 1 || static_cast<std::size_t>(rule.Input) > inputCount)
                throw std::invalid_argument("output " + std::to_string(program.Output) + " slot " +
                                            std::to_string(rule.Slot + 1) + " watches input " +
                                            std::to_string(rule.Input) + ", but only " +
                                            std::to_string(inputCount) + " inputs are sampled");
        }
        if (sampleCount == 0)
            continue;
        OutputRunner& runner = runners_->Outputs.emplace_back(program, sampleRate, sampleCount, k);
        for (const RuleProgram& rule : program.Rules) {
            runner.slots.push_back(runners_->Slots.size());
            runners_->Slots.emplace_back(rule);
            watched_[static_cast<std::size_t>(rule.Input - 1)] = true;
        }
    }
}

OutputEngine::~OutputEngine() = default;

void OutputEngine::Begin(device::TraceBlock& block, std::int64_t count) const {
    block.First = done_;
    block.Count = count;
    block.Outputs.resize(outputs_.size());
    block.Changes.resize(outputs_.size());
    for (std::size_t k = 0; k < outputs_.size(); ++k) {
        block.Outputs[k].Output = outputs_[k];
        block.Outputs[k].Pulses.clear();
        block.Outputs[k].Ignored.clear();
        block.Changes[k].clear();
    }
}

void OutputEngine::Run(const std::int16_t* const* inputs, std::int64_t count,
                       device::TraceBlock& block) {
    if (count < 0 || count > sampleCount_ - done_)
        throw std::invalid_argument("a block of " + std::to_string(count) + " samples after " +
                                    std::to_string(done_) + " of " + std::to_string(sampleCount_));
    Begin(block, count);
    for (std::int64_t offset = 0; offset < count; offset += kChunk) {
        const std::int64_t n = std::min(kChunk, count - offset);
        for (SlotRunner& slot : runners_->Slots)
            slot.Run(inputs[slot.input] + offset, n);
        for (OutputRunner& output : runners_->Outputs)
            output.Run(runners_->Slots, done_ + offset, n, block);
    }
    done_ += count;
}

void OutputEngine::Finish(device::TraceBlock& block) {
    if (done_ != sampleCount_)
        throw std::invalid_argument("the replay ended after " + std::to_string(done_) + " of " +
                                    std::to_string(sampleCount_) + " samples");
    Begin(block, 0);
    for (OutputRunner& output : runners_->Outputs)
        output.Finish(block);
}

device::Trace ReplayOutputs(const std::vector<OutputProgram>& programs,
                            const DeviceSamples& samples) {
    for (const auto& input : samples.Inputs) {
        if (static_cast<std::int64_t>(input.size()) != samples.Count)
            throw std::invalid_argument("an input holds " + std::to_string(input.size()) +
                                        " samples, not " + std::to_string(samples.Count));
    }
    OutputEngine engine(programs, samples.SampleRate, samples.Count, samples.Inputs.size());
    std::vector<const std::int16_t*> inputs;
    for (const auto& input : samples.Inputs)
        inputs.push_back(input.data());
    device::Trace trace;
    trace.SampleRate = samples.SampleRate;
    trace.StartTime = samples.StartTime;
    trace.SampleCount = samples.Count;
    device::TraceBlock block;
    engine.Run(inputs.data(), samples.Count, block);
    trace.Outputs = std::move(block.Outputs);
    engine.Finish(block);
    for (std::size_t k = 0; k < trace.Outputs.size(); ++k) {
        auto& pulses = trace.Outputs[k].Pulses;
        pulses.insert(pulses.end(), block.Outputs[k].Pulses.begin(), block.Outputs[k].Pulses.end());
    }
    return trace;
}

}  // namespace device
