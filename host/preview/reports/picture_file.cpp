#include "host/preview/reports/picture_file.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <memory>

#include "host/preview/formats/signal_file_error.h"

namespace preview {
namespace {

// Hands the library's output to the file.
struct CairoOutput {
    ReportFile& File;
    std::exception_ptr Failure;

    static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
        auto* output = static_cast<CairoOutput*>(closure);
        try {
            output->File.Write({reinterpret_cast<const char*>(data), length});
            return CAIRO_STATUS_SUCCESS;
        } catch (...) {
            output->Failure = std::current_exception();
            return CAIRO_STATUS_WRITE_ERROR;
        }
    }
};

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

}  // namespace

bool IsSvgName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".svg";
}

void WritePicture(ReportFile& file, int width, int height,
                  const std::function<void(cairo_t*)>& draw) {
    const std::string& path = file.Path();
    const bool svg = IsSvgName(path);
    CairoOutput output{file, nullptr};
    const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        svg ? cairo_svg_surface_create_for_stream(&CairoOutput::Write, &output, width, height)
            : cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw SignalFileError(path, 0,
                              "cannot be drawn: " + std::string(cairo_status_to_string(
                                                        cairo_surface_status(surface.get()))));
    {
        const std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
        draw(context.get());
    }
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (svg) {
        cairo_surface_finish(surface.get());
        status = cairo_surface_status(surface.get());
    } else {
        status = cairo_surface_write_to_png_stream(surface.get(), &CairoOutput::Write, &output);
    }
    if (output.Failure)
        std::rethrow_exception(output.Failure);
    if (status != CAIRO_STATUS_SUCCESS)
        throw SignalFileError(path, 0,
                              std::string("could not be drawn: ") + cairo_status_to_string(status));
}

}  // namespace preview
