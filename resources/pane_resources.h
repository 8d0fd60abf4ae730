// The dialog templates of the setup dialog's panes (205, 208, 209) and the rule rows' glyphs
// (bitmaps 208 and 209) are resources of the module into which resources/ is linked.
//
// PaneResourceModule() is that module (the same one ResourceModule() names). Calling it also
// makes sure that the templates and glyphs are linked in at all: they register themselves with
// a static object, which a linker would otherwise leave out of a program that takes them from
// a static library.
#pragma once

#include "platform/win_types.h"

namespace VavazaZavidi {

HMODULE PaneResourceModule();

}  // namespace VavazaZavidi
