#include "platform/locale/format_pictures.h"

#include <vector>

namespace locale {
namespace {

enum class Kind { Literal, Date, Time, Marker };

struct Token {
    Kind kind;
    std::wstring text;  // the literal text, or the field's picture code
};

// The fields and composites of one conversion character; empty for those that are dropped.
std::vector<Token> ExpandConversion(wchar_t conversion, bool unpadded) {
    auto date = [](const wchar_t* code) { return Token{Kind::Date, code}; };
    auto time = [](const wchar_t* code) { return Token{Kind::Time, code}; };
    auto literal = [](const wchar_t* text) { return Token{Kind::Literal, text}; };
    const Token marker{Kind::Marker, L"tt"};
    switch (conversion) {
        case L'd':
            return {date(unpadded ? L"d" : L"dd")};
        case L'e':
            return {date(L"d")};
        case L'm':
            return {date(unpadded ? L"M" : L"MM")};
        case L'y':
            return {date(L"yy")};
        case L'Y':
        case L'G':
            return {date(L"yyyy")};
        case L'b':
        case L'h':
            return {date(L"MMM")};
        case L'B':
            return {date(L"MMMM")};
        case L'a':
            return {date(L"ddd")};
        case L'A':
            return {date(L"dddd")};
        case L'H':
            return {time(unpadded ? L"H" : L"HH")};
        case L'k':
            return {time(L"H")};
        case L'I':
            return {time(unpadded ? L"h" : L"hh")};
        case L'l':
            return {time(L"h")};
        case L'M':
            return {time(unpadded ? L"m" : L"mm")};
        case L'S':
            return {time(unpadded ? L"s" : L"ss")};
        case L'p':
        case L'P':
            return {marker};
        case L'T':
        case L'X':
            return {time(L"HH"), literal(L":"), time(L"mm"), literal(L":"), time(L"ss")};
        case L'R':
            return {time(L"HH"), literal(L":"), time(L"mm")};
        case L'r':
            return {time(L"hh"), literal(L":"), time(L"mm"), literal(L":"),
                    time(L"ss"), literal(L" "), marker};
        case L'D':
        case L'x':
            return {date(L"MM"), literal(L"/"), date(L"dd"), literal(L"/"), date(L"yy")};
        case L'F':
            return {date(L"yyyy"), literal(L"-"), date(L"MM"), literal(L"-"), date(L"dd")};
        case L'%':
            return {literal(L"%")};
        case L'n':
            return {literal(L"\n")};
        case L't':
            return {literal(L"\t")};
        default:  // zones, week numbers, day of the year ...
            return {};
    }
}

bool IsFlag(wchar_t c) {
    return c == L'-' || c == L'_' || c == L'0' || c == L'^' || c == L'#' || c == L'E' || c == L'O';
}

// Splits a strftime format into literal text and fields; adjacent literals are joined.
std::vector<Token> Tokenize(std::wstring_view format) {
    std::vector<Token> tokens;
    auto add = [&tokens](Token token) {
        if (token.kind == Kind::Literal && !tokens.empty() && tokens.back().kind == Kind::Literal) {
            tokens.back().text += token.text;
        } else {
            tokens.push_back(std::move(token));
        }
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            add({Kind::Literal, std::wstring(1, format[i])});
            continue;
        }
        bool unpadded = false;
        while (i + 1 < format.size() && IsFlag(format[i + 1])) {
            unpadded = unpadded || format[i + 1] == L'-';
            ++i;
        }
        while (i + 1 < format.size() && format[i + 1] >= L'0' && format[i + 1] <= L'9') {
            ++i;  // field width
        }
        if (i + 1 < format.size()) {
            for (Token& token : ExpandConversion(format[++i], unpadded)) {
                add(std::move(token));
            }
        }
    }
    return tokens;
}

bool IsLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

std::wstring QuoteLiteral(std::wstring_view text) {
    std::wstring picture;
    bool quoted = false;
    for (wchar_t c : text) {
        const bool needsQuotes = IsLetter(c) || c == L'\'';
        if (needsQuotes != quoted) {
            picture += L'\'';
            quoted = needsQuotes;
        }
        picture += c;
        if (c == L'\'') {
            picture += L'\'';
        }
    }
    if (quoted) {
        picture += L'\'';
    }
    return picture;
}

std::wstring Render(const std::vector<Token>& tokens) {
    std::wstring picture;
    for (const Token& token : tokens) {
        picture += token.kind == Kind::Literal ? QuoteLiteral(token.text) : token.text;
    }
    return picture;
}

std::wstring SeparatorOf(std::wstring_view format, Kind kind, std::wstring_view fallback) {
    const std::vector<Token> tokens = Tokenize(format);
    for (std::size_t i = 0; i + 2 < tokens.size(); ++i) {
        if (tokens[i].kind == kind && tokens[i + 1].kind == Kind::Literal &&
            tokens[i + 2].kind == kind) {
            return tokens[i + 1].text;
        }
    }
    return std::wstring(fallback);
}

}  // namespace

std::wstring PictureOf(std::wstring_view format) {
    return Render(Tokenize(format));
}

std::wstring DatePictureOf(std::wstring_view dateTimeFormat) {
    std::vector<Token> kept;
    bool afterRemoved = false;  // a time field was removed since the last kept field
    auto isLiteral = [&kept](std::size_t fromBack) {
        return kept.size() > fromBack && kept[kept.size() - 1 - fromBack].kind == Kind::Literal;
    };
    for (Token& token : Tokenize(dateTimeFormat)) {
        switch (token.kind) {
            case Kind::Time:
            case Kind::Marker:
                // Literal text between two removed fields goes with them.
                if (afterRemoved && isLiteral(0)) {
                    kept.pop_back();
                }
                afterRemoved = true;
                break;
            case Kind::Date:
                // After a removed run, its closing text goes when text before the run (or
                // the start) already separates this field.
                if (afterRemoved && isLiteral(0) && (kept.size() == 1 || isLiteral(1))) {
                    kept.pop_back();
                }
                afterRemoved = false;
                kept.push_back(std::move(token));
                break;
            case Kind::Literal:
                kept.push_back(std::move(token));
                break;
        }
    }
    while (isLiteral(0)) {
        kept.pop_back();
    }
    return Render(kept);
}

std::wstring TimeSeparatorOf(std::wstring_view timeFormat, std::wstring_view fallback) {
    return SeparatorOf(timeFormat, Kind::Time, fallback);
}

std::wstring DateSeparatorOf(std::wstring_view dateFormat, std::wstring_view fallback) {
    return SeparatorOf(dateFormat, Kind::Date, fallback);
}

bool UsesTwentyFourHours(std::wstring_view timeFormat) {
    for (const Token& token : Tokenize(timeFormat)) {
        if (token.kind == Kind::Time && token.text[0] == L'H') {
            return true;
        }
    }
    return false;
}

bool TimeMarkerFirst(std::wstring_view timeFormat) {
    for (const Token& token : Tokenize(timeFormat)) {
        if (token.kind == Kind::Marker) {
            return true;
        }
        if (token.kind == Kind::Time && (token.text[0] == L'H' || token.text[0] == L'h')) {
            return false;
        }
    }
    return false;
}

}  // namespace locale
