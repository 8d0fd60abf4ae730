// The extension's messages to the user: message boxes owned by the host's main window.
#pragma once

#include "platform/win_types.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

// The host's main window, or none when the host application object is missing.
HWND HostMainWindow();

// Shows `text` with `caption` and `flags`, owned by the host's main window.
int ShowHostMessage(const Tev::String& text, const Tev::String& caption, UINT flags);

// A message loaded from the module's string table with brand substitution, the same for the
// life of the process once loaded.
const Tev::String& ProcessString(UINT id);

// "An internal error occurred while setting up Tarvel..." (220, wrapped at 70) with caption
// 219 and the error icon: what a handler shows when an operation failed.
void ShowInternalError();

}  // namespace VavazaZavidi
