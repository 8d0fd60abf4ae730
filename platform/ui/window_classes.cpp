#include "platform/ui/window_classes.h"

#include <list>

#include "platform/text/ascii_case.h"

namespace ui {
namespace {

// A list keeps each class at a fixed address: window records point at their class.
std::list<WindowClass>& Classes() {
    static std::list<WindowClass>* classes = [] {
        auto* made = new std::list<WindowClass>;
        return made;
    }();
    return *classes;
}

void (*&StandardClasses())() {
    static void (*registerClasses)() = nullptr;
    return registerClasses;
}

void EnsureStandardClasses() {
    static bool registered = false;
    if (!registered && StandardClasses() != nullptr) {
        registered = true;
        StandardClasses()();
    }
}

}  // namespace

const WindowClass* FindClass(const char16_t* name) {
    if (name == nullptr)
        return nullptr;
    EnsureStandardClasses();
    for (const WindowClass& c : Classes()) {
        if (text::EqualIgnoringAsciiCase(c.name, name))
            return &c;
    }
    return nullptr;
}

bool AddClass(const WindowClass& windowClass) {
    for (const WindowClass& c : Classes()) {
        if (text::EqualIgnoringAsciiCase(c.name, windowClass.name))
            return false;
    }
    Classes().push_back(windowClass);
    return true;
}

void ProvideStandardClasses(void (*registerClasses)()) {
    StandardClasses() = registerClasses;
}

bool RemoveClass(const char16_t* name) {
    for (auto it = Classes().begin(); it != Classes().end(); ++it) {
        if (text::EqualIgnoringAsciiCase(it->name, name)) {
            Classes().erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace ui
