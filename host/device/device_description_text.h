// The text form of a device description, as `ostrel` takes it on its command line:
//
//   inputs=4, analog=1, digital=4+4, range=2.5 mV, stimulator=on
//
// Items KEY=VALUE are separated by commas or line breaks; blanks around keys and values are
// ignored and '#' starts a comment that runs to the end of its line. Every key is optional and
// keys not given keep the default device's values (the empty text is the default device).
// kDeviceDescriptionSyntax lists the keys.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "host/device/device_description.h"

namespace device {

// A description text that cannot be read; what() names the item and what is wrong with it.
class DeviceDescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a description; raises DeviceDescriptionError for a bad one.
DeviceDescription ParseDeviceDescription(std::string_view text);

// The text of `description` with every key, which ParseDeviceDescription reads back. A name
// that the syntax cannot carry (a comma, '#', a line break, blanks at its ends) is not
// preserved.
std::string FormatDeviceDescription(const DeviceDescription& description);

// The items of FormatDeviceDescription(description) that the demonstration device's text does
// not have, in the same order: "inputs=1, range=5 mV". Empty for the demonstration device.
std::string FormatChangedItems(const DeviceDescription& description);

// The keys and their meaning, for the command line's help.
extern const char kDeviceDescriptionSyntax[];

}  // namespace device
