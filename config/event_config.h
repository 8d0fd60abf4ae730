// The complete automatic-output configuration of one document: one record per output of the
// master device, analog outputs first (1, 2 ...), then digital outputs (-1, -2 ...), each with
// its pulse settings and up to four rules.
//
// Invariants, kept by every operation:
//   1. the number of records is GetAnalogOutputCount() + GetDigitalOutputCount();
//   2. the first GetAnalogOutputCount() records are the analog outputs in ascending order, the
//      rest the digital outputs in ascending order of magnitude;
//   3. no two records share an output number, and no record has the number 0;
//   4. rules added one at a time stop at kMaxRules per output.
//
// Indices are zero-based positions in the records and in an output's rules; every operation
// that takes one raises std::out_of_range when it lies outside the list, changing nothing.
// Errors of the model are exceptions derived from std::exception whose messages begin
// "Vavaza Zavidi: ".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/output_record.h"

struct IMasterDevice;

namespace VavazaZavidi {

struct TextDiagnosis;

class EventConfig {
public:
    // Rules an output may have when they are added one at a time.
    static constexpr std::int32_t kMaxRules = 4;
    // Outputs of one kind a configuration text may announce in its header; no device has as
    // many, and a text announcing more is refused before any record is built.
    static constexpr std::int32_t kMaxOutputsPerKind = 4096;

    // An empty configuration: no records, all counts 0.
    EventConfig() = default;

    // Counts.
    std::int32_t GetCount() const { return AnalogOutputCount + DigitalOutputCount; }
    std::int32_t GetAnalogOutputCount() const { return AnalogOutputCount; }
    std::int32_t GetDigitalOutputCount() const { return DigitalOutputCount; }
    // Inputs a rule may name; set by LoadFromDevice.
    std::int32_t GetInputCount() const { return InputCount; }

    // Records, by output index.
    const std::vector<OutputRecord>& GetOutputs() const { return Outputs; }
    const OutputRecord& GetOutput(std::int32_t index) const;
    OutputSettings& Settings(std::int32_t index);
    const OutputSettings& Settings(std::int32_t index) const;
    const std::u16string& GetName(std::int32_t index) const;
    std::int32_t GetOutputNumber(std::int32_t index) const;
    // Index of the record with output number `output`, or -1.
    std::int32_t FindOutput(std::int32_t output) const;

    // Rules.
    std::int32_t GetRuleCount(std::int32_t index) const;
    void GetRule(std::int32_t index, std::int32_t rule, Rule& value) const;
    void SetRule(std::int32_t index, std::int32_t rule, const Rule& value);
    // Inserts a default rule after rule `after` (-1: at the front).
    void InsertRule(std::int32_t index, std::int32_t after);
    // Removes rule `rule`; an output never loses its last rule this way.
    void DeleteRule(std::int32_t index, std::int32_t rule);
    // Inserts one default rule at the front of every output's rules.
    void AddDefaultRules();

    // Outputs.
    // Rebuilds the records for `analog` analog and `digital` digital outputs, without rules.
    // A negative count raises std::length_error and changes nothing.
    void SetOutputCounts(std::int32_t analog, std::int32_t digital);
    // Adds output `output` in its sorted place, with default settings and no rules.
    void InsertOutput(std::int32_t output);
    // Copies the settings, rules, number and name of each output of `other` onto this
    // configuration's output with the same number; outputs this configuration lacks are
    // skipped, or inserted first when `insertMissing` is set.
    void CopyOutputsFrom(const EventConfig& other, bool insertMissing);

    // The key = value text (defined with the text format).
    // Replaces `text` with the configuration's text and returns true.
    bool Serialize(std::string& text) const;
    // Rebuilds the configuration from `text`; false on any parse failure, with the records
    // read up to the failure. Never throws. InputCount is kept.
    bool Deserialize(const std::string& text);
    // Deserialize, with the same result and records, telling in `diagnosis` where and why a
    // text does not read; a version other than 1 reads as nothing, as Deserialize reads it,
    // and is named too.
    bool Deserialize(const std::string& text, TextDiagnosis& diagnosis);

    // The master device (defined with the device programming).
    // Rebuilds the records for exactly the device's outputs, each with one default rule, and
    // takes its input count. False (and no outputs) for a null device.
    bool LoadFromDevice(IMasterDevice* device);
    // Points every rule that names an input the device lacks at input 0.
    void ClampInputs();
    // Programs every output of the device with one command block: this configuration's
    // settings and rules where it has the output, the defaults elsewhere. True when every
    // output was programmed.
    bool SendToDevice(IMasterDevice* device) const;

private:
    OutputRecord& Record(std::int32_t index);
    const OutputRecord& Record(std::int32_t index) const;
    void Clear();
    // Raises std::runtime_error unless a text may add `output` (0 is InsertOutput's to refuse).
    void CheckNextInSequence(std::int32_t output) const;
    // The reading of Deserialize; with a diagnosis, it also keeps track of where it is.
    bool ReadText(const std::string& text, TextDiagnosis* diagnosis);

    std::vector<OutputRecord> Outputs;
    std::int32_t DigitalOutputCount = 0;
    std::int32_t AnalogOutputCount = 0;
    std::int32_t InputCount = 0;
};

}  // namespace VavazaZavidi
