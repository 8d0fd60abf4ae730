#include <gtest/gtest.h>

#include <string>

#include "host/device/device_description_text.h"

namespace device {
namespace {

// The message of the error that reading `text` raises; empty when it reads.
std::string ErrorOf(const std::string& text) {
    try {
        ParseDeviceDescription(text);
    } catch (const DeviceDescriptionError& error) {
        return error.what();
    }
    return "";
}

TEST(DeviceDescriptionText, EmptyTextIsTheDefaultDevice) {
    EXPECT_EQ(ParseDeviceDescription(""), DeviceDescription{});
    EXPECT_EQ(ParseDeviceDescription("  \n# only a comment\n , ,"), DeviceDescription{});
    const DeviceDescription device;
    EXPECT_EQ(device.Name, "Corvex");
    EXPECT_EQ(device.Inputs, 8);
    EXPECT_EQ(device.AnalogOutputs, 2);
    EXPECT_EQ(device.DigitalGroups, (std::vector<std::int32_t>{4, 4}));
}

TEST(DeviceDescriptionText, ReadsEveryKey) {
    const DeviceDescription device = ParseDeviceDescription(
        "name = Corvex 16/4 , inputs=16, analog=4, digital=8+0+2, range=2.5mV, range3=10 V,"
        "range16=5, auto-outputs=off, stimulator=on, sampling=on, while-sampling=on,"
        "max-delay=2.5, max-holdoff=0.125, missing-group=3, failing-group=1, failing-group=2,"
        "failing-output=-10, failing-output=4, timing-limits=failing");
    EXPECT_EQ(device.Name, "Corvex 16/4");
    EXPECT_EQ(device.Inputs, 16);
    EXPECT_EQ(device.AnalogOutputs, 4);
    EXPECT_EQ(device.DigitalGroups, (std::vector<std::int32_t>{8, 0, 2}));
    EXPECT_EQ(device.Range, (InputRange{"2.5", "mV"}));
    EXPECT_EQ(device.RangeOf(2), (InputRange{"10", "V"}));
    EXPECT_EQ(device.RangeOf(15), (InputRange{"5", ""}));
    EXPECT_EQ(device.RangeOf(0), (InputRange{"2.5", "mV"}));
    EXPECT_EQ(device.AutoOutputs, AutoOutputSupport::kOff);
    EXPECT_EQ(device.Stimulator, StimulatorState::kOn);
    EXPECT_TRUE(device.Sampling);
    EXPECT_TRUE(device.AllowedWhileSampling);
    EXPECT_EQ(device.MaxPulseDelay, 2.5);
    EXPECT_EQ(device.MaxHoldoff, 0.125);
    EXPECT_EQ(device.MissingGroups, (std::set<std::uint32_t>{2}));
    EXPECT_EQ(device.FailingGroups, (std::set<std::uint32_t>{0, 1}));
    EXPECT_EQ(device.FailingOutputs, (std::set<std::int32_t>{-10, 4}));
    EXPECT_TRUE(device.TimingLimitsFail);
    EXPECT_FALSE(ParseDeviceDescription("timing-limits=ok").TimingLimitsFail);
}

TEST(DeviceDescriptionText, LinesCommentsAndTheOtherChoices) {
    const DeviceDescription device = ParseDeviceDescription(
        "# a device without digital outputs\r\n"
        "digital=none   # no groups at all\n"
        "auto-outputs=absent\n"
        "stimulator=absent, name=\n");
    EXPECT_TRUE(device.DigitalGroups.empty());
    EXPECT_EQ(device.AutoOutputs, AutoOutputSupport::kAbsent);
    EXPECT_EQ(device.Stimulator, StimulatorState::kAbsent);
    EXPECT_EQ(device.Name, "");
    EXPECT_EQ(ParseDeviceDescription("auto-outputs=failing").AutoOutputs,
              AutoOutputSupport::kFailing);
}

TEST(DeviceDescriptionText, FormatReadsBackAsTheSameDescription) {
    DeviceDescription device;
    EXPECT_EQ(ParseDeviceDescription(FormatDeviceDescription(device)), device);

    device.Name = "Corvex X";
    device.Inputs = 3;
    device.AnalogOutputs = 1;
    device.DigitalGroups = {};
    device.Range = {"0.5", "mV"};
    device.InputRanges = {{1, {"20", "uA"}}, {2, {"7", ""}}};
    device.AutoOutputs = AutoOutputSupport::kFailing;
    device.Stimulator = StimulatorState::kAbsent;
    device.Sampling = true;
    device.MaxPulseDelay = 0.1;
    device.MaxHoldoff = 1e-7;
    device.FailingOutputs = {1};
    device.TimingLimitsFail = true;
    EXPECT_EQ(ParseDeviceDescription(FormatDeviceDescription(device)), device);

    DeviceDescription groups;
    groups.DigitalGroups = {1, 2, 3};
    groups.MissingGroups = {0};
    groups.FailingGroups = {2};
    groups.FailingOutputs = {-6, 2};
    EXPECT_EQ(ParseDeviceDescription(FormatDeviceDescription(groups)), groups);
}

TEST(DeviceDescriptionText, ChangedItemsAreWhatDiffersFromTheDemonstrationDevice) {
    const struct {
        const char* given;
        const char* changed;
    } cases[] = {
        {"", ""},
        {"range=10V, digital=4+4, name=Corvex", ""},
        {"inputs=1, analog=1, digital=none, range=5mV",
         "inputs=1, analog=1, digital=none, range=5 mV"},
        {"range2=1 V, name=, failing-output=-1, stimulator=on",
         "name=, range2=1 V, stimulator=on, failing-output=-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatChangedItems(ParseDeviceDescription(c.given)), c.changed) << c.given;
}

TEST(DeviceDescriptionText, RangesInExponentFormAreGivenAsPlainDecimals) {
    const struct {
        const char* item;
        InputRange range;
    } cases[] = {
        {"range=1e3 V", {"1000", "V"}},    {"range=2.5E-3V", {"0.0025", "V"}},
        {"range=1e+2", {"100", ""}},       {"range=10 V", {"10", "V"}},
        {"range=2.50 mV", {"2.50", "mV"}},  // without an exponent the text stays as given
        {"range=2.5eV", {"2.5", "eV"}},     // no digit after the e: a unit
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDeviceDescription(c.item).Range, c.range) << c.item;
    EXPECT_EQ(ErrorOf("range=1e300 V"),
              "device description, item \"range=1e300 V\": \"1e300\" is beyond any range a "
              "device has");
    EXPECT_EQ(ErrorOf("range=1e999 V"),
              "device description, item \"range=1e999 V\": expected a range such as 10 V or "
              "2.5mV");
}

TEST(DeviceDescriptionText, BadItemsAreNamedInTheError) {
    EXPECT_EQ(ErrorOf("inputs=8, analog"),
              "device description, item \"analog\": expected KEY=VALUE");
    EXPECT_EQ(ErrorOf("colour=red"),
              "device description, item \"colour=red\": unknown key \"colour\"");
    EXPECT_EQ(ErrorOf("ranger=10V"),
              "device description, item \"ranger=10V\": unknown key \"ranger\"");
    EXPECT_EQ(ErrorOf("inputs=x"),
              "device description, item \"inputs=x\": \"x\" is not a whole number from 0 to 255");
    EXPECT_EQ(ErrorOf("inputs=256"),
              "device description, item \"inputs=256\": \"256\" is not a "
              "whole number from 0 to 255");
    EXPECT_EQ(ErrorOf("analog=-1"),
              "device description, item \"analog=-1\": \"-1\" is not a "
              "whole number from 0 to 4096");
    EXPECT_EQ(ErrorOf("analog=2, analog=3"),
              "device description, item \"analog=3\": key given twice");
    EXPECT_EQ(ErrorOf("sampling=yes"),
              "device description, item \"sampling=yes\": expected on or off");
    EXPECT_EQ(ErrorOf("auto-outputs=maybe"),
              "device description, item \"auto-outputs=maybe\": "
              "expected on, off, failing or absent");
    EXPECT_EQ(ErrorOf("range=V"),
              "device description, item \"range=V\": expected a range such as 10 V or 2.5mV");
    EXPECT_EQ(ErrorOf("range=10 <V>"),
              "device description, item \"range=10 <V>\": a unit cannot hold <, > or &");
    EXPECT_EQ(ErrorOf("max-delay=-1"),
              "device description, item \"max-delay=-1\": \"-1\" is not "
              "a number of seconds (0 or more)");
    EXPECT_EQ(ErrorOf("max-holdoff=nan"),
              "device description, item \"max-holdoff=nan\": \"nan\" "
              "is not a number of seconds (0 or more)");
    EXPECT_EQ(ErrorOf("failing-output=0"),
              "device description, item \"failing-output=0\": 0 names no output");
}

TEST(DeviceDescriptionText, DigitalGroupsMustBeWholeNumbers) {
    EXPECT_NE(ErrorOf("digital=4+"), "");
    EXPECT_NE(ErrorOf("digital=4++4"), "");
    EXPECT_NE(ErrorOf("digital="), "");
    EXPECT_NE(ErrorOf("digital=four"), "");
    EXPECT_EQ(ErrorOf("digital=4096+1"),
              "device description, item \"digital=4096+1\": more than 4096 digital outputs");
    EXPECT_EQ(ParseDeviceDescription("digital= 2 + 6 ").DigitalGroups,
              (std::vector<std::int32_t>{2, 6}));
}

TEST(DeviceDescriptionText, FailureModesMustNameWhatTheDeviceHas) {
    EXPECT_EQ(ErrorOf("missing-group=3"),
              "device description: missing-group=3 names a group the device lacks (it has 2)");
    EXPECT_EQ(ErrorOf("digital=none, failing-group=1"),
              "device description: failing-group=1 names a group the device lacks (it has 0)");
    EXPECT_EQ(ErrorOf("failing-output=3"),
              "device description: failing-output=3 names an output the device lacks");
    EXPECT_EQ(ErrorOf("failing-output=-9"),
              "device description: failing-output=-9 names an output the device lacks");
    EXPECT_EQ(ErrorOf("inputs=2, range3=1V"),
              "device description: range3 names an input the device lacks (it has 2)");
    EXPECT_EQ(ErrorOf("range0=1V"),
              "device description, item \"range0=1V\": \"0\" is not a whole number from 1 to 255");
    EXPECT_EQ(ErrorOf("range2=1V, range02=2V"),
              "device description, item \"range02=2V\": input range given twice");
    // Keys are read in any order: the check comes after the whole text.
    EXPECT_EQ(ErrorOf("failing-output=-12, digital=6+6"), "");
}

}  // namespace
}  // namespace device
