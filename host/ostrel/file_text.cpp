#include "host/ostrel/file_text.h"

#include "host/files/read_file.h"

namespace ostrel {

std::optional<std::string> ReadFileText(const std::string& path, std::string& error) {
    try {
        return files::ReadWholeFile(path);
    } catch (const files::FileError& failure) {
        error = failure.what();
        return std::nullopt;
    }
}

std::optional<std::string> ReadCommandFile(const std::string& path, std::ostream& err) {
    std::string error;
    std::optional<std::string> text = ReadFileText(path, error);
    if (!text)
        err << "ostrel: " << error << "\n";
    return text;
}

std::optional<ConfigurationFile> ReadConfigurationFile(const std::string& path, std::ostream& err) {
    std::optional<std::string> text = ReadCommandFile(path, err);
    if (!text)
        return std::nullopt;
    ConfigurationFile file;
    file.Text = std::move(*text);
    file.Checked = inspect::CheckConfigurationText(file.Text);
    if (!file.Checked.problem.empty())
        err << "ostrel: " << file.Checked.Describe(path) << "\n";
    return file;
}

std::optional<std::string> ReadConfigurationToApply(const std::string& path, std::ostream& err,
                                                    int& exitCode) {
    std::optional<ConfigurationFile> file = ReadConfigurationFile(path, err);
    if (!file) {
        exitCode = 2;
        return std::nullopt;
    }
    if (!file->Checked.Usable()) {
        err << "ostrel: " << path
            << (file->Checked.read ? " holds no configuration this Tarvel reads"
                                   : " does not read as a configuration text")
            << "; nothing was applied\n";
        exitCode = 1;
        return std::nullopt;
    }
    exitCode = 0;
    return std::move(file->Text);
}

}  // namespace ostrel
