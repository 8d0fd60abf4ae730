// Reads arbitrary bytes as a WAV file (the sound-file library recognises other formats by their
// content too).
#include "fuzz/preview/signal_file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadSignalFileFuzz(data, size, "wav");
    return 0;
}
