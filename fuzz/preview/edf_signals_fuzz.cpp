// Reads arbitrary bytes as an EDF file.
#include "fuzz/preview/signal_file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadSignalFileFuzz(data, size, "edf");
    return 0;
}
