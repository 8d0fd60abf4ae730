#include "host/preview/formats/signal_formats.h"

#include <filesystem>

#include "host/preview/formats/signal_file_error.h"

namespace preview {

// The rows, each defined in its format's file.
const SignalFormat& CsvFormat();
const SignalFormat& SoundFormat();
const SignalFormat& EdfFormat();

const std::vector<const SignalFormat*>& SignalFormats() {
    static const std::vector<const SignalFormat*> formats{
        &CsvFormat(),
        &SoundFormat(),
        &EdfFormat(),
    };
    return formats;
}

namespace {

std::string LowerExtensionOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return extension;
}

}  // namespace

const SignalFormat* FormatOf(const std::string& path) {
    const std::string extension = LowerExtensionOf(path);
    for (const SignalFormat* format : SignalFormats()) {
        for (std::string_view known : format->Extensions) {
            if (extension == known)
                return format;
        }
    }
    return nullptr;
}

std::string KnownExtensions() {
    std::vector<std::string_view> all;
    for (const SignalFormat* format : SignalFormats())
        all.insert(all.end(), format->Extensions.begin(), format->Extensions.end());
    std::string text;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0)
            text += i + 1 == all.size() ? " or " : ", ";
        text += all[i];
    }
    return text;
}

namespace {

const SignalFormat& KnownFormatOf(const std::string& path) {
    if (const SignalFormat* format = FormatOf(path))
        return *format;
    throw SignalFileError(path, 0,
                          "the extension \"" + LowerExtensionOf(path) +
                              "\" is not a known signal file; use " + KnownExtensions());
}

}  // namespace

std::unique_ptr<SignalReader> OpenSignalFile(const std::string& path,
                                             const std::vector<InputScale>& inputs,
                                             const ChannelMap* map) {
    return KnownFormatOf(path).Open(path, inputs, map);
}

std::vector<ChannelSurvey> SurveySignalFile(const std::string& path) {
    return KnownFormatOf(path).Survey(path);
}

device::Signals ReadSignalFile(const std::string& path, const std::vector<InputScale>& inputs) {
    return ReadAll(*OpenSignalFile(path, inputs));
}

void CheckChannelCount(const std::string& path, const device::Signals& signals,
                       const std::vector<InputScale>& inputs) {
    if (signals.Channels.empty() || signals.Channels.size() > inputs.size())
        throw SignalFileError(path, 0,
                              "needs one to " + std::to_string(inputs.size()) + " channels");
}

}  // namespace preview
