// The two steps with which the configuration text is read: a key ("Output =") and a marker
// ("BeginOnlineEvent"), each followed by white space.
#pragma once

#include <istream>
#include <string_view>

namespace VavazaZavidi {

// Consumes "key =" (two white-space-delimited words: the key exactly, then "=") and the white
// space after it; raises std::runtime_error "Vavaza Zavidi: Parse error in swallow key."
// otherwise.
void SwallowKey(std::istream& in, std::string_view key);

// Consumes the word `label` and the white space after it; raises std::runtime_error
// "Vavaza Zavidi: Parse error in swallow label." otherwise.
void SwallowLabel(std::istream& in, std::string_view label);

}  // namespace VavazaZavidi
