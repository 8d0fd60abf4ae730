#include "host/device/device_description_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <set>
#include <vector>

namespace device {

const char kDeviceDescriptionSyntax[] =
    R"(A device description is a list of KEY=VALUE items separated by commas or line breaks;
'#' starts a comment. Keys not given keep their defaults (shown in brackets).
  name=TEXT              device name, may be empty                      [Corvex]
  inputs=N               number of inputs, 0 to 255                     [8]
  analog=N               number of analog outputs, 0 to 4096            [2]
  digital=A+B+...        digital output groups and their sizes, or none [4+4]
  range=R UNIT           full-scale range and unit of every input       [10 V]
  rangeK=R UNIT          range and unit of input K (1-based) only, e.g. range2=2.5mV
  auto-outputs=on|off|failing|absent
                         automatic outputs supported, unsupported, support query
                         failing, or not offered at all                 [on]
  stimulator=on|off|absent                                              [off]
  sampling=on|off        the host is sampling                           [off]
  while-sampling=on|off  setup is allowed while sampling                [off]
  max-delay=SECONDS      largest pulse delay                            [10]
  max-holdoff=SECONDS    largest hold-off after a pulse start           [10]
Failure modes (each may be given several times):
  missing-group=G        digital group G (1-based) cannot be obtained
  failing-group=G        digital group G cannot tell its number of outputs
  failing-output=O       programming output O (1, 2 ... analog, -1, -2 ... digital) fails
  timing-limits=failing  the query for the largest delay and hold-off fails (ok: it answers)
)";

namespace {

constexpr std::int64_t kMaxInputs = 255;  // the command block's input byte
constexpr std::int64_t kMaxOutputs = 4096;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// One KEY=VALUE item, with the text it was read from for the error messages.
struct Item {
    std::string_view text;
    std::string_view key;
    std::string_view value;

    [[noreturn]] void Fail(const std::string& problem) const {
        throw DeviceDescriptionError("device description, item \"" + std::string(text) +
                                     "\": " + problem);
    }

    std::int64_t Whole(std::int64_t low, std::int64_t high) const {
        return WholeIn(value, low, high);
    }

    std::int64_t WholeIn(std::string_view digits, std::int64_t low, std::int64_t high) const {
        std::int64_t number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            number < low || number > high) {
            Fail("\"" + std::string(digits) + "\" is not a whole number from " +
                 std::to_string(low) + " to " + std::to_string(high));
        }
        return number;
    }

    double Seconds() const {
        double number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
            !std::isfinite(number) || number < 0) {
            Fail("\"" + std::string(value) + "\" is not a number of seconds (0 or more)");
        }
        return number;
    }

    bool OnOff() const {
        if (value == "on")
            return true;
        if (value == "off")
            return false;
        Fail("expected on or off");
    }

    // "10 V", "2.5mV", "1e3 V". A number in exponent form is given to the host as the plain
    // decimal it stands for (1e3 as 1000): the channel description's range is read as a plain
    // decimal, and "1e3" would read as 1.
    InputRange Range() const {
        const auto isDigit = [&](std::size_t at) {
            return at < value.size() && value[at] >= '0' && value[at] <= '9';
        };
        std::size_t digits = 0;
        while (isDigit(digits) || (digits < value.size() && value[digits] == '.'))
            ++digits;
        bool exponent = false;
        if (digits > 0 && digits < value.size() && (value[digits] == 'e' || value[digits] == 'E')) {
            std::size_t at = digits + 1;
            if (at < value.size() && (value[at] == '+' || value[at] == '-'))
                ++at;
            if (isDigit(at)) {
                exponent = true;
                digits = at;
                while (isDigit(digits))
                    ++digits;
            }
        }
        const std::string_view number = value.substr(0, digits);
        double parsed = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), parsed);
        if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
            Fail("expected a range such as 10 V or 2.5mV");
        }
        // Full scale is what a level is a share of: an input without one measures nothing.
        if (!(parsed > 0))
            Fail("a range must be more than 0");
        std::string range(number);
        if (exponent) {
            char plain[32];
            const auto written =
                std::to_chars(plain, plain + sizeof plain, parsed, std::chars_format::fixed);
            if (written.ec != std::errc() || !std::isfinite(parsed)) {
                Fail("\"" + std::string(number) + "\" is beyond any range a device has");
            }
            range.assign(plain, written.ptr);
        }
        const std::string_view unit = Trim(value.substr(digits));
        if (unit.find_first_of("<>&") != std::string_view::npos) {
            Fail("a unit cannot hold <, > or &");
        }
        return InputRange{range, std::string(unit)};
    }
};

