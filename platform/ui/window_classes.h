// The registry of window classes (internal). The standard control classes (platform/ui/controls)
// offer themselves when the platform runtime loads and are registered on the first look-up.
#pragma once

#include "platform/ui/window_table.h"

namespace ui {

// The class of the given name (compared without regard to ASCII case), or null.
const WindowClass* FindClass(const char16_t* name);

// Registers a class; false when a class of that name exists.
bool AddClass(const WindowClass& windowClass);
bool RemoveClass(const char16_t* name);

// Installs the function that registers the standard classes, run once on the next look-up.
void ProvideStandardClasses(void (*registerClasses)());

}  // namespace ui
