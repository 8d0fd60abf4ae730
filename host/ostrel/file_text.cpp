#include "host/ostrel/file_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Ostrel {

std::optional<std::string> ReadFileText(const std::string& path, std::string& error) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, got);
    if (std::ferror(file.get())) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> ReadCommandFile(const std::string& path, std::ostream& err) {
    std::string error;
    std::optional<std::string> text = ReadFileText(path, error);
    if (!text)
        err << "ostrel: cannot read " << path << ": " << error << "\n";
    return text;
}

}  // namespace Ostrel
