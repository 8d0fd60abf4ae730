// The configuration's key = value text: header, one block per output, one block per rule.
// Written and read in the classic locale, whatever the user's regional settings.
#include <cstdint>
#include <exception>
#include <locale>
#include <new>
#include <sstream>
#include <stdexcept>

#include "config/event_config.h"
#include "config/text_diagnosis.h"
#include "config/text_reader.h"
#include "config/text_trace.h"

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

const char* KindOf(const std::int32_t&) {
    return "a whole number";
}
const char* KindOf(const bool&) {
    return "0 or 1";
}
const char* KindOf(const double&) {
    return "a number";
}

// Reads "key = value". With a trace (a diagnosis was asked for), the step is recorded first and
// a value that does not read ends reading at once; without one the failed stream makes the next
// step fail, which gives the same result.
template <class Value>
void ReadKey(std::istream& in, const char* key, Value& value, ReadTrace* trace) {
    if (trace != nullptr)
        trace->Step(in, std::string("\"") + key + " = \"");
    SwallowKey(in, key);
    if (trace != nullptr)
        trace->Step(in, KindOf(value));
    in >> value;
    if (trace != nullptr) {
        if (in.fail())
            trace->BadValue(key, KindOf(value));
        trace->ValueRead(in, key, KindOf(value));
    }
}

void ReadLabel(std::istream& in, const char* label, ReadTrace* trace) {
    if (trace != nullptr)
        trace->Step(in, std::string("\"") + label + "\"");
    SwallowLabel(in, label);
}

OutputSettings ReadSettings(std::istream& in, ReadTrace* trace) {
    OutputSettings settings;
    ReadKey(in, "On", settings.On, trace);
    ReadKey(in, "PulseDuration", settings.PulseDuration, trace);
    ReadKey(in, "PulseDelay", settings.PulseDelay, trace);
    ReadKey(in, "RetriggerHoldoffTime", settings.RetriggerHoldoffTime, trace);
    ReadKey(in, "LimitedDuration", settings.LimitedDuration, trace);
    ReadKey(in, "LimitedNumPulses", settings.LimitedNumPulses, trace);
    ReadKey(in, "RetriggerHoldoff", settings.RetriggerHoldoff, trace);
    ReadKey(in, "PulseNumLimit", settings.PulseNumLimit, trace);
    ReadKey(in, "All", settings.All, trace);
    return settings;
}

Rule ReadRule(std::istream& in, ReadTrace* trace) {
    Rule rule;
    std::int32_t version = 0;
    ReadLabel(in, "BeginOnlineEventRule", trace);
    ReadKey(in, "Version", version, trace);  // not checked
    ReadKey(in, "Input", rule.Input, trace);
    ReadKey(in, "Above", rule.Above, trace);
    ReadKey(in, "Hysteresis", rule.Hysteresis, trace);
    ReadKey(in, "Level", rule.Level, trace);
    ReadLabel(in, "EndOnlineEventRule", trace);
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
    return ReadText(text, nullptr);
}

bool EventConfig::Deserialize(const std::string& text, TextDiagnosis& diagnosis) {
    diagnosis = {};
    const bool read = ReadText(text, &diagnosis);
    if (!read) {
        // A byte-order mark, UTF-16 or a NUL byte explains the failure better than the word the
        // reader stumbled over.
        TextDiagnosis encoding = EncodingProblem(text, diagnosis.Line);
        if (!encoding.Problem.empty())
            diagnosis = std::move(encoding);
    }
    return read;
}

bool EventConfig::ReadText(const std::string& text, TextDiagnosis* diagnosis) {
    Clear();
    ReadTrace trace(text);
    ReadTrace* const traced = diagnosis != nullptr ? &trace : nullptr;
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
        ReadKey(in, "Version", version, traced);
        // A later version is not ours to read: success with nothing. A version that is not a
        // number at all is a parse failure.
        ThrowIfBad();
        if (in.fail())
            return false;
        if (version != 1) {
            if (traced != nullptr) {
                *diagnosis = trace.At(trace.Position(),
                                      "version " + std::to_string(version) +
                                          (version > 1 ? " is newer than this Tarvel reads"
                                                       : " is not a version of this text") +
                                          "; nothing was read");
            }
            return true;
        }

        std::int32_t analog = 0;
        std::int32_t digital = 0;
        ReadKey(in, "AnalogOutputCount", analog, traced);
        const std::size_t analogAt = trace.Position();
        ReadKey(in, "DigitalOutputCount", digital, traced);
        // Absurd counts (an overflowing number reads as the largest one) would build billions
        // of records; negative ones none.
        if (!IsAcceptedCount(analog) || !IsAcceptedCount(digital)) {
            if (traced != nullptr) {
                const bool analogBad = !IsAcceptedCount(analog);
                *diagnosis =
                    trace.At(analogBad ? analogAt : trace.Position(),
                             std::string(analogBad ? "AnalogOutputCount" : "DigitalOutputCount") +
                                 " must lie between 0 and " + std::to_string(kMaxOutputsPerKind) +
                                 ", found " + std::to_string(analogBad ? analog : digital));
            }
            return false;
        }
        SetOutputCounts(analog, digital);

        // The header's sum, fixed before the loop: outputs the header did not announce still
        // add their records, but not more blocks.
        const std::int64_t blocks = static_cast<std::int64_t>(analog) + digital;
        for (std::int64_t block = 0; block < blocks; ++block) {
            ReadLabel(in, "BeginOnlineEvent", traced);
            std::int32_t blockVersion = 0;
            ReadKey(in, "Version", blockVersion, traced);  // not checked
            std::int32_t output = 0;
            ReadKey(in, "Output", output, traced);
            const std::size_t outputAt = trace.Position();
            const OutputSettings settings = ReadSettings(in, traced);

            std::int32_t index = FindOutput(output);
            if (index < 0) {
                if (traced != nullptr) {
                    trace.Meaning(outputAt, output == 0
                                                ? std::string("there is no output 0; outputs are "
                                                              "1, 2 ... and -1, -2 ...")
                                                : "output " + std::to_string(output) +
                                                      " is neither among the header's outputs "
                                                      "nor the next one of its kind");
                }
                CheckNextInSequence(output);
                InsertOutput(output);
                index = FindOutput(output);
                trace.ClearMeaning();
            }
            Record(index).Settings = settings;

            std::int32_t ruleCount = 0;
            ReadKey(in, "RuleCount", ruleCount, traced);
            for (std::int32_t k = 0; k < ruleCount; ++k) {
                if (traced != nullptr)
                    trace.Step(in, "\"BeginOnlineEventRule\"");
                const std::size_t ruleAt = trace.Position();
                const Rule rule = ReadRule(in, traced);
                if (traced != nullptr) {
                    trace.Meaning(ruleAt, "output " + std::to_string(output) +
                                              " would have more than " + std::to_string(kMaxRules) +
                                              " rules");
                }
                InsertRule(index, k - 1);
                SetRule(index, k, rule);
                trace.ClearMeaning();
            }
            ReadLabel(in, "EndOnlineEvent", traced);
        }
        // A count that is not a number, with no block after it to notice, is a failure too.
        ThrowIfBad();
        return !in.fail();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& error) {
        ThrowIfBad();
        if (traced != nullptr)
            *diagnosis = trace.Explain(error);
        return false;
    }
}

}  // namespace VavazaZavidi
