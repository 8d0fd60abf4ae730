#include "host/device/simulated_corvex.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "host/device/block_check.h"
#include "host/device/device_parts.h"

namespace device {

ComPtr<SimulatedCorvex> SimulatedCorvex::Create(const DeviceDescription& description) {
    return ComPtr<SimulatedCorvex>(new SimulatedCorvex(description));
}

SimulatedCorvex::SimulatedCorvex(const DeviceDescription& description)
    : description_(description) {}

void SimulatedCorvex::SetStimulatorEnabled(bool enabled) {
    if (description_.Stimulator != StimulatorState::kAbsent) {
        description_.Stimulator = enabled ? StimulatorState::kOn : StimulatorState::kOff;
    }
}

std::vector<BlockBytes> SimulatedCorvex::ProgrammedBlocks() const {
    std::vector<BlockBytes> blocks;
    for (const DeviceCommand& command : commands_) {
        if (command.What == DeviceCommand::Kind::kProgram)
            blocks.push_back(command.Block);
    }
    return blocks;
}

int SimulatedCorvex::ResetCount() const {
    return static_cast<int>(std::count_if(commands_.begin(), commands_.end(), [](const auto& c) {
        return c.What == DeviceCommand::Kind::kReset;
    }));
}

std::optional<BlockBytes> SimulatedCorvex::ProgramOf(std::int32_t output) const {
    const auto found = programs_.find(output);
    if (found == programs_.end())
        return std::nullopt;
    return found->second;
}

std::string SimulatedCorvex::LastRefusal() const {
    for (auto command = commands_.rbegin(); command != commands_.rend(); ++command) {
        if (command->What == DeviceCommand::Kind::kProgram)
            return command->Refusal;
    }
    return {};
}

void SimulatedCorvex::ClearRecord() {
    commands_.clear();
    statusQueries_ = 0;
}

namespace {

// Character data as XML text: the five characters with a meaning in markup become entities.
std::string XmlText(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string SimulatedCorvex::InputDescriptionText(std::int32_t input) const {
    const InputRange& range = description_.RangeOf(input);
    const std::string gain = range.Unit.empty() ? range.Range : range.Range + " " + range.Unit;
    const std::string number = std::to_string(input + 1);
    return "<Channel><Name>Input " + number + "</Name><Number>" + number +
           "</Number><Kind>Analog input</Kind><Enabled>true</Enabled><PhysicalGainIndex>" +
           XmlText(gain) + "</PhysicalGainIndex></Channel>";
}

bool SimulatedCorvex::RefusesInterface(REFIID iid) {
    return iid == IAutoOutputControl::kIid &&
           description_.AutoOutputs == AutoOutputSupport::kAbsent;
}

// IDeviceObject

HRESULT SimulatedCorvex::GetProperties(LONG set, IDeviceProperties** properties) {
    if (properties == nullptr)
        return E_POINTER;
    *properties = nullptr;
    if (set != kGeneralProperties)
        return E_INVALIDARG;
    *properties = SimulatedDeviceProperties::Create(description_.Name);
    return S_OK;
}

// IMasterDevice

HRESULT SimulatedCorvex::QueryStatus(LONG item, LONG* value) {
    if (value == nullptr)
        return E_POINTER;
    ++statusQueries_;
    if (item != 1)
        return E_INVALIDARG;
    *value = 1;  // connected
    return S_OK;
}

HRESULT SimulatedCorvex::GetDigitalOutputGroup(UINT index, IDigitalOutputGroup** group) {
    if (group == nullptr)
        return E_POINTER;
    *group = nullptr;
    if (index >= description_.DigitalGroups.size())
        return E_INVALIDARG;
    if (description_.MissingGroups.contains(index))
        return E_FAIL;
    *group = SimulatedDigitalGroup::Create(description_.DigitalGroups[index],
                                           description_.FailingGroups.contains(index));
    return S_OK;
}

HRESULT SimulatedCorvex::GetInputCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = description_.Inputs;
    return S_OK;
}

HRESULT SimulatedCorvex::GetAnalogOutputCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = description_.AnalogOutputs;
    return S_OK;
}

HRESULT SimulatedCorvex::GetDigitalOutputGroupCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = static_cast<UINT>(description_.DigitalGroups.size());
    return S_OK;
}

HRESULT SimulatedCorvex::IsSampling(VARIANT_BOOL* sampling) {
    if (sampling == nullptr)
        return E_POINTER;
    *sampling = description_.Sampling ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// IAutoOutputControl

HRESULT SimulatedCorvex::IsSupported(VARIANT_BOOL* supported) {
    if (supported == nullptr)
        return E_POINTER;
    if (description_.AutoOutputs == AutoOutputSupport::kFailing)
        return E_FAIL;
    *supported = Supported() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT SimulatedCorvex::ResetOutputs() {
    const HRESULT result = Supported() ? S_OK : E_NOTIMPL;
    commands_.push_back(DeviceCommand{DeviceCommand::Kind::kReset, {}, result, {}});
    if (result == S_OK)
        programs_.clear();
    return result;
}

HRESULT SimulatedCorvex::ProgramOutput(const OutputCommandBlock* block) {
    if (block == nullptr)
        return E_POINTER;
    DeviceCommand command{DeviceCommand::Kind::kProgram, {}, S_OK, {}};
    std::memcpy(command.Block.data(), block, sizeof *block);
    // A refused block is recorded with the reason and not applied.
    if (!Supported()) {
        command.Result = E_NOTIMPL;
        command.Refusal = "the device does not support automatic outputs";
    } else if (std::optional<std::string> refusal = CheckCommandBlock(*block, description_)) {
        command.Result = E_INVALIDARG;
        command.Refusal = std::move(*refusal);
    } else if (description_.FailingOutputs.contains(block->Output)) {
        command.Result = E_FAIL;
        command.Refusal = "programming output " + std::to_string(block->Output) +
                          " fails (failing-output in the device description)";
    }
    if (command.Result == S_OK)
        programs_[block->Output] = command.Block;
    commands_.push_back(std::move(command));
    return commands_.back().Result;
}

HRESULT SimulatedCorvex::GetTimingLimits(TimingLimits* limits) {
    if (limits == nullptr)
        return E_POINTER;
    if (limits->Size != TimingLimits::kSize)
        return E_INVALIDARG;
    if (description_.TimingLimitsFail)
        return E_FAIL;
    limits->MaxPulseDelay = description_.MaxPulseDelay;
    limits->MaxHoldoff = description_.MaxHoldoff;
    return S_OK;
}

HRESULT SimulatedCorvex::IsAllowedWhileSampling(VARIANT_BOOL* allowed) {
    if (allowed == nullptr)
        return E_POINTER;
    *allowed = description_.AllowedWhileSampling ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// IChannelInfo

HRESULT SimulatedCorvex::GetChannelDescription(LONG kind, LONG index, ITevString** description) {
    if (description == nullptr)
        return E_POINTER;
    *description = nullptr;
    if (kind != kInputChannel || index < 0 || index >= description_.Inputs)
        return E_INVALIDARG;
    return HandOutText(InputDescriptionText(index), description);
}

HRESULT SimulatedCorvex::GetStimulator(IStimulator** stimulator) {
    if (stimulator == nullptr)
        return E_POINTER;
    *stimulator = nullptr;
    if (description_.Stimulator == StimulatorState::kAbsent)
        return E_NOINTERFACE;
    *stimulator = SimulatedStimulator::Create(description_.Stimulator == StimulatorState::kOn);
    return S_OK;
}

}  // namespace device
