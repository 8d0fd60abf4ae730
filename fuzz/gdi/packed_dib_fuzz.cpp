// Packed DIB bytes (bitmap resources) of any shape: the decoder either refuses them or reads
// exactly width × height pixels, and never reads outside the data.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "platform/gdi/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = gdi::DecodePackedDib(data, size);
    if (decoded) {
        const gdi::Image& image = decoded->image;
        CHECK(image.width > 0 && image.height > 0 &&
              image.pixels.size() ==
                  static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    }
    return 0;
}