std::vector<Item> SplitItems(std::string_view text) {
    std::vector<Item> items;
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(std::min(lineEnd + 1, text.size()));
        line = line.substr(0, line.find('#'));
        while (true) {
            const std::size_t comma = line.find(',');
            const std::string_view piece = Trim(line.substr(0, comma));
            if (!piece.empty()) {
                Item item{piece, {}, {}};
                const std::size_t equals = piece.find('=');
                if (equals == std::string_view::npos)
                    item.Fail("expected KEY=VALUE");
                item.key = Trim(piece.substr(0, equals));
                item.value = Trim(piece.substr(equals + 1));
                items.push_back(item);
            }
            if (comma == std::string_view::npos)
                break;
            line.remove_prefix(comma + 1);
        }
    }
    return items;
}

std::vector<std::int32_t> DigitalGroups(const Item& item) {
    std::vector<std::int32_t> groups;
    if (item.value == "none")
        return groups;
    std::string_view rest = item.value;
    std::int64_t total = 0;
    while (true) {
        const std::size_t plus = rest.find('+');
        const std::int64_t count = item.WholeIn(Trim(rest.substr(0, plus)), 0, kMaxOutputs);
        total += count;
        if (total > kMaxOutputs) {
            item.Fail("more than " + std::to_string(kMaxOutputs) + " digital outputs");
        }
        groups.push_back(static_cast<std::int32_t>(count));
        if (plus == std::string_view::npos)
            break;
        rest.remove_prefix(plus + 1);
    }
    return groups;
}

void CheckFailureModes(const DeviceDescription& device) {
    const auto groups = device.DigitalGroups.size();
    for (const auto* set : {&device.MissingGroups, &device.FailingGroups}) {
        if (!set->empty() && *set->rbegin() >= groups) {
            throw DeviceDescriptionError(
                "device description: " +
                std::string(set == &device.MissingGroups ? "missing-group" : "failing-group") +
                "=" + std::to_string(*set->rbegin() + 1) +
                " names a group the device lacks (it has " + std::to_string(groups) + ")");
        }
    }
    for (const std::int32_t output : device.FailingOutputs) {
        if (!device.HasOutput(output)) {
            throw DeviceDescriptionError(
                "device description: failing-output=" + std::to_string(output) +
                " names an output the device lacks");
        }
    }
    if (!device.InputRanges.empty() && device.InputRanges.rbegin()->first >= device.Inputs) {
        throw DeviceDescriptionError(
            "device description: range" + std::to_string(device.InputRanges.rbegin()->first + 1) +
            " names an input the device lacks (it has " + std::to_string(device.Inputs) + ")");
    }
}

}  // namespace

