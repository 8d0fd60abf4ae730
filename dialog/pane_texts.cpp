#include "dialog/pane_texts.h"

#include <map>

#include "resources/resource_module.h"
#include "support/format/format_stream.h"
#include "support/resource/load_string.h"

namespace VavazaZavidi {

const Tev::String& PaneText(UINT id) {
    static std::map<UINT, const Tev::String> loaded;
    auto found = loaded.find(id);
    if (found == loaded.end())
        found = loaded.emplace(id, Tev::LoadString(ResourceModule(), id)).first;
    return found->second;
}

Tev::String FormatPaneText(UINT format, const Tev::String& argument) {
    Tev::OFormatStringStream out(PaneText(format));
    out << argument;
    return out.str();
}

Tev::String FormatPaneText(UINT format, int argument) {
    Tev::OFormatStringStream out(PaneText(format));
    out << argument;
    return out.str();
}

}  // namespace VavazaZavidi
