// The module whose resources (resources/) the calling code uses: the executable or shared
// library into which this library is linked.
//
// Calling ResourceModule() also makes sure the resources are linked in at all: the string
// table registers itself with a static object, which a linker would otherwise leave out of a
// program that takes it from a static library. Code that loads the module's strings should
// therefore pass ResourceModule() as the module.
#pragma once

#include "platform/win_types.h"

namespace VavazaZavidi {

HMODULE ResourceModule();

// The module holding the setup dialog's main template and the help glyph; calling it links
// them in, as ResourceModule() does the string table.
HMODULE SetupDialogResourceModule();

}  // namespace VavazaZavidi
