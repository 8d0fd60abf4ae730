#include "config/event_config.h"

#include <cstddef>
#include <exception>
#include <stdexcept>

#include "config/output_names.h"

namespace VavazaZavidi {
namespace {

bool IsInside(std::int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

void CheckRuleIndex(const OutputRecord& record, std::int32_t rule) {
    if (!IsInside(rule, record.Rules.size())) {
        throw std::out_of_range("Vavaza Zavidi: Rule index out of range.");
    }
}

}  // namespace

OutputRecord& EventConfig::Record(std::int32_t index) {
    if (!IsInside(index, Outputs.size())) {
        throw std::out_of_range("Vavaza Zavidi: Output index out of range.");
    }
    return Outputs[static_cast<std::size_t>(index)];
}

const OutputRecord& EventConfig::Record(std::int32_t index) const {
    return const_cast<EventConfig*>(this)->Record(index);
}

void EventConfig::Clear() {
    Outputs.clear();
    AnalogOutputCount = 0;
    DigitalOutputCount = 0;
}

const OutputRecord& EventConfig::GetOutput(std::int32_t index) const {
    return Record(index);
}
OutputSettings& EventConfig::Settings(std::int32_t index) {
    return Record(index).Settings;
}
const OutputSettings& EventConfig::Settings(std::int32_t index) const {
    return Record(index).Settings;
}
const std::u16string& EventConfig::GetName(std::int32_t index) const {
    return Record(index).Name;
}
std::int32_t EventConfig::GetOutputNumber(std::int32_t index) const {
    return Record(index).Output;
}

std::int32_t EventConfig::FindOutput(std::int32_t output) const {
    for (std::size_t i = 0; i < Outputs.size(); ++i) {
        if (Outputs[i].Output == output)
            return static_cast<std::int32_t>(i);
    }
    return -1;
}

std::int32_t EventConfig::GetRuleCount(std::int32_t index) const {
    return static_cast<std::int32_t>(Record(index).Rules.size());
}

void EventConfig::GetRule(std::int32_t index, std::int32_t rule, Rule& value) const {
    const OutputRecord& record = Record(index);
    CheckRuleIndex(record, rule);
    value = record.Rules[static_cast<std::size_t>(rule)];
}

void EventConfig::SetRule(std::int32_t index, std::int32_t rule, const Rule& value) {
    OutputRecord& record = Record(index);
    CheckRuleIndex(record, rule);
    record.Rules[static_cast<std::size_t>(rule)] = value;
}

void EventConfig::InsertRule(std::int32_t index, std::int32_t after) {
    std::vector<Rule>& rules = Record(index).Rules;
    const std::size_t before = rules.size();
    // A full output, and a position outside the list, are both illegal insertion points.
    if (before >= static_cast<std::size_t>(kMaxRules) || after < -1 ||
        after >= static_cast<std::int64_t>(before)) {
        throw std::out_of_range("Vavaza Zavidi: Illegal rule insertion point.");
    }
    rules.insert(rules.begin() + (after + 1), Rule{});
    if (rules.size() != before + 1)
        throw std::exception();
}

void EventConfig::DeleteRule(std::int32_t index, std::int32_t rule) {
    std::vector<Rule>& rules = Record(index).Rules;
    const std::size_t before = rules.size();
    if (before < 2 || !IsInside(rule, before)) {
        throw std::out_of_range("Vavaza Zavidi: Can't delete the rule.");
    }
    rules.erase(rules.begin() + rule);
    if (rules.size() != before - 1)
        throw std::runtime_error("Vavaza Zavidi: Failed to delete rule.");
}

void EventConfig::AddDefaultRules() {
    for (std::int32_t i = 0; i < GetCount(); ++i)
        InsertRule(i, -1);
}

void EventConfig::SetOutputCounts(std::int32_t analog, std::int32_t digital) {
    if (analog < 0 || digital < 0) {
        throw std::length_error("Vavaza Zavidi: Negative output count.");
    }
    // The new records are built aside, so that a failed allocation changes nothing.
    std::vector<OutputRecord> records(static_cast<std::size_t>(analog) +
                                      static_cast<std::size_t>(digital));
    for (std::int32_t i = 0; i < analog; ++i) {
        OutputRecord& record = records[static_cast<std::size_t>(i)];
        record.Output = i + 1;
        record.Name = MakeAnalogOutputName(i + 1, analog);
    }
    for (std::int32_t j = 0; j < digital; ++j) {
        OutputRecord& record =
            records[static_cast<std::size_t>(analog) + static_cast<std::size_t>(j)];
        record.Output = -(j + 1);
        record.Name = MakeDigitalOutputName(j + 1);
    }
    Outputs.swap(records);
    AnalogOutputCount = analog;
    DigitalOutputCount = digital;
}

void EventConfig::InsertOutput(std::int32_t output) {
    if (output == 0 || FindOutput(output) >= 0) {
        throw std::runtime_error("Vavaza Zavidi: Illegal event insertion.");
    }
    OutputRecord record;
    record.Output = output;
    const auto analogEnd = Outputs.begin() + AnalogOutputCount;
    if (output > 0) {
        auto place = analogEnd;
        for (auto it = Outputs.begin(); it != analogEnd; ++it) {
            if (it->Output > output) {
                place = it;
                break;
            }
        }
        record.Name = MakeAnalogOutputName(output, AnalogOutputCount);
        Outputs.insert(place, std::move(record));
        ++AnalogOutputCount;
    } else {
        const std::int64_t magnitude = OutputMagnitude(output);
        auto place = Outputs.end();
        for (auto it = analogEnd; it != Outputs.end(); ++it) {
            if (OutputMagnitude(it->Output) > magnitude) {
                place = it;
                break;
            }
        }
        record.Name = MakeDigitalOutputName(magnitude);
        Outputs.insert(place, std::move(record));
        ++DigitalOutputCount;
    }
}

void EventConfig::CopyOutputsFrom(const EventConfig& other, bool insertMissing) {
    // By index: `other` may be this configuration itself.
    for (std::size_t i = 0; i < other.Outputs.size(); ++i) {
        const OutputRecord& source = other.Outputs[i];
        std::int32_t found = FindOutput(source.Output);
        if (found < 0) {
            if (!insertMissing)
                continue;
            InsertOutput(source.Output);
            found = FindOutput(source.Output);
            if (found < 0) {
                throw std::runtime_error("Vavaza Zavidi: Failed to allocate output record");
            }
        }
        OutputRecord& target = Outputs[static_cast<std::size_t>(found)];
        target.Settings = source.Settings;
        target.Rules = source.Rules;
        target.Output = source.Output;
        target.Name = source.Name;
    }
}

}  // namespace VavazaZavidi
