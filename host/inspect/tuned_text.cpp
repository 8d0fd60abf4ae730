#include "host/inspect/tuned_text.h"

#include <stdexcept>

#include "config/event_config.h"

namespace inspect {
namespace {

// The configuration of `text` and the index of `output` and of its condition in it.
struct Located {
    VavazaZavidi::EventConfig Config;
    std::int32_t Index = -1;
    std::int32_t Rule = -1;
};

Located Locate(const std::string& text, std::int32_t output, std::int32_t condition) {
    Located located;
    if (!located.Config.Deserialize(text))
        throw std::invalid_argument(
            "the configuration text does not read (ostrel check says "
            "where)");
    located.Index = located.Config.FindOutput(output);
    if (located.Index < 0)
        throw std::invalid_argument("the configuration has no output " + std::to_string(output));
    const std::int32_t count = located.Config.GetRuleCount(located.Index);
    if (condition < 1 || condition > count)
        throw std::invalid_argument(
            "output " + std::to_string(output) + " has " + std::to_string(count) +
            (count == 1 ? " condition" : " conditions") + ", not " + std::to_string(condition));
    located.Rule = condition - 1;
    return located;
}

}  // namespace

ConditionInText FindCondition(const std::string& text, std::int32_t output,
                              std::int32_t condition) {
    const Located located = Locate(text, output, condition);
    VavazaZavidi::Rule rule;
    located.Config.GetRule(located.Index, located.Rule, rule);
    const VavazaZavidi::OutputSettings& settings = located.Config.Settings(located.Index);
    return {rule.Input,
            rule.Above,
            rule.Level,
            rule.Hysteresis,
            settings.RetriggerHoldoff ? settings.RetriggerHoldoffTime : 0.0,
            settings.LimitedDuration ? settings.PulseDuration : 0.0};
}

std::string ChangedConfigurationText(const std::string& text, std::int32_t output,
                                     std::int32_t condition, const SettingChange& change) {
    Located located = Locate(text, output, condition);
    VavazaZavidi::Rule rule;
    located.Config.GetRule(located.Index, located.Rule, rule);
    if (change.LevelPercent)
        rule.Level = *change.LevelPercent;
    if (change.HysteresisPercent)
        rule.Hysteresis = *change.HysteresisPercent;
    located.Config.SetRule(located.Index, located.Rule, rule);
    VavazaZavidi::OutputSettings& settings = located.Config.Settings(located.Index);
    settings.On = true;
    if (change.Holdoff) {
        settings.RetriggerHoldoff = *change.Holdoff > 0.0;
        settings.RetriggerHoldoffTime = *change.Holdoff;
    }
    if (change.Width) {
        settings.LimitedDuration = *change.Width > 0.0;
        if (*change.Width > 0.0)
            settings.PulseDuration = *change.Width;
    }
    std::string changed;
    located.Config.Serialize(changed);
    return changed;
}

}  // namespace inspect
