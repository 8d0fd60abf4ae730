// The configuration reader's record of where it is, kept only while a diagnosis is asked for:
// the step it is at (what it expects) and where in the text that step began. When reading
// stops, it turns the reason into a TextDiagnosis.
#pragma once

#include <cstddef>
#include <exception>
#include <istream>
#include <stdexcept>
#include <string>

#include "config/text_diagnosis.h"

namespace VavazaZavidi {

class ReadTrace {
public:
    explicit ReadTrace(const std::string& text) : text_(text) {}

    // The next step begins where the stream is (white space skipped) and expects `expected`
    // (for example "\"PulseDelay = \"").
    void Step(std::istream& in, std::string expected);
    // The position of the current step, for a problem found later.
    std::size_t Position() const { return at_; }

    // Ends reading: the value after `key` did not read as `kind` ("a whole number").
    [[noreturn]] void BadValue(const char* key, const char* kind) const;
    // A value of `kind` after `key` has been read from the current step's position; when more
    // of its word follows ("0,25"), a failure of the next step is blamed on this value.
    void ValueRead(std::istream& in, const char* key, const char* kind);
    // Ends reading with `problem` at `position`.
    [[noreturn]] void Stop(std::size_t position, std::string problem) const;

    // What an operation that may fail means when it does (at `position`); cleared by Step.
    void Meaning(std::size_t position, std::string problem);
    void ClearMeaning() { meaning_.clear(); }

    // The diagnosis for reading that stopped with `error`.
    TextDiagnosis Explain(const std::exception& error) const;
    TextDiagnosis At(std::size_t position, std::string problem) const;

private:
    const std::string& text_;
    std::size_t at_ = 0;
    std::string expected_;
    std::size_t valueAt_ = 0;
    std::size_t valueEnd_ = std::string::npos;  // where a value ended inside its word
    std::string valueProblem_;
    std::size_t meaningAt_ = 0;
    std::string meaning_;
};

// Thrown by ReadTrace to end reading with its own diagnosis.
class ReadStop : public std::runtime_error {
public:
    ReadStop(std::size_t position, std::string problem)
        : std::runtime_error(problem), position(position), problem(std::move(problem)) {}
    std::size_t position;
    std::string problem;
};

// A problem of the text as a whole that explains why it does not read: a UTF-8 byte-order
// mark, UTF-16, or a NUL byte on or before line `failedLine`. Empty problem when there is
// none.
TextDiagnosis EncodingProblem(const std::string& text, std::size_t failedLine);

}  // namespace VavazaZavidi
