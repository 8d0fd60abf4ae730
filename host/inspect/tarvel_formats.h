// What the host's tools know of Tarvel's own formats, in one place.
//
// The host reaches the extension through the module it loads and the published interfaces of
// host/api; it never needs the extension's code for that. ostrel is also a tool for Tarvel's
// users, though: it checks a configuration text, shows the text a document's stream holds and
// makes the demonstration's configuration. Those need Tarvel's private formats (the
// configuration text, the binary stream), and this library is the only part of the host that
// may know them. It is built from the extension's own configuration and stream code, so the
// tools read and write exactly as the module does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/api/master_device.h"
#include "platform/com/guid.h"
#include "platform/stream/stream.h"

namespace inspect {

// The extension's document class: also the family of its messages and the class of its
// document stream.
extern const GUID kTarvelDocumentClass;
// The code, in that family, of the message that carries a configuration text.
extern const WORD kConfigurationTextCode;

struct CheckedText {
    std::string written;  // what the writer makes of what was read
    bool read = false;    // whether the whole text read
    // Where and why it does not read, or that it read as nothing (a version other than 1):
    // the 1-based line (0: the text as a whole) and the problem, e.g. `expected "PulseDelay = ",
    // found "PulseDelai = 0"`. The problem is empty when the text reads without remark.
    std::size_t problemLine = 0;
    std::string problem;

    // Whether the text reads and was not read as nothing.
    bool Usable() const { return read && problem.empty(); }
    // "SOURCE:LINE: PROBLEM"; empty without a problem.
    std::string Describe(const std::string& source) const;
};

// Reads a configuration text, with the reader's diagnosis, and writes it back; on a failure the
// result holds what was read up to it.
CheckedText CheckConfigurationText(const std::string& text);

// What a configuration says of one output's rules, as a host tool looks at them.
struct OutputRules {
    std::int32_t Output = 0;  // 1, 2 ... analog; -1, -2 ... digital
    bool On = false;
    struct Rule {
        std::int32_t Input = 0;  // zero-based
        double Level = 0.0;      // percent of the input's range
    };
    std::vector<Rule> Rules;  // in the configuration's order
};

// The outputs of a configuration text in its order, as the extension reads it; empty when the
// text does not read.
std::vector<OutputRules> OutputRulesOf(const std::string& text);

// The configuration text for `device` with output 1 switched on for "Input 1 goes above
// `levelPercent` % of its range", every other output as the device reports it.
std::string OneRuleConfigurationText(IMasterDevice* device, double levelPercent);

// The configuration text held in a document stream that the extension's persistence wrote,
// read from the stream's current position; empty when it does not read.
std::string ConfigurationTextOfStream(IStream* stream);

}  // namespace inspect
