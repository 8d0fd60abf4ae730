// `ostrel text DOC`: the configuration text a document file holds, as it is stored, so that
// `apply` and `check` read it and an editor can change it.
#pragma once

#include <ostream>
#include <string>

namespace ostrel {

// Prints the text on `out`. Exit 0; 1 when DOC holds no configuration text Tarvel stored (no
// Tarvel stream, or one whose text cannot be taken out of it); 2 when DOC cannot be read or is
// no Ostrel document.
int RunText(const std::string& documentPath, std::ostream& out, std::ostream& err);

}  // namespace ostrel
