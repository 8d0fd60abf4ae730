#include "platform/ui/window_classes.h"

#include <list>

#include "platform/ui/controls/standard_classes.h"

namespace winui {
namespace {

char16_t Lower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

bool SameName(const std::u16string& a, const char16_t* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == 0 || Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return b[i] == 0;
}

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
        if (SameName(c.name, name))
            return &c;
    }
    return nullptr;
}

bool AddClass(const WindowClass& windowClass) {
    for (const WindowClass& c : Classes()) {
        if (SameName(c.name, windowClass.name.c_str()))
            return false;
    }
    Classes().push_back(windowClass);
    return true;
}

bool RemoveClass(const char16_t* name) {
    for (auto it = Classes().begin(); it != Classes().end(); ++it) {
        if (SameName(it->name, name)) {
            Classes().erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace winui
