#include "host/ostrel/document_device.h"

#include "host/device/device_description_text.h"

namespace ostrel {

std::string DescribeDevice(const device::DeviceDescription& device) {
    const std::string items = device::FormatChangedItems(device);
    return items.empty() ? "the demonstration device" : items;
}

DocumentDevice GivenDevice(const std::optional<std::string>& given) {
    DocumentDevice chosen;
    chosen.Device = device::ParseDeviceDescription(given.value_or(""));
    chosen.Line = "Device: " + DescribeDevice(chosen.Device) + (given ? ", as --device says" : "");
    return chosen;
}

DocumentDevice DeviceForDocument(const std::optional<std::string>& given,
                                 const session::DocumentHostPart& host, const std::string& path) {
    std::optional<device::DeviceDescription> madeOn;
    if (host.Device) {
        try {
            madeOn = device::ParseDeviceDescription(*host.Device);
        } catch (const device::DeviceDescriptionError& error) {
            throw DocumentDeviceError(path +
                                      ": the device it was made on does not read: " + error.what());
        }
    }
    if (!given) {
        DocumentDevice chosen;
        if (madeOn) {
            chosen.Device = *madeOn;
            chosen.Line =
                "Device: " + DescribeDevice(chosen.Device) + ", the one " + path + " was made on";
        } else {
            chosen.Line = "Device: the demonstration device; " + path +
                          " does not say which device it was made on (an older ostrel saved it)";
        }
        return chosen;
    }
    DocumentDevice chosen = GivenDevice(given);
    if (!madeOn) {
        chosen.Line += "; " + path + " does not say which device it was made on";
    } else if (*madeOn == chosen.Device) {
        chosen.Line += ", the one " + path + " was made on";
    } else {
        chosen.Line += "; " + path + " was made on " + DescribeDevice(*madeOn);
        chosen.MadeOnAnother = std::move(madeOn);
    }
    return chosen;
}

}  // namespace ostrel
