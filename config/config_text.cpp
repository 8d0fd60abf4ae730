// The configuration's key = value text: header, one block per output, one block per rule.
// Written and read in the classic locale, whatever the user's regional settings.
#include <cstdint>
#include <exception>
#include <locale>
#include <new>
#include <sstream>
#include <stdexcept>

#include "config/event_config.h"
#include "config/text_reader.h"

namespace VavazaZavidi {
namespace {

void WriteRule(std::ostream& out, const Rule& rule) {
    out << "BeginOnlineEventRule\n"
        << "Version = 1\n"
        << "Input = " << rule.Input << "\n"
        << "Above = " << rule.Above << "\n"
        << "Hysteresis = " << rule.Hysteresis << "\n"
        << "Level = " << rule.Level << "\n"
        << "EndOnlineEventRule\n";
}

// The block's settings in their text order: the hold-off time directly after the delay.
void WriteSettings(std::ostream& out, const OutputSettings& settings) {
    out << "On = " << settings.On << "\n"
        << "PulseDuration = " << settings.PulseDuration << "\n"
        << "PulseDelay = " << settings.PulseDelay << "\n"
        << "RetriggerHoldoffTime = " << settings.RetriggerHoldoffTime << "\n"
        << "LimitedDuration = " << settings.LimitedDuration << "\n"
        << "LimitedNumPulses = " << settings.LimitedNumPulses << "\n"
        << "RetriggerHoldoff = " << settings.RetriggerHoldoff << "\n"
        << "PulseNumLimit = " << settings.PulseNumLimit << "\n"
        << "All = " << settings.All << "\n";
}

template <class Value>
void ReadKey(std::istream& in, const char* key, Value& value) {
    SwallowKey(in, key);
    in >> value;
}

OutputSettings ReadSettings(std::istream& in) {
    OutputSettings settings;
    ReadKey(in, "On", settings.On);
    ReadKey(in, "PulseDuration", settings.PulseDuration);
    ReadKey(in, "PulseDelay", settings.PulseDelay);
    ReadKey(in, "RetriggerHoldoffTime", settings.RetriggerHoldoffTime);
    ReadKey(in, "LimitedDuration", settings.LimitedDuration);
    ReadKey(in, "LimitedNumPulses", settings.LimitedNumPulses);
    ReadKey(in, "RetriggerHoldoff", settings.RetriggerHoldoff);
    ReadKey(in, "PulseNumLimit", settings.PulseNumLimit);
    ReadKey(in, "All", settings.All);
    return settings;
}

Rule ReadRule(std::istream& in) {
    Rule rule;
    std::int32_t version = 0;
    SwallowLabel(in, "BeginOnlineEventRule");
    ReadKey(in, "Version", version);  // not checked
    ReadKey(in, "Input", rule.Input);
    ReadKey(in, "Above", rule.Above);
    ReadKey(in, "Hysteresis", rule.Hysteresis);
    ReadKey(in, "Level", rule.Level);
    SwallowLabel(in, "EndOnlineEventRule");
    return rule;
}

bool IsAcceptedCount(std::int32_t count) {
    return count >= 0 && count <= EventConfig::kMaxOutputsPerKind;
}

}  // namespace

// The text numbers outputs by the header's counts, 1 ... n and -1 ... -m, so it can carry only
// outputs numbered without gaps. An output the header did not announce is accepted when it is
// the next of its kind (3 after 1 and 2); one beyond a gap would come back from the next write
// and read with the gap filled by a new output, and again on every round trip.
void EventConfig::CheckNextInSequence(std::int32_t output) const {
    const std::int32_t count = output > 0 ? AnalogOutputCount : DigitalOutputCount;
    if (output != 0 && (OutputMagnitude(output) != count + 1 || count >= kMaxOutputsPerKind)) {
        throw std::runtime_error("Vavaza Zavidi: Output out of sequence.");
    }
}

bool EventConfig::Serialize(std::string& text) const {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << "Version = 1\n"
        << "AnalogOutputCount = " << AnalogOutputCount << "\n"
        << "DigitalOutputCount = " << DigitalOutputCount << "\n";
    for (std::int32_t i = 0; i < GetCount(); ++i) {
        const OutputRecord& record = Record(i);
        out << "BeginOnlineEvent\n"
            << "Version = 1\n"
            << "Output = " << record.Output << "\n";
        WriteSettings(out, record.Settings);
        out << "RuleCount = " << GetRuleCount(i) << "\n";
        for (std::int32_t j = 0; j < GetRuleCount(i); ++j) {
            Rule rule;
            GetRule(i, j, rule);
            WriteRule(out, rule);
        }
        out << "EndOnlineEvent\n";
    }
    // A string stream fails only when its buffer cannot grow; the text it holds is then cut
    // short and must not pass for the configuration.
    if (out.bad())
        throw std::bad_alloc();
    text = std::move(out).str();
    return true;
}

bool EventConfig::Deserialize(const std::string& text) {
    Clear();
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    // The stream swallows an exhausted heap while it reads a word and goes bad: that is no
    // fault of the text, and the caller decides what it means.
    auto ThrowIfBad = [&in] {
        if (in.bad())
            throw std::bad_alloc();
    };
    try {
        std::int32_t version = 0;
        ReadKey(in, "Version", version);
        // A later version is not ours to read: success with nothing. A version that is not a
        // number at all is a parse failure.
        ThrowIfBad();
        if (in.fail())
            return false;
        if (version != 1)
            return true;

        std::int32_t analog = 0;
        std::int32_t digital = 0;
        ReadKey(in, "AnalogOutputCount", analog);
        ReadKey(in, "DigitalOutputCount", digital);
        // Absurd counts (an overflowing number reads as the largest one) would build billions
        // of records; negative ones none.
        if (!IsAcceptedCount(analog) || !IsAcceptedCount(digital))
            return false;
        SetOutputCounts(analog, digital);

        // The header's sum, fixed before the loop: outputs the header did not announce still
        // add their records, but not more blocks.
        const std::int64_t blocks = static_cast<std::int64_t>(analog) + digital;
        for (std::int64_t block = 0; block < blocks; ++block) {
            SwallowLabel(in, "BeginOnlineEvent");
            std::int32_t blockVersion = 0;
            ReadKey(in, "Version", blockVersion);  // not checked
            std::int32_t output = 0;
            ReadKey(in, "Output", output);
            const OutputSettings settings = ReadSettings(in);

            std::int32_t index = FindOutput(output);
            if (index < 0) {
                CheckNextInSequence(output);
                InsertOutput(output);
                index = FindOutput(output);
            }
            Record(index).Settings = settings;

            std::int32_t ruleCount = 0;
            ReadKey(in, "RuleCount", ruleCount);
            for (std::int32_t k = 0; k < ruleCount; ++k) {
                const Rule rule = ReadRule(in);
                InsertRule(index, k - 1);
                SetRule(index, k, rule);
            }
            SwallowLabel(in, "EndOnlineEvent");
        }
        // A count that is not a number, with no block after it to notice, is a failure too.
        ThrowIfBad();
        return !in.fail();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        ThrowIfBad();
        return false;
    }
}

}  // namespace VavazaZavidi
