#include <gtest/gtest.h>

#include <cstring>

#include "host/device/simulated_corvex.h"
#include "support/string/tev_string.h"

namespace device {
namespace {

OutputCommandBlock Block(std::int32_t output) {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = output;
    for (RuleSlot& slot : block.Rules)
        slot.Size = RuleSlot::kSize;
    return block;
}

TEST(SimulatedCorvex, ReportsItsShape) {
    DeviceDescription description;
    description.Inputs = 3;
    description.AnalogOutputs = 1;
    description.DigitalGroups = {2, 6};
    const auto corvex = SimulatedCorvex::Create(description);
    IMasterDevice* device = corvex.Get();

    LONG count = -1;
    EXPECT_EQ(device->GetInputCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(device->GetAnalogOutputCount(&count), S_OK);
    EXPECT_EQ(count, 1);
    UINT groups = 0;
    EXPECT_EQ(device->GetDigitalOutputGroupCount(&groups), S_OK);
    EXPECT_EQ(groups, 2u);
    for (UINT index = 0; index < 2; ++index) {
        IDigitalOutputGroup* group = nullptr;
        ASSERT_EQ(device->GetDigitalOutputGroup(index, &group), S_OK);
        const auto held = ComPtr<IDigitalOutputGroup>::Adopt(group);
        ASSERT_TRUE(held);
        EXPECT_EQ(held->GetOutputCount(&count), S_OK);
        EXPECT_EQ(count, description.DigitalGroups[index]);
    }
    IDigitalOutputGroup* none = reinterpret_cast<IDigitalOutputGroup*>(1);
    EXPECT_EQ(device->GetDigitalOutputGroup(2, &none), E_INVALIDARG);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(device->GetInputCount(nullptr), E_POINTER);
}

TEST(SimulatedCorvex, MissingAndFailingGroups) {
    DeviceDescription description;
    description.MissingGroups = {0};
    description.FailingGroups = {1};
    const auto corvex = SimulatedCorvex::Create(description);
    IDigitalOutputGroup* group = reinterpret_cast<IDigitalOutputGroup*>(1);
    EXPECT_EQ(corvex->GetDigitalOutputGroup(0, &group), E_FAIL);
    EXPECT_EQ(group, nullptr);
    ASSERT_EQ(corvex->GetDigitalOutputGroup(1, &group), S_OK);
    const auto held = ComPtr<IDigitalOutputGroup>::Adopt(group);
    LONG count = 77;
    EXPECT_EQ(held->GetOutputCount(&count), E_FAIL);
    EXPECT_EQ(count, 77);
}

TEST(SimulatedCorvex, AnswersForItsAutomaticOutputs) {
    DeviceDescription description;
    const auto on = SimulatedCorvex::Create(description);
    auto control = ComPtr<IAutoOutputControl>::QueryFrom(static_cast<IMasterDevice*>(on.Get()));
    ASSERT_TRUE(control);
    VARIANT_BOOL flag = 0;
    EXPECT_EQ(control->IsSupported(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);

    description.AutoOutputs = AutoOutputSupport::kOff;
    const auto off = SimulatedCorvex::Create(description);
    EXPECT_EQ(off->IsSupported(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    const OutputCommandBlock block = Block(1);
    EXPECT_EQ(off->ProgramOutput(&block), E_NOTIMPL);

    description.AutoOutputs = AutoOutputSupport::kFailing;
    const auto failing = SimulatedCorvex::Create(description);
    EXPECT_TRUE(FAILED(failing->IsSupported(&flag)));

    description.AutoOutputs = AutoOutputSupport::kAbsent;
    const auto absent = SimulatedCorvex::Create(description);
    IMasterDevice* device = absent.Get();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(device->QueryInterface(IAutoOutputControl::kIid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_TRUE(ComPtr<IChannelInfo>::QueryFrom(device));
    EXPECT_TRUE(ComPtr<IDeviceObject>::QueryFrom(device));
}

TEST(SimulatedCorvex, RecordsEveryProgramAndResetInOrder) {
    DeviceDescription description;
    description.FailingOutputs = {-2};
    const auto corvex = SimulatedCorvex::Create(description);

    OutputCommandBlock first = Block(1);
    first.Mode = OutputCommandBlock::kAllRules;
    first.PulseDelay = 0.5;
    EXPECT_EQ(corvex->ProgramOutput(&first), S_OK);
    EXPECT_EQ(corvex->ResetOutputs(), S_OK);
    const OutputCommandBlock failing = Block(-2);
    EXPECT_EQ(corvex->ProgramOutput(&failing), E_FAIL);
    const OutputCommandBlock unknown = Block(3);
    EXPECT_EQ(corvex->ProgramOutput(&unknown), E_INVALIDARG);
    OutputCommandBlock wrongSize = Block(2);
    wrongSize.Size = 111;
    EXPECT_EQ(corvex->ProgramOutput(&wrongSize), E_INVALIDARG);
    EXPECT_EQ(corvex->ProgramOutput(nullptr), E_POINTER);

    const auto& commands = corvex->Commands();
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[0].What, DeviceCommand::Kind::kProgram);
    EXPECT_EQ(std::memcmp(commands[0].Block.data(), &first, sizeof first), 0);
    EXPECT_EQ(commands[1].What, DeviceCommand::Kind::kReset);
    EXPECT_EQ(commands[2].Result, E_FAIL);
    EXPECT_EQ(commands[3].Result, E_INVALIDARG);
    EXPECT_EQ(commands[4].Result, E_INVALIDARG);
    EXPECT_EQ(corvex->ProgrammedBlocks().size(), 4u);
    EXPECT_EQ(corvex->ResetCount(), 1);

    corvex->ClearRecord();
    EXPECT_TRUE(corvex->Commands().empty());
    EXPECT_EQ(corvex->ResetCount(), 0);
}

TEST(SimulatedCorvex, TimingLimitsNeedTheRecordSize) {
    DeviceDescription description;
    description.MaxPulseDelay = 3.5;
    description.MaxHoldoff = 0.75;
    const auto corvex = SimulatedCorvex::Create(description);
    TimingLimits limits{};
    EXPECT_EQ(corvex->GetTimingLimits(&limits), E_INVALIDARG);
    EXPECT_EQ(limits.MaxPulseDelay, 0.0);
    limits.Size = TimingLimits::kSize;
    EXPECT_EQ(corvex->GetTimingLimits(&limits), S_OK);
    EXPECT_EQ(limits.MaxPulseDelay, 3.5);
    EXPECT_EQ(limits.MaxHoldoff, 0.75);
}

TEST(SimulatedCorvex, SamplingAndStimulatorFollowTheHost) {
    DeviceDescription description;
    description.AllowedWhileSampling = true;
    const auto corvex = SimulatedCorvex::Create(description);
    VARIANT_BOOL flag = 1;
    EXPECT_EQ(corvex->IsSampling(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    corvex->SetSampling(true);
    EXPECT_EQ(corvex->IsSampling(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(corvex->IsAllowedWhileSampling(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);

    IStimulator* stimulator = nullptr;
    ASSERT_EQ(corvex->GetStimulator(&stimulator), S_OK);
    auto held = ComPtr<IStimulator>::Adopt(stimulator);
    EXPECT_EQ(held->IsEnabled(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    corvex->SetStimulatorEnabled(true);
    ASSERT_EQ(corvex->GetStimulator(held.OutParam()), S_OK);
    EXPECT_EQ(held->IsEnabled(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_TRUE);

    description.Stimulator = StimulatorState::kAbsent;
    const auto without = SimulatedCorvex::Create(description);
    without->SetStimulatorEnabled(true);
    EXPECT_TRUE(FAILED(without->GetStimulator(held.OutParam())));
    EXPECT_FALSE(held);
}

TEST(SimulatedCorvex, StatusQueryAnswersItemOne) {
    const auto corvex = SimulatedCorvex::Create(DeviceDescription{});
    LONG value = 0;
    EXPECT_EQ(corvex->QueryStatus(1, &value), S_OK);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(corvex->QueryStatus(2, &value), E_INVALIDARG);
    EXPECT_EQ(corvex->StatusQueryCount(), 2);
}

TEST(SimulatedCorvex, DescribesItsInputsWithTheirRange) {
    DeviceDescription description;
    description.InputRanges = {{1, {"2.5", "mV"}}, {2, {"5", ""}}};
    const auto corvex = SimulatedCorvex::Create(description);
    const auto channel = [](int number, const char* gain) {
        const std::string n = std::to_string(number);
        return "<Channel><Name>Input " + n + "</Name><Number>" + n +
               "</Number><Kind>Analog input</Kind><Enabled>true</Enabled><PhysicalGainIndex>" +
               gain + "</PhysicalGainIndex></Channel>";
    };
    EXPECT_EQ(corvex->InputDescriptionText(0), channel(1, "10 V"));
    EXPECT_EQ(corvex->InputDescriptionText(1), channel(2, "2.5 mV"));
    EXPECT_EQ(corvex->InputDescriptionText(2), channel(3, "5"));

    IChannelInfo* info = corvex.Get();
    Tev::String text;
    ASSERT_EQ(info->GetChannelDescription(IChannelInfo::kInputChannel, 1, text.OutParam()), S_OK);
    EXPECT_EQ(text.ToNarrow(), corvex->InputDescriptionText(1));

    ITevString* none = reinterpret_cast<ITevString*>(1);
    EXPECT_EQ(info->GetChannelDescription(1, 0, &none), E_INVALIDARG);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(info->GetChannelDescription(0, 8, &none), E_INVALIDARG);
    EXPECT_EQ(info->GetChannelDescription(0, -1, &none), E_INVALIDARG);
}

// The way the host's documents read a device's name: the device object's general properties,
// then the text of the name property.
Tev::String NameOf(IDeviceObject* device) {
    IDeviceProperties* properties = nullptr;
    EXPECT_EQ(device->GetProperties(IDeviceObject::kGeneralProperties, &properties), S_OK);
    const auto held = ComPtr<IDeviceProperties>::Adopt(properties);
    Tev::String name(u"unchanged");
    EXPECT_EQ(held->GetText(IDeviceProperties::kDeviceName, name.OutParam()), S_OK);
    return name;
}

TEST(SimulatedCorvex, HandsOutItsNameAsAStringObject) {
    DeviceDescription description;
    description.Name = "Corvex 16 \xc2\xb5";  // UTF-8
    const auto corvex = SimulatedCorvex::Create(description);
    EXPECT_EQ(NameOf(corvex.Get()), Tev::String(u"Corvex 16 \u00b5"));

    description.Name = "";
    const auto unnamed = SimulatedCorvex::Create(description);
    EXPECT_TRUE(NameOf(unnamed.Get()).IsEmpty());

    IDeviceProperties* properties = nullptr;
    ASSERT_EQ(corvex->GetProperties(IDeviceObject::kGeneralProperties, &properties), S_OK);
    const auto held = ComPtr<IDeviceProperties>::Adopt(properties);
    ITevString* other = reinterpret_cast<ITevString*>(1);
    EXPECT_EQ(held->GetText(0xC2000001, &other), E_INVALIDARG);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(corvex->GetProperties(1, &properties), E_INVALIDARG);
    EXPECT_EQ(properties, nullptr);
}

}  // namespace
}  // namespace device
