#include "tests/extension/module/module_fixture.h"

#include "host/device/device_description_text.h"
#include "host/ostrel/block_table.h"
#include "support/string/tev_string.h"

namespace module_test {

namespace {

constexpr GUID kTarvelClass = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");

std::string Number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace

std::string OutputText(int output, bool on, const std::vector<RuleText>& rules, bool all) {
    std::string text = "BeginOnlineEvent\nVersion = 1\nOutput = " + std::to_string(output) +
                       "\nOn = " + (on ? "1" : "0") +
                       "\nPulseDuration = 0.001\nPulseDelay = 0\nRetriggerHoldoffTime = 0\n"
                       "LimitedDuration = 0\nLimitedNumPulses = 0\nRetriggerHoldoff = 0\n"
                       "PulseNumLimit = 1\nAll = " +
                       (all ? "1" : "0") + "\nRuleCount = " + std::to_string(rules.size()) + "\n";
    for (const RuleText& rule : rules) {
        text += "BeginOnlineEventRule\nVersion = 1\nInput = " + std::to_string(rule.input) +
                "\nAbove = " + (rule.above ? "1" : "0") +
                "\nHysteresis = 5\nLevel = " + Number(rule.level) + "\nEndOnlineEventRule\n";
    }
    return text + "EndOnlineEvent\n";
}

std::string ConfigText(int analog, int digital, const std::vector<std::string>& outputs) {
    std::string text = "Version = 1\nAnalogOutputCount = " + std::to_string(analog) +
                       "\nDigitalOutputCount = " + std::to_string(digital) + "\n";
    for (const std::string& output : outputs)
        text += output;
    return text;
}

std::string FullText() {
    std::vector<std::string> outputs;
    for (int output : {1, 2, -1, -2, -3, -4, -5, -6, -7, -8}) {
        outputs.push_back(OutputText(
            output, true, {{0, true, 12.5}, {1, false, -30}, {2, true, 99.5}, {3, false, 0.25}},
            output % 2 == 0));
    }
    return ConfigText(2, 8, outputs);
}

void ModuleTest::Open(const std::string& device) {
    // A document opened before goes first, its user before its host: each restores the user
    // interface driver it found when it came.
    user_.reset();
    host_.reset();
    host_ = std::make_unique<ostrel::OstrelHost>(device::ParseDeviceDescription(device), messages_);
    user_ = std::make_unique<ui::ScriptedUser>();  // installed over the host's printer
    Device().ClearRecord();
}

std::vector<OutputCommandBlock> ModuleTest::TakeBlocks() {
    std::vector<OutputCommandBlock> blocks;
    for (const auto& bytes : Device().ProgrammedBlocks())
        blocks.push_back(ostrel::DecodeBlock(bytes));
    Device().ClearRecord();
    return blocks;
}

HRESULT ModuleTest::SendMessage(WORD code, DWORD flags, const std::string& text, IUnknown* sender) {
    session::HostSession& session = Host().Session();
    const Tev::String wide(text);
    const MessageArg argument{MessageArg::kString, wide.Interface()};
    return session.SendMessage(Document(), MakeMessageId(session.Family(kTarvelClass), code), flags,
                               argument, sender);
}

void ModuleTest::Signal(WORD deviceEvent, std::intptr_t parameter) {
    Host().Session().SignalDeviceEvent(deviceEvent, parameter);
}

}  // namespace module_test
