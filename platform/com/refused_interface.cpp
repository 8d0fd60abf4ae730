#include "platform/com/refused_interface.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr char kVariable[] = "TARVEL_TRACE_REFUSED_IIDS";

std::string Readable(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

}  // namespace

bool RefusedInterfacesTraced() {
    const char* value = std::getenv(kVariable);
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

void NoteRefusedInterface(const std::type_info& object, REFIID iid) {
    if (!RefusedInterfacesTraced())
        return;
    std::fprintf(stderr, "tarvel: %s refused %s\n", Readable(object).c_str(),
                 GuidToString(iid).c_str());
}
