#include "host/inspect/tarvel_formats.h"

#include "config/event_config.h"
#include "config/text_diagnosis.h"
#include "extension/document/identities.h"
#include "streams/storage_bin_istream_lite.h"
#include "support/string/tev_string.h"

namespace inspect {

const GUID kTarvelDocumentClass = VavazaZavidi::kDocumentClassId;
const WORD kConfigurationTextCode = VavazaZavidi::kConfigTextMessageCode;

CheckedText CheckConfigurationText(const std::string& text) {
    VavazaZavidi::EventConfig config;
    VavazaZavidi::TextDiagnosis diagnosis;
    CheckedText checked;
    checked.read = config.Deserialize(text, diagnosis);
    config.Serialize(checked.written);
    checked.problemLine = diagnosis.Line;
    checked.problem = std::move(diagnosis.Problem);
    return checked;
}

std::string CheckedText::Describe(const std::string& source) const {
    return VavazaZavidi::TextDiagnosis{problemLine, problem}.Describe(source);
}

std::vector<OutputRules> OutputRulesOf(const std::string& text) {
    VavazaZavidi::EventConfig config;
    if (!config.Deserialize(text))
        return {};
    std::vector<OutputRules> outputs;
    for (const VavazaZavidi::OutputRecord& record : config.GetOutputs()) {
        OutputRules& output = outputs.emplace_back();
        output.Output = record.Output;
        output.On = record.Settings.On;
        for (const VavazaZavidi::Rule& rule : record.Rules)
            output.Rules.push_back({rule.Input, rule.Level});
    }
    return outputs;
}

std::string OneRuleConfigurationText(IMasterDevice* device, double levelPercent) {
    VavazaZavidi::EventConfig config;
    config.LoadFromDevice(device);
    VavazaZavidi::Rule rule;
    rule.Input = 0;
    rule.Above = true;
    rule.Level = levelPercent;
    config.SetRule(0, 0, rule);
    config.Settings(0).On = true;
    std::string text;
    config.Serialize(text);
    return text;
}

std::string ConfigurationTextOfStream(IStream* stream) {
    StorageBinIStreamLite in(stream);
    LONG version = 0;
    if (in.ReadLong(&version) != S_OK)
        return {};
    Tev::String text;
    text.Attach(in.ReadString());
    return text.Narrow();
}

}  // namespace inspect
