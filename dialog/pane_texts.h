// The module's texts that the panes show ("above", "Input %1", "goes" ...), loaded from the
// string table on first use and kept for the process.
#pragma once

#include "platform/win_types.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

const Tev::String& PaneText(UINT id);

// `format` (a text with the placeholder %1) with `argument` for %1.
Tev::String FormatPaneText(UINT format, const Tev::String& argument);
Tev::String FormatPaneText(UINT format, int argument);

}  // namespace VavazaZavidi
