// The layer order of the code, folder by folder. Each folder has a rank; a file may include
// headers of its own folder and of folders of a lower rank, never of its own rank or above, so
// no two folders ever include each other. Folders of one rank stand side by side.
//
//   platform/ (the stand-ins for the Windows pieces, libtevplatform.so)
//      0  platform               the value types of the Windows interfaces (win_types.h)
//      1  error, sync, com       last error; critical sections; COM: HRESULTs, GUIDs, class objects
//      2  text, oleaut, stream   code pages and UTF; BSTR and VARIANT; IStream
//      3  locale, module         regional settings; modules and their resources
//      4  gdi                    bitmaps, brushes, fonts, device contexts, system colours
//      5  ui                     the window model, the dialog manager, input, message boxes
//      6  theme, ui/atl          the visual-styles service; ATL windows
//      7  ui/controls            the standard controls (they register themselves with ui)
//      8  ui/owl                 the OWL toolkit classes
//      9  screen                 the real screen (SDL2), linked by ostrel alone
//  host/api (10)                 the host's published interfaces: the boundary both sides include
//  the extension
//     11  resources              the module's string table, dialog templates, bitmaps, versions
//     12  support/string, xml    Tev::String; the XML reader
//     13  support/format, resource, locale, theme, unit_test
//     14  support/popup          tooltips, balloons, the error provider
//     15  support/controls       the bitmap-and-text button
//     16  config                 the configuration, its text and device programming
//     17  streams                the binary stream format
//     18  dialog                 the setup dialog, its panes and controls
//     19  extension/services, branding
//     20  extension/framework
//     21  extension/document
//     22  extension/module       libtarvel.so
//  the simulated host
//     29  host/files             reading and writing files: limits, identities, safe outputs
//     30  host/resources, kyt, device, session, inspect, scoring
//     31  host/preview/formats   the recorded signals' formats
//     32  host/preview/reports   the report writers
//     33  host/preview           the pipeline, replays held in memory, the sample recording
//     34  host/ostrel            the host application
//  python (35)                   the Python module: the host's pieces, embedded in an interpreter
//
// The simulated host sees the extension only through host/api and the module it loads: a host
// folder may include platform, host/api, support and host folders below it. Only host/inspect,
// the host's one library that knows Tarvel's private formats (for ostrel's tools), may include
// the extension's layers too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace layers {

// The folders whose files are checked, relative to the project root.
const std::vector<std::string>& CheckedFolders();

// The rank of a folder (a path from the project root, without a trailing slash), or nothing
// when the folder has none.
std::optional<int> RankOf(std::string_view folder);

// Why `file` (a path from the project root) may not include `included` (as written in the
// #include), or nothing when it may. Files in a folder without a rank are refused from any
// checked file.
std::optional<std::string> Violation(std::string_view file, std::string_view included);

// Every quoted #include of `text`, in order.
std::vector<std::string> QuotedIncludes(std::string_view text);

}  // namespace layers
