// Why the last shared library could not be loaded.
#pragma once

#include <dlfcn.h>

#include <string>

namespace session {

// The system's loader's reason for the last failed load.
inline std::string LoaderReason() {
    const char* reason = ::dlerror();
    return reason != nullptr ? reason : "the loader gives no reason";
}

}  // namespace session
