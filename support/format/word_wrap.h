// Word wrap for message-box texts: inserts line feeds so that lines stay within `width`
// columns where the text allows it. Lines end at existing line feeds ('\n'); line breaks are a
// single line feed, never a carriage return.
//
// From position pos = 0, while pos + width is below the text's length:
// - the current line runs from pos to the next line feed (or the end); when pos + width
//   reaches its end, wrapping goes on after its line feed;
// - otherwise the last break character (BreakCharacters) at or before min(pos + width, last
//   unit) and not before pos is found. With none, pos moves on by width / 10 + 1 and the search
//   is made again: a word longer than the width stays whole;
// - a line feed is inserted after the break character, and the spaces (' ' only) that end the
//   line before it are removed; wrapping goes on after the inserted line feed.
// A width below 1 leaves the text unchanged.
#pragma once

#include "support/string/tev_string.h"

namespace Tev {

// The units after which a line may break: space, tab , . \ ; : ? ] } ) ! / |
inline constexpr char16_t BreakCharacters[] = u" \t,.\\;:?]})!/|";

void WordWrap(String& text, int width);

// A wrapped copy of `text`.
String WordWrapped(const String& text, int width);

}  // namespace Tev
