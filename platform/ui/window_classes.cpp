#include "platform/ui/window_classes.h"

#include <list>

#include "platform/text/ascii_case.h"
#include "platform/ui/controls/standard_classes.h"

namespace winui {
namespace {

// A list keeps each class at a fixed address: window records point at their class.
std::list<WindowClass>& Classes() {
    static std::list<WindowClass>* classes = [] {
        auto* made = new std::list<WindowClass>;
        return made;
    }();
    return *classes;
}

void EnsureStandardClasses() {
    static const bool registered = [] {
        RegisterStandardClasses();
        return true;
    }();
    (void)registered;
}

}  // namespace

const WindowClass* FindClass(const char16_t* name) {
    if (name == nullptr)
        return nullptr;
    EnsureStandardClasses();
    for (const WindowClass& c : Classes()) {
        if (Ascii::EqualIgnoringCase(c.name, name))
            return &c;
    }
    return nullptr;
}

bool AddClass(const WindowClass& windowClass) {
    for (const WindowClass& c : Classes()) {
        if (Ascii::EqualIgnoringCase(c.name, windowClass.name))
            return false;
    }
    Classes().push_back(windowClass);
    return true;
}

bool RemoveClass(const char16_t* name) {
    for (auto it = Classes().begin(); it != Classes().end(); ++it) {
        if (Ascii::EqualIgnoringCase(it->name, name)) {
            Classes().erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace winui
