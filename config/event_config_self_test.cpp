#include "config/event_config_self_test.h"

#include <boost/bind/bind.hpp>

#include "support/unit_test/unit_test_exception.h"

namespace VavazaZavidi {
namespace {

// The source name the failure messages have always shown; the host's reports rely on it, as on
// the line numbers passed to Check below, which are fixed and not this file's lines.
constexpr const char16_t* kSourceName = u"test_EventConfig";

}  // namespace

Tarvel_EventConfig* Tarvel_EventConfig::Create() {
    return new Tarvel_EventConfig;
}

void Tarvel_EventConfig::AddTests() {
    AddTest(boost::bind(&Tarvel_EventConfig::TestSerialize, this),
            Tev::String(u"Tarvel_EventConfig::TestSerialize"), 0);
}

void Tarvel_EventConfig::SetOwner(bool alternate) {
    SetOwnerAddress(Tev::String(alternate ? u"eventconfig@tarvel.example.org"
                                          : u"eventconfig@tarvel.example.com"));
}

bool Tarvel_EventConfig::Write(const EventConfig& config, std::string& text) {
    return config.Serialize(text);
}

void Tarvel_EventConfig::Check(bool condition, int line, const char16_t* expression) {
    if (!condition) {
        throw Tev::UnitTestException(Tev::String(kSourceName), line, Tev::String(expression));
    }
}

void Tarvel_EventConfig::TestSerialize() {
    // An empty configuration writes, reads and writes to the same text.
    EventConfig ef1;
    std::string file1;
    Write(ef1, file1);
    EventConfig ef2;
    ef2.Deserialize(file1);
    std::string file2;
    Write(ef2, file2);
    Check(file1 == file2, 19, u"file1==file2");
    Check(ef1.GetCount() == ef2.GetCount(), 20, u"ef1.GetCount() == ef2.GetCount()");

    for (std::int32_t ei = 0; ei < ef1.GetCount(); ++ei) {
        const std::u16string& name1 = ef1.GetName(ei);
        const std::u16string& name2 = ef2.GetName(ei);
        Check(name1 == name2, 28, u"name1 == name2");
        const OutputSettings& a = ef1.Settings(ei);
        const OutputSettings& b = ef2.Settings(ei);
        Check(a == b, 33, u"a == b");
        Check(ef1.GetRuleCount(ei) == ef2.GetRuleCount(ei), 35,
              u"ef1.GetRuleCount( ei ) == ef2.GetRuleCount( ei )");
        for (std::int32_t ri = 0; ri < ef1.GetRuleCount(ei); ++ri) {
            Rule ra;
            Rule rb;
            ef1.GetRule(ei, ri, ra);
            ef2.GetRule(ei, ri, rb);
            Check(ra == rb, 43, u"ra == rb");
        }
    }

    // Settings are laid over the outputs a configuration has.
    EventConfig ef3;
    ef3.SetOutputCounts(5, 3);
    ef3.CopyOutputsFrom(ef1, false);

    // A changed rule survives the text.
    EventConfig one;
    one.SetOutputCounts(1, 0);
    one.AddDefaultRules();
    Rule rule;
    one.GetRule(0, 0, rule);
    rule.Input = 2;
    one.SetRule(0, 0, rule);
    std::string text;
    Write(one, text);
    EventConfig other;
    other.Deserialize(text);
    const std::int32_t ruleCount = other.GetRuleCount(0);
    Check(ruleCount == 1, 69, u"ruleCount == 1");
    Rule rule_other;
    other.GetRule(0, 0, rule_other);
    Check(rule_other.Input == 2, 71, u"rule_other.Input == 2");
}

}  // namespace VavazaZavidi
