// Readable descriptions of windows for the driver's messages: id names, one control's line,
// a window tree's dump.
#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "platform/text/utf.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"
#include "platform/ui/window_user.h"

namespace ui {
namespace {

struct IdNames {
    std::mutex mutex;
    std::map<int, std::string> names{{IDOK, "IDOK"}, {IDCANCEL, "IDCANCEL"}};
};

IdNames& Names() {
    static IdNames names;
    return names;
}

std::string ClassOf(HWND window) {
    char16_t name[64] = {};
    GetClassNameW(window, name, 64);
    return text::ToUtf8(name);
}

// A text as a quoted string, long ones shortened, line breaks shown as \n.
std::string Quoted(std::u16string_view text) {
    constexpr std::size_t kLongest = 40;
    std::u16string shown;
    for (char16_t c : text.substr(0, kLongest)) {
        if (c == u'\r')
            shown += u"\\r";
        else if (c == u'\n')
            shown += u"\\n";
        else
            shown += c;
    }
    return "\"" + text::ToUtf8(shown) + (text.size() > kLongest ? "...\"" : "\"");
}

std::u16string TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

std::string TabLabels(HWND tabs) {
    const auto selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    std::string labels = "tabs";
    int index = 0;
    for (const std::u16string& label : ControlUser(tabs).TabLabels())
        labels += (index++ == selected ? " *" : " ") + Quoted(label);
    return labels;
}

void DescribeBelow(HWND window, int depth, std::string* out) {
    *out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + DescribeControl(window);
    RECT r{};
    GetWindowRect(window, &r);
    if (const HWND parent = GetParent(window);
        parent != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    *out += " at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
            std::to_string(RectWidth(r)) + "x" + std::to_string(RectHeight(r));
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    *out += (style & WS_VISIBLE) != 0 ? " shown" : " hidden";
    *out += (style & WS_DISABLED) != 0 ? " disabled" : " enabled";
    *out += '\n';
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        DescribeBelow(child, depth + 1, out);
    }
}

}  // namespace

void NameControlIds(std::initializer_list<std::pair<int, std::string_view>> names) {
    IdNames& registry = Names();
    std::lock_guard<std::mutex> hold(registry.mutex);
    for (const auto& [id, name] : names) {
        std::string& known = registry.names[id];
        const std::string added(name);
        const bool already = known == added || known.starts_with(added + "/") ||
                             known.ends_with("/" + added) ||
                             known.find("/" + added + "/") != std::string::npos;
        if (!already)
            known += (known.empty() ? "" : "/") + added;
    }
}

std::string ControlIdName(int id) {
    IdNames& registry = Names();
    std::lock_guard<std::mutex> hold(registry.mutex);
    const auto found = registry.names.find(id);
    return found == registry.names.end() ? std::string() : found->second;
}

std::string DescribeControl(HWND control) {
    if (!IsWindow(control))
        return "a window that no longer exists";
    const std::string className = ClassOf(control);
    const bool child = (GetWindowLongPtrW(control, GWL_STYLE) & WS_CHILD) != 0;
    std::string line = className;
    if (child) {
        const int id = GetDlgCtrlID(control);
        line += " " + std::to_string(id);
        if (const std::string name = ControlIdName(id); !name.empty())
            line += " " + name;
    }
    if (const int templateId = TemplateIdOf(control); templateId != 0)
        line += " template " + std::to_string(templateId);
    if (className == text::ToUtf8(WC_TABCONTROLW))
        line += " " + TabLabels(control);
    else
        line += " " + Quoted(TextOf(control));
    return line;
}

std::string DescribeWindowTree(HWND window) {
    if (!IsWindow(window))
        return "(the window no longer exists)\n";
    std::string out;
    DescribeBelow(window, 0, &out);
    return out;
}

}  // namespace ui
