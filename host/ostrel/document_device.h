// Which device a command runs a document on, and what ostrel says of it: the one given with
// --device, else the one the document was made on (its file's host part records it), else the
// demonstration device.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "host/device/device_description.h"
#include "host/session/document_host_part.h"

namespace ostrel {

// A document file whose record of its device does not read.
class DocumentDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DocumentDevice {
    device::DeviceDescription Device;  // the one the command uses
    // The one the document was made on, when its file says so and it is another than Device:
    // what the rules' meaning is compared with.
    std::optional<device::DeviceDescription> MadeOnAnother;
    // "Device: ...", what ostrel prints about the choice.
    std::string Line;
};

// The device named by `given` (a --device text) or the demonstration device, for a
// configuration text or a new document. Throws device::DeviceDescriptionError.
DocumentDevice GivenDevice(const std::optional<std::string>& given);

// The device for the document file `path` whose host part is `host`. Throws
// device::DeviceDescriptionError for a bad `given`, and DocumentDeviceError for a device
// description in the file that does not read.
DocumentDevice DeviceForDocument(const std::optional<std::string>& given,
                                 const session::DocumentHostPart& host, const std::string& path);

// The items a description has beyond the demonstration device's, or "the demonstration device".
std::string DescribeDevice(const device::DeviceDescription& device);

}  // namespace ostrel
