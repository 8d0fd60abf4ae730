// The layer order of the code. Each folder may include headers of its own layer and of the
// layers below it, never of a layer above:
//
//   platform     the stand-ins for the Windows pieces
//   host/api     the host's published interfaces: the boundary both sides include
//   resources    the extension module's resources
//   support      strings, formatting, resources, XML, locale, pop-ups, buttons
//   config       the configuration, its text and device programming
//   streams      the binary stream format
//   dialog       the dialog's controls
//   extension    the extension module itself
//
// The rest of host/ is the simulated world around the extension. It sees the extension only
// through host/api and the module it loads, so it may include platform, host/api, support and
// itself. Only host/inspect, the host's one library that knows Tarvel's private formats (for
// ostrel's tools), may include the extension's layers too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace layers {

// The folders whose files are checked, relative to the project root.
const std::vector<std::string>& CheckedFolders();

// Why `file` (a path from the project root) may not include `included` (as written in the
// #include), or nothing when it may. Paths outside every known layer are refused from any
// checked file.
std::optional<std::string> Violation(std::string_view file, std::string_view included);

// Every quoted #include of `text`, in order.
std::vector<std::string> QuotedIncludes(std::string_view text);

}  // namespace layers
