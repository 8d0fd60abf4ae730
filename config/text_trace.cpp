#include "config/text_trace.h"

#include <algorithm>
#include <cstdio>

namespace VavazaZavidi {

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::size_t LineOf(const std::string& text, std::size_t position) {
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(position, text.size()));
    return static_cast<std::size_t>(std::count(text.begin(), end, '\n')) + 1;
}

// The rest of the line from `position`, quoted, with unprintable bytes as \xNN and a long
// line shortened; "the end of the text" at its end.
std::string Found(const std::string& text, std::size_t position) {
    if (position >= text.size())
        return "the end of the text";
    constexpr std::size_t kShown = 60;
    std::size_t end = std::min(text.find('\n', position), text.size());
    while (end > position && IsWhiteSpace(text[end - 1]))
        --end;
    std::string shown = "\"";
    for (std::size_t i = position; i < end && i < position + kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    shown += end - position > kShown ? "...\"" : "\"";
    return shown;
}

const char kPrefix[] = "Vavaza Zavidi: ";

}  // namespace

void ReadTrace::Step(std::istream& in, std::string expected) {
    // The stream's buffer, not the stream, is asked: its state stays as reading leaves it.
    const auto position = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
    std::size_t at = position < 0 ? text_.size() : static_cast<std::size_t>(position);
    while (at < text_.size() && IsWhiteSpace(text_[at]))
        ++at;
    at_ = at;
    expected_ = std::move(expected);
    meaning_.clear();
}

void ReadTrace::BadValue(const char* key, const char* kind) const {
    Stop(at_,
         std::string("expected ") + kind + " after \"" + key + " = \", found " + Found(text_, at_));
}

void ReadTrace::ValueRead(std::istream& in, const char* key, const char* kind) {
    const auto position = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
    const std::size_t end = position < 0 ? text_.size() : static_cast<std::size_t>(position);
    if (end < text_.size() && !IsWhiteSpace(text_[end])) {
        valueAt_ = at_;
        valueEnd_ = end;
        valueProblem_ = std::string("expected ") + kind + " after \"" + key + " = \", found " +
                        Found(text_, at_);
    }
}

void ReadTrace::Stop(std::size_t position, std::string problem) const {
    throw ReadStop(position, std::move(problem));
}

void ReadTrace::Meaning(std::size_t position, std::string problem) {
    meaningAt_ = position;
    meaning_ = std::move(problem);
}

TextDiagnosis ReadTrace::At(std::size_t position, std::string problem) const {
    return TextDiagnosis{LineOf(text_, position), std::move(problem)};
}

TextDiagnosis ReadTrace::Explain(const std::exception& error) const {
    if (const auto* stop = dynamic_cast<const ReadStop*>(&error))
        return At(stop->position, stop->problem);
    if (!meaning_.empty())
        return At(meaningAt_, meaning_);
    const std::string what = error.what();
    if (what.find("Parse error in swallow") != std::string::npos) {
        // Steps only move forward: a step that failed where a value stopped inside its word
        // failed because of that value.
        if (at_ == valueEnd_)
            return At(valueAt_, valueProblem_);
        return At(at_, "expected " + expected_ + ", found " + Found(text_, at_));
    }
    std::string reason = what.starts_with(kPrefix) ? what.substr(sizeof kPrefix - 1) : what;
    return At(at_, "reading stopped at " + expected_ + ": " + reason);
}

TextDiagnosis EncodingProblem(const std::string& text, std::size_t failedLine) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        return {1,
                "the text begins with a UTF-8 byte-order mark; a configuration text is plain "
                "ASCII and begins with \"Version = 1\""};
    }
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return {1,
                "the text is UTF-16 (it begins with a UTF-16 byte-order mark); a "
                "configuration text is 8-bit ASCII"};
    }
    if (text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0')) {
        return {1,
                "the text looks like UTF-16 (every other byte is NUL); a configuration text "
                "is 8-bit ASCII"};
    }
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        const std::size_t line = LineOf(text, nul);
        if (line <= failedLine) {
            const std::size_t lineStart = text.rfind('\n', nul);
            const std::size_t column = lineStart == std::string::npos ? nul + 1 : nul - lineStart;
            return {line, "a NUL byte at column " + std::to_string(column) +
                              "; a configuration text holds none"};
        }
    }
    return {};
}

std::string TextDiagnosis::Describe(std::string_view source) const {
    if (Problem.empty())
        return {};
    std::string where(source);
    if (Line > 0)
        where += ":" + std::to_string(Line);
    return where + ": " + Problem;
}

}  // namespace VavazaZavidi
