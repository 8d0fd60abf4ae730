// The module's texts that the setup dialog and its panes show ("above", "Input %1", "goes",
// the caption with the device's name ...), loaded from the string table, with the brand table's
// substitutions, on first use and kept for the process.
#pragma once

#include "platform/win_types.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

const Tev::String& PaneText(UINT id);

// `format` (a text with the placeholder %1) with `argument` for %1.
Tev::String FormatPaneText(UINT format, const Tev::String& argument);
Tev::String FormatPaneText(UINT format, int argument);

}  // namespace VavazaZavidi
