// ThisModule(): the handle of the module (executable or shared library) into which the calling
// code is linked. Each translation unit gets its own copy of the function, so the address it
// looks up always lies in the caller's own module.
#pragma once

#include "platform/module/module.h"

namespace {

inline HMODULE ThisModule() {
    return ModuleFromAddress(reinterpret_cast<const void*>(&ThisModule));
}

}  // namespace
