#include "platform/gdi/png.h"

#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace gdi {

void WritePng(const Image& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        throw std::runtime_error("cannot write " + path + ": the image is empty or malformed");
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const std::uint32_t p : image.pixels) {
        rgb.push_back(static_cast<std::uint8_t>(p >> 16));
        rgb.push_back(static_cast<std::uint8_t>(p >> 8));
        rgb.push_back(static_cast<std::uint8_t>(p));
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        const std::string why = png.message;
        png_image_free(&png);
        throw std::runtime_error("cannot write " + path + ": " + why);
    }
}

void WritePng(HBITMAP bitmap, const std::string& path) {
    WritePng(ImageOf(bitmap), path);
}

Image ReadPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        const std::string why = png.message;
        png_image_free(&png);
        throw std::runtime_error("cannot read " + path + ": " + why);
    }
    png.format = PNG_FORMAT_BGRA;  // the bytes of a 0xAARRGGBB word in memory
    Image image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
    if (png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        const std::string why = png.message;
        png_image_free(&png);
        throw std::runtime_error("cannot read " + path + ": " + why);
    }
    return image;
}

}  // namespace gdi
