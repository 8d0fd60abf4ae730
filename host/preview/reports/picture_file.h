// A picture drawn with the drawing library into a report's file: as SVG when the file's name
// ends in .svg (any case), else as PNG. An error of the file (a full disk) is kept while the
// library writes and thrown afterwards, as it cannot pass through the library; a picture the
// library cannot make or write is a SignalFileError naming the file.
#pragma once

#include <functional>
#include <string>

#include "host/preview/reports/report_file.h"

typedef struct _cairo cairo_t;

namespace preview {

// Whether a picture's file name asks for SVG.
bool IsSvgName(const std::string& path);

// Draws a width × height picture into `file` with `draw` and writes it; the caller commits.
void WritePicture(ReportFile& file, int width, int height,
                  const std::function<void(cairo_t*)>& draw);

}  // namespace preview
