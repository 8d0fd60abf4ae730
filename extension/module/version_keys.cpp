// The module's version resource: the keys by which the host recognises it as an extension
// (host/api/version_resource.h gives the layout).
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/api/version_resource.h"
#include "platform/module/resource.h"
#include "platform/text/utf.h"

namespace {

constexpr char kFileVersion[] = "1.0.0";

// The build time stamp as day/month/year and 12-hour time: "07/03/2025 02:41:09 PM".
std::string BuildDate() {
    constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* date = __DATE__;  // "Mar  7 2025"
    const char* time = __TIME__;  // "14:41:09"
    int month = 0;
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        if (std::strncmp(date, kMonths[i], 3) == 0)
            month = static_cast<int>(i) + 1;
    }
    int day = 0;
    int year = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::sscanf(date + 4, "%d %d", &day, &year);
    std::sscanf(time, "%d:%d:%d", &hour, &minute, &second);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d %s", day, month, year, hour12,
                  minute, second, hour < 12 ? "AM" : "PM");
    return text;
}

std::u16string VersionData() {
    const std::pair<const char*, std::string> keys[] = {
        {"CompanyName", "Tarvel"},
        {"FileDescription", "Tarvel"},
        {"FileVersion", kFileVersion},
        {"InternalName", "Tarvel"},
        {"OriginalFilename", "libtarvel.so"},
        {"ProductName", "Ostrel"},
        {"ProductVersion", "1.0"},
        {"ExtensionType", "Extension"},
        {"ExtensionCLSID", "{9F4D2C61-3B7A-4E58-A1C9-6E2B8D47F310}"},
        {"ExtVersion", kFileVersion},
        {"InternalVersion", "100"},
        {"InternalID", "1"},
        {"BuildDate", BuildDate()},
        {"AllNames", "Tarvel,VavazaZavidi"},
    };
    std::u16string data;
    for (const auto& [key, value] : keys) {
        data += text::ToUtf16(key);
        data += u'\0';
        data += text::ToUtf16(value);
        data += u'\0';
    }
    data += u'\0';  // the empty key that ends the list
    return data;
}

const std::u16string kVersionData = VersionData();
const ResourceEntry kVersionResource[] = {
    {ResourceType::kVersion, kVersionResourceName, LANG_NEUTRAL, kVersionData.data(),
     static_cast<DWORD>(kVersionData.size() * sizeof(char16_t))},
};
const ModuleResources kRegistration(kVersionResource);

}  // namespace