DeviceDescription ParseDeviceDescription(std::string_view text) {
    DeviceDescription device;
    std::set<std::string_view> given;
    for (const Item& item : SplitItems(text)) {
        const std::string_view key = item.key;
        const bool inputRange = key.size() > 5 && key.starts_with("range") &&
                                key.find_first_not_of("0123456789", 5) == std::string_view::npos;
        const bool repeatable =
            key == "missing-group" || key == "failing-group" || key == "failing-output";
        if (!given.insert(key).second && !repeatable)
            item.Fail("key given twice");
        if (key == "name") {
            device.Name = std::string(item.value);
        } else if (key == "inputs") {
            device.Inputs = static_cast<std::int32_t>(item.Whole(0, kMaxInputs));
        } else if (key == "analog") {
            device.AnalogOutputs = static_cast<std::int32_t>(item.Whole(0, kMaxOutputs));
        } else if (key == "digital") {
            device.DigitalGroups = DigitalGroups(item);
        } else if (key == "range") {
            device.Range = item.Range();
        } else if (inputRange) {
            const auto input = item.WholeIn(key.substr(5), 1, kMaxInputs);
            if (!device.InputRanges.emplace(static_cast<std::int32_t>(input - 1), item.Range())
                     .second) {
                item.Fail("input range given twice");
            }
        } else if (key == "auto-outputs") {
            if (item.value == "on") {
                device.AutoOutputs = AutoOutputSupport::kOn;
            } else if (item.value == "off") {
                device.AutoOutputs = AutoOutputSupport::kOff;
            } else if (item.value == "failing") {
                device.AutoOutputs = AutoOutputSupport::kFailing;
            } else if (item.value == "absent") {
                device.AutoOutputs = AutoOutputSupport::kAbsent;
            } else {
                item.Fail("expected on, off, failing or absent");
            }
        } else if (key == "stimulator") {
            if (item.value == "absent") {
                device.Stimulator = StimulatorState::kAbsent;
            } else {
                device.Stimulator = item.OnOff() ? StimulatorState::kOn : StimulatorState::kOff;
            }
        } else if (key == "sampling") {
            device.Sampling = item.OnOff();
        } else if (key == "while-sampling") {
            device.AllowedWhileSampling = item.OnOff();
        } else if (key == "max-delay") {
            device.MaxPulseDelay = item.Seconds();
        } else if (key == "max-holdoff") {
            device.MaxHoldoff = item.Seconds();
        } else if (key == "timing-limits") {
            if (item.value != "ok" && item.value != "failing")
                item.Fail("expected ok or failing");
            device.TimingLimitsFail = item.value == "failing";
        } else if (key == "missing-group") {
            device.MissingGroups.insert(static_cast<std::uint32_t>(item.Whole(1, kMaxOutputs) - 1));
        } else if (key == "failing-group") {
            device.FailingGroups.insert(static_cast<std::uint32_t>(item.Whole(1, kMaxOutputs) - 1));
        } else if (key == "failing-output") {
            const auto output = item.Whole(-kMaxOutputs, kMaxOutputs);
            if (output == 0)
                item.Fail("0 names no output");
            device.FailingOutputs.insert(static_cast<std::int32_t>(output));
        } else {
            item.Fail("unknown key \"" + std::string(key) + "\"");
        }
    }
    CheckFailureModes(device);
    return device;
}

namespace {

std::string Seconds(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string RangeText(const InputRange& range) {
    return range.Unit.empty() ? range.Range : range.Range + " " + range.Unit;
}

const char* OnOff(bool value) {
    return value ? "on" : "off";
}

}  // namespace

std::string FormatDeviceDescription(const DeviceDescription& device) {
    std::string text = "name=" + device.Name + ", inputs=" + std::to_string(device.Inputs) +
                       ", analog=" + std::to_string(device.AnalogOutputs) + ", digital=";
    if (device.DigitalGroups.empty())
        text += "none";
    for (std::size_t i = 0; i < device.DigitalGroups.size(); ++i) {
        if (i > 0)
            text += "+";
        text += std::to_string(device.DigitalGroups[i]);
    }
    text += ", range=" + RangeText(device.Range);
    for (const auto& [input, range] : device.InputRanges) {
        text += ", range" + std::to_string(input + 1) + "=" + RangeText(range);
    }
    static const char* const kSupport[] = {"on", "off", "failing", "absent"};
    static const char* const kStimulator[] = {"off", "on", "absent"};
    text += std::string(", auto-outputs=") + kSupport[static_cast<int>(device.AutoOutputs)];
    text += std::string(", stimulator=") + kStimulator[static_cast<int>(device.Stimulator)];
    text += std::string(", sampling=") + OnOff(device.Sampling);
    text += std::string(", while-sampling=") + OnOff(device.AllowedWhileSampling);
    text += ", max-delay=" + Seconds(device.MaxPulseDelay);
    text += ", max-holdoff=" + Seconds(device.MaxHoldoff);
    if (device.TimingLimitsFail)
        text += ", timing-limits=failing";
    for (const auto group : device.MissingGroups) {
        text += ", missing-group=" + std::to_string(group + 1);
    }
    for (const auto group : device.FailingGroups) {
        text += ", failing-group=" + std::to_string(group + 1);
    }
    for (const auto output : device.FailingOutputs) {
        text += ", failing-output=" + std::to_string(output);
    }
    return text;
}

namespace {

// The items of a formatted description; a formatted name never holds the comma between them.
std::vector<std::string> ItemsOf(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(", ", start), text.size());
        items.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return items;
}

}  // namespace

std::string FormatChangedItems(const DeviceDescription& description) {
    const std::vector<std::string> defaults = ItemsOf(FormatDeviceDescription({}));
    std::string text;
    for (const std::string& item : ItemsOf(FormatDeviceDescription(description))) {
        if (std::find(defaults.begin(), defaults.end(), item) == defaults.end())
            text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

}  // namespace device
