// Sets environment variables for the life of a scope and restores them afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
    }

    // Sets `name` to `value`; a null value removes the variable.
    ScopedEnvironment& Set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) {
            setenv(name.c_str(), value, 1);
        } else {
            unsetenv(name.c_str());
        }
        return *this;
    }

    // Clears every variable that chooses a locale, then sets LANG to `lang`.
    ScopedEnvironment& OnlyLang(const char* lang) {
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LC_CTYPE", "LC_COLLATE",
                                 "LC_MONETARY", "LC_MESSAGES", "LANGUAGE"}) {
            Set(name, nullptr);
        }
        return Set("LANG", lang);
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
