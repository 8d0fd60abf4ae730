// The registry of window classes (internal). The standard control classes are registered
// on first use.
#pragma once

#include "platform/ui/window_table.h"

namespace winui {

// The class of the given name (compared without regard to ASCII case), or null.
const WindowClass* FindClass(const char16_t* name);

// Registers a class; false when a class of that name exists.
bool AddClass(const WindowClass& windowClass);
bool RemoveClass(const char16_t* name);

}  // namespace winui
